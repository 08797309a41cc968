#include "app/qt/HostSocketPath.h"

#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Cp1251Codec.h"

QString HostSocketPath::Folder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    // A relative XDG_RUNTIME_DIR is not valid and is ignored.
    if (runtime.startsWith(QLatin1Char('/')) && QFileInfo(runtime).isDir())
        return runtime + QStringLiteral("/vexlor");
    return QStringLiteral("/tmp/vexlor-%1").arg(static_cast<qulonglong>(geteuid()));
}

bool HostSocketPath::IsValidName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

QString HostSocketPath::ForServer(const std::string& serverName) {
    const QString name = QString::fromStdString(Cp1251Codec::ToUtf8(serverName));
    if (!IsValidName(name))
        return {};
    return Folder() + QLatin1Char('/') + name;
}

bool HostSocketPath::IsFolderSafe(const QString& folder, uid_t uid) {
    struct stat info {};
    if (folder.isEmpty() || ::lstat(QFile::encodeName(folder).constData(), &info) != 0)
        return false;
    if (!S_ISDIR(info.st_mode) || info.st_uid != uid)
        return false;
    return (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool HostSocketPath::IsPeerUser(qintptr fd, uid_t uid) {
    struct ucred cred {};
    socklen_t size = sizeof(cred);
    if (fd < 0 || ::getsockopt(static_cast<int>(fd), SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0)
        return false;
    return size == sizeof(cred) && cred.uid == uid;
}

bool HostSocketPath::PrepareFolder(const QString& folder, uid_t uid) {
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    return IsFolderSafe(folder, uid);
}
