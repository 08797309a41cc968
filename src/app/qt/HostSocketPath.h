// Where the host's socket lives, and whether the editor may trust it.
//
// Host NAME listens at FOLDER/NAME. FOLDER is $XDG_RUNTIME_DIR/vexlor when
// XDG_RUNTIME_DIR holds an absolute path to a directory, otherwise
// /tmp/vexlor-UID (UID the user's numeric id). The editor talks to the
// socket only when FOLDER is a real directory (not a symbolic link) that
// belongs to the user and that no one else can write to, and only to a
// peer that runs as the same user.
#pragma once

#include <QString>
#include <string>
#include <sys/types.h>

class HostSocketPath {
  public:
    // The folder hosts listen in, for the current environment and user.
    static QString Folder();
    // A name that stands for one socket inside the folder: not empty, not
    // "." or "..", no "/" and no NUL.
    static bool IsValidName(const QString& name);
    // FOLDER/NAME for a host name in Windows-1251; empty when the name is
    // not valid.
    static QString ForServer(const std::string& serverName);
    // The folder exists, is a directory and not a link, belongs to uid, and
    // neither its group nor others may write to it.
    static bool IsFolderSafe(const QString& folder, uid_t uid);
    // The peer of the connected Unix-domain socket fd runs as uid.
    static bool IsPeerUser(qintptr fd, uid_t uid);
    // For hosts: creates the folder with mode 0700 when it is missing, then
    // tells whether it is safe.
    static bool PrepareFolder(const QString& folder, uid_t uid);
};
