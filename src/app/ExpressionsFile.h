// The expressions file shared with the host: single-byte text, one
// expression per line, CR LF between lines as the host writes them.
#pragma once

#include <string>

class ExpressionsFile {
  public:
    // Why a read or a write failed, in the terms the user is told.
    enum class Failure {
        kNone,
        kMissing,  // the file (reading) or its folder (writing) does not exist
        kFolder,   // the name is a folder
        kReadOnly, // the file forbids writing: no write bit, or not for this user
        kDenied,   // the folder or the file may not be opened by this user
        kNoSpace,  // the disk or the user's quota is full, or the file too big
        kTooLarge, // reading: the file holds more than kMaxTextBytes
        kOther,
    };

    // Reads the whole file, every byte unchanged. False when the file cannot
    // be opened or read (a folder, a missing file), holds more than
    // kMaxTextBytes, or bytes is null; *bytes is then left empty and
    // *failure (when given) says why.
    static bool Read(const std::string& path, std::string* bytes, Failure* failure = nullptr);

    // Writes text with each LF written as CR LF. The bytes go to a new file
    // in the same folder, which then replaces the old one, so a failed save
    // leaves the old file as it was. A symbolic link is followed and its
    // target replaced; an existing file keeps its permission bits, and its
    // owner and group where the process may give them. A read-only file or
    // a folder is never replaced. After a successful write, temporary files
    // that earlier saves of the same file left behind (killed half way) are
    // removed. *failure (when given) says why a write failed.
    static bool Write(const std::string& path, const std::string& text, Failure* failure = nullptr);

    // Whether name is one of the temporary files a save of the file named
    // base (without folder) makes: base + ".tmp" + process id + "-" + number.
    // *pid receives the process id.
    static bool IsTemporaryOf(const std::string& name, const std::string& base, long* pid);

    static Failure FailureOf(int error);

  private:
    static std::string WithCrLf(const std::string& text);
    static std::string ResolveTarget(const std::string& path);
    static Failure CheckTarget(const std::string& target);
    static Failure Replace(const std::string& target, const std::string& text);
    static int CreateTemporary(const std::string& target, std::string* tempPath);
    static bool WriteAll(int fd, const std::string& bytes);
    static void RemoveStaleTemporaries(const std::string& target);
};
