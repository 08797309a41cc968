#include "app/ExpressionsFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kTemporaryAttempts = 100;

bool ReadStream(FILE* file, std::string* bytes) {
    char buffer[65536];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes->append(buffer, n);
    return ferror(file) == 0;
}

// Gives the new file the permission bits of the file it replaces.
void CopyMode(const std::string& target, int fd) {
    struct stat st {};
    if (stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        fchmod(fd, st.st_mode & 07777);
}

bool CloseChecked(int fd) {
    const bool synced = fsync(fd) == 0;
    return close(fd) == 0 && synced;
}
} // namespace

bool ExpressionsFile::Read(const std::string& path, std::string* bytes) {
    if (bytes == nullptr)
        return false;
    bytes->clear();
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    const bool ok = ReadStream(file, bytes);
    fclose(file);
    if (!ok)
        bytes->clear();
    return ok;
}

std::string ExpressionsFile::WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

std::string ExpressionsFile::ResolveTarget(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return path;
    std::string target(resolved);
    free(resolved);
    return target;
}

int ExpressionsFile::CreateTemporary(const std::string& target, std::string* tempPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        *tempPath = target + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(counter++);
        const int fd = open(tempPath->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool ExpressionsFile::WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool ExpressionsFile::Write(const std::string& path, const std::string& text) {
    if (path.empty())
        return false;
    const std::string target = ResolveTarget(path);
    std::string tempPath;
    const int fd = CreateTemporary(target, &tempPath);
    if (fd < 0)
        return false;
    CopyMode(target, fd);
    const bool written = WriteAll(fd, WithCrLf(text));
    const bool closed = CloseChecked(fd);
    if (written && closed && rename(tempPath.c_str(), target.c_str()) == 0)
        return true;
    unlink(tempPath.c_str());
    return false;
}
