// The expressions file shared with the host: single-byte text, one
// expression per line, CR LF between lines as the host writes them.
#pragma once

#include <string>

class ExpressionsFile {
  public:
    // Reads the whole file, every byte unchanged. False when the file cannot
    // be opened or read (a folder, a missing file) or bytes is null; *bytes
    // is then left empty.
    static bool Read(const std::string& path, std::string* bytes);

    // Writes text with each LF written as CR LF. The bytes go to a new file
    // in the same folder, which then replaces the old one, so a failed save
    // leaves the old file as it was. A symbolic link is followed and its
    // target replaced; an existing file keeps its permission bits.
    static bool Write(const std::string& path, const std::string& text);

  private:
    static std::string WithCrLf(const std::string& text);
    static std::string ResolveTarget(const std::string& path);
    static int CreateTemporary(const std::string& target, std::string* tempPath);
    static bool WriteAll(int fd, const std::string& bytes);
};
