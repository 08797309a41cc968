#include "app/ExpressionsFile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/TextLimit.h"

namespace {
constexpr int kTemporaryAttempts = 100;
const char kTemporaryInfix[] = ".tmp";

// Reads at most kMaxTextBytes + 1 bytes: one more tells a text too large.
bool ReadStream(FILE* file, std::string* bytes) {
    char buffer[65536];
    size_t n = 0;
    while (bytes->size() <= kMaxTextBytes &&
           (n = fread(buffer, 1, std::min(sizeof buffer, kMaxTextBytes + 1 - bytes->size()),
                      file)) > 0)
        bytes->append(buffer, n);
    return ferror(file) == 0;
}

// Gives the new file the owner, group and permission bits of the file it
// replaces. Only a privileged process may give a file away: an ordinary
// user's new file simply stays theirs. The mode comes last, since a change
// of owner clears the set-user-id and set-group-id bits.
void CopyOwnerAndMode(const std::string& target, int fd) {
    struct stat st {};
    if (stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return;
    struct stat made {};
    if (fstat(fd, &made) == 0 && (made.st_uid != st.st_uid || made.st_gid != st.st_gid)) {
        // EPERM (not privileged) leaves the new file with the process's owner.
        [[maybe_unused]] const int ignored = fchown(fd, st.st_uid, st.st_gid);
    }
    fchmod(fd, st.st_mode & 07777);
}

bool CloseChecked(int fd) {
    const bool synced = fsync(fd) == 0;
    const int syncError = errno;
    const bool closed = close(fd) == 0;
    if (closed && !synced)
        errno = syncError;
    return closed && synced;
}

bool IsDigits(const std::string& s, size_t from, size_t to) {
    if (from >= to)
        return false;
    for (size_t i = from; i < to; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
    }
    return true;
}

// Whether the process that made a temporary file may still be writing it.
bool IsRunning(long pid) {
    if (pid <= 0 || pid != static_cast<pid_t>(pid))
        return false;
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
} // namespace

ExpressionsFile::Failure ExpressionsFile::FailureOf(int error) {
    switch (error) {
    case 0:
        return Failure::kNone;
    case ENOENT:
    case ENOTDIR:
        return Failure::kMissing;
    case EISDIR:
        return Failure::kFolder;
    case EACCES:
    case EPERM:
        return Failure::kDenied;
    case EROFS:
        return Failure::kReadOnly;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return Failure::kNoSpace;
    default:
        return Failure::kOther;
    }
}

bool ExpressionsFile::Read(const std::string& path, std::string* bytes, Failure* failure) {
    Failure why = Failure::kOther;
    bool ok = false;
    if (bytes != nullptr) {
        bytes->clear();
        FILE* file = fopen(path.c_str(), "rb");
        if (file != nullptr) {
            ok = ReadStream(file, bytes);
            why = FailureOf(errno);
            if (ok && bytes->size() > kMaxTextBytes) {
                ok = false;
                why = Failure::kTooLarge;
            }
            fclose(file);
        } else {
            why = FailureOf(errno);
        }
        if (!ok)
            bytes->clear();
    }
    if (failure != nullptr)
        *failure = ok ? Failure::kNone : (why == Failure::kNone ? Failure::kOther : why);
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

// What stands in the way of replacing the target, before anything is
// written: a folder, a file that forbids writing, something not a file.
ExpressionsFile::Failure ExpressionsFile::CheckTarget(const std::string& target) {
    struct stat st {};
    if (stat(target.c_str(), &st) != 0)
        return errno == ENOENT ? Failure::kNone : FailureOf(errno);
    if (S_ISDIR(st.st_mode))
        return Failure::kFolder;
    if (!S_ISREG(st.st_mode))
        return Failure::kOther;
    // No write bit at all counts for the superuser too.
    if ((st.st_mode & 0222) == 0)
        return Failure::kReadOnly;
    if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 &&
        (errno == EACCES || errno == EPERM || errno == EROFS))
        return Failure::kReadOnly;
    return Failure::kNone;
}

int ExpressionsFile::CreateTemporary(const std::string& target, std::string* tempPath) {
    // A name left by an earlier save of this process (one that failed to
    // remove it) is skipped: O_EXCL refuses it and the next number is tried.
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        *tempPath =
            target + kTemporaryInfix + std::to_string(getpid()) + "-" + std::to_string(attempt);
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
        if (n == 0)
            errno = ENOSPC;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool ExpressionsFile::IsTemporaryOf(const std::string& name, const std::string& base, long* pid) {
    const std::string prefix = base + kTemporaryInfix;
    if (base.empty() || name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    const size_t dash = name.find('-', prefix.size());
    if (dash == std::string::npos || !IsDigits(name, prefix.size(), dash) ||
        !IsDigits(name, dash + 1, name.size()) || dash - prefix.size() > 10)
        return false;
    if (pid != nullptr)
        *pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
    return true;
}

// Temporary files of the target's pattern whose process is gone (killed
// during a save) or is this one (its own saves are over) are removed; those
// of a save running in another process are left alone.
void ExpressionsFile::RemoveStaleTemporaries(const std::string& target) {
    const std::string base = BaseOf(target);
    DIR* folder = opendir(FolderOf(target).c_str());
    if (folder == nullptr)
        return;
    const int folderFd = dirfd(folder);
    while (const dirent* entry = readdir(folder)) {
        long pid = 0;
        const std::string name = entry->d_name;
        if (!IsTemporaryOf(name, base, &pid) || (pid != getpid() && IsRunning(pid)))
            continue;
        struct stat st {};
        if (fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            unlinkat(folderFd, name.c_str(), 0);
    }
    closedir(folder);
}

// Writes the new text beside the target and puts it in the target's place in
// one step; the old file stays as it was until then.
ExpressionsFile::Failure ExpressionsFile::Replace(const std::string& target,
                                                  const std::string& text) {
    // 1. Nothing may stand in the way of the new file.
    if (const Failure blocked = CheckTarget(target); blocked != Failure::kNone)
        return blocked;
    // 2. The text goes to a new file in the same folder.
    std::string tempPath;
    const int fd = CreateTemporary(target, &tempPath);
    if (fd < 0)
        return FailureOf(errno);
    CopyOwnerAndMode(target, fd);
    int error = WriteAll(fd, WithCrLf(text)) ? 0 : errno;
    if (!CloseChecked(fd) && error == 0)
        error = errno;
    // 3. It takes the old file's place.
    if (error == 0 && rename(tempPath.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        unlink(tempPath.c_str());
        return FailureOf(error) == Failure::kNone ? Failure::kOther : FailureOf(error);
    }
    // 4. What earlier interrupted saves of it left behind goes.
    RemoveStaleTemporaries(target);
    return Failure::kNone;
}

bool ExpressionsFile::Write(const std::string& path, const std::string& text, Failure* failure) {
    const Failure why = path.empty() ? Failure::kMissing : Replace(ResolveTarget(path), text);
    if (failure != nullptr)
        *failure = why;
    return why == Failure::kNone;
}
