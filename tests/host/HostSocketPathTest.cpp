// The socket path rule, the folder check and the peer check.
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/qt/HostSocketPath.h"

namespace {
// The user a root test run hands things to.
constexpr uid_t kNobody = 65534;

void SetRuntimeDir(const QByteArray& value) {
    qputenv("XDG_RUNTIME_DIR", value);
}

bool MakeFolder(const QString& path, mode_t mode) {
    const QByteArray name = QFile::encodeName(path);
    return ::mkdir(name.constData(), 0700) == 0 && ::chmod(name.constData(), mode) == 0;
}
} // namespace

class HostSocketPathTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        m_saved = qgetenv("XDG_RUNTIME_DIR");
        m_hadRuntime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        QVERIFY(m_dir.isValid());
    }
    void cleanup() {
        if (m_hadRuntime)
            qputenv("XDG_RUNTIME_DIR", m_saved);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }

    void folderIsUnderTheRuntimeDirectory() {
        SetRuntimeDir(QFile::encodeName(m_dir.path()));
        QCOMPARE(HostSocketPath::Folder(), m_dir.path() + "/vexlor");
        QCOMPARE(HostSocketPath::ForServer("Model"), m_dir.path() + "/vexlor/Model");
    }

    void folderFallsBackToTmpWithTheUserId() {
        const QString fallback = QStringLiteral("/tmp/vexlor-%1").arg(geteuid());
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(HostSocketPath::Folder(), fallback);
        SetRuntimeDir("");
        QCOMPARE(HostSocketPath::Folder(), fallback);
        // Not a directory, missing, or relative: ignored.
        QFile file(m_dir.filePath("plain"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        SetRuntimeDir(QFile::encodeName(file.fileName()));
        QCOMPARE(HostSocketPath::Folder(), fallback);
        SetRuntimeDir(QFile::encodeName(m_dir.filePath("missing")));
        QCOMPARE(HostSocketPath::Folder(), fallback);
        QDir::setCurrent(m_dir.path());
        QVERIFY(QDir().mkdir("relative"));
        SetRuntimeDir("relative");
        QCOMPARE(HostSocketPath::Folder(), fallback);
    }

    void namesThatLeaveTheFolderAreRefused() {
        SetRuntimeDir(QFile::encodeName(m_dir.path()));
        for (const char* bad : {"", ".", "..", "../Model", "a/b", "/etc/passwd"}) {
            QVERIFY2(!HostSocketPath::IsValidName(QString::fromUtf8(bad)), bad);
            QVERIFY2(HostSocketPath::ForServer(bad).isEmpty(), bad);
        }
        QVERIFY(!HostSocketPath::IsValidName(QString("a") + QChar(0) + "b"));
        QVERIFY(HostSocketPath::IsValidName("...") && HostSocketPath::IsValidName(".hidden"));
        // A Windows-1251 name becomes the file name of its characters.
        QCOMPARE(HostSocketPath::ForServer("\xCC\xEE\xE4\xE5\xEB\xFC 1"),
                 m_dir.path() + QString::fromUtf8("/vexlor/Модель 1"));
    }

    void onlyAPrivateFolderOfTheUserIsSafe() {
        const uid_t me = geteuid();
        const QString own = m_dir.filePath("own");
        QVERIFY(MakeFolder(own, 0700));
        QVERIFY(HostSocketPath::IsFolderSafe(own, me));
        QVERIFY(!HostSocketPath::IsFolderSafe(own, me + 1));

        const QString readable = m_dir.filePath("readable");
        QVERIFY(MakeFolder(readable, 0755));
        QVERIFY(HostSocketPath::IsFolderSafe(readable, me));

        for (mode_t mode : {0770, 0720, 0702, 0777, 01777}) {
            const QString folder = m_dir.filePath(QString::number(mode, 8));
            QVERIFY(MakeFolder(folder, mode));
            QVERIFY2(!HostSocketPath::IsFolderSafe(folder, me), qPrintable(folder));
        }

        const QString link = m_dir.filePath("link");
        QVERIFY(QFile::link(own, link));
        QVERIFY(!HostSocketPath::IsFolderSafe(link, me));
        QVERIFY(!HostSocketPath::IsFolderSafe(m_dir.filePath("missing"), me));
        QVERIFY(!HostSocketPath::IsFolderSafe(QString(), me));
        QFile file(m_dir.filePath("file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(::chmod(QFile::encodeName(file.fileName()).constData(), 0700) == 0);
        QVERIFY(!HostSocketPath::IsFolderSafe(file.fileName(), me));
    }

    void aFolderOfAnotherUserIsRefused() {
        if (geteuid() != 0)
            QSKIP("handing a folder to another user needs root");
        const QString folder = m_dir.filePath("foreign");
        QVERIFY(MakeFolder(folder, 0700));
        QVERIFY(::chown(QFile::encodeName(folder).constData(), kNobody, kNobody) == 0);
        QVERIFY(!HostSocketPath::IsFolderSafe(folder, geteuid()));
        QVERIFY(HostSocketPath::IsFolderSafe(folder, kNobody));
    }

    void preparingCreatesAPrivateFolder() {
        const QString folder = m_dir.filePath("made");
        QVERIFY(HostSocketPath::PrepareFolder(folder, geteuid()));
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0700u);
        // An existing unsafe folder is not made safe behind the user's back.
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0777) == 0);
        QVERIFY(!HostSocketPath::PrepareFolder(folder, geteuid()));
    }

    void peerCredentialsNameTheUser() {
        int pair[2];
        QCOMPARE(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
        QVERIFY(HostSocketPath::IsPeerUser(pair[0], geteuid()));
        QVERIFY(!HostSocketPath::IsPeerUser(pair[0], geteuid() + 1));
        ::close(pair[0]);
        ::close(pair[1]);
        QVERIFY(!HostSocketPath::IsPeerUser(-1, geteuid()));
        QVERIFY(!HostSocketPath::IsPeerUser(pair[0], geteuid()));
    }

    void aPeerRunningAsAnotherUserIsRefused() {
        if (geteuid() != 0)
            QSKIP("running a peer as another user needs root");
        // A listening socket that another user may reach.
        QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
        const QString path = m_dir.filePath("open");
        QLocalServer server;
        server.setSocketOptions(QLocalServer::WorldAccessOption);
        QVERIFY(server.listen(path));
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            int fd = -1;
            if (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0) {
                QLocalSocket socket;
                socket.connectToServer(path);
                if (socket.waitForConnected(2000) && socket.waitForDisconnected(5000))
                    fd = 0;
            }
            ::_exit(fd == 0 ? 0 : 1);
        }
        QVERIFY(server.waitForNewConnection(5000));
        QLocalSocket* peer = server.nextPendingConnection();
        QVERIFY(peer);
        QVERIFY(!HostSocketPath::IsPeerUser(peer->socketDescriptor(), geteuid()));
        QVERIFY(HostSocketPath::IsPeerUser(peer->socketDescriptor(), kNobody));
        peer->abort();
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

  private:
    QTemporaryDir m_dir;
    QByteArray m_saved;
    bool m_hadRuntime = false;
};

QTEST_GUILESS_MAIN(HostSocketPathTest)
#include "HostSocketPathTest.moc"
