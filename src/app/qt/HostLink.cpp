#include "app/qt/HostLink.h"

#include <QDeadlineTimer>
#include <unistd.h>

#include "app/qt/HostSocketPath.h"

namespace {
// How long connecting to a listening socket may take.
constexpr int kConnectWaitMsec = 1000;
// Bytes read from the socket at a time, so that a broken stream is noticed
// before much of it is buffered.
constexpr qint64 kReadChunk = 64 * 1024;
} // namespace

HostLink::HostLink(HostFrameSide* frame) : m_conversation(frame, this) {}

HostLink::~HostLink() {
    End();
    // The socket's last signals must not reach a half-destroyed link.
    if (m_pSocket)
        QObject::disconnect(m_pSocket.get(), nullptr, m_pSocket.get(), nullptr);
}

void HostLink::Open(const std::string& serverName) {
    if (serverName.empty() || m_pSocket)
        return;
    m_conversation.Begin(serverName);
    if (!Connect(serverName)) {
        m_pSocket.reset();
        m_conversation.OpenFailed();
        return;
    }
    QObject::connect(m_pSocket.get(), &QLocalSocket::readyRead, m_pSocket.get(),
                     [this] { ReadAvailable(); });
    QObject::connect(m_pSocket.get(), &QLocalSocket::disconnected, m_pSocket.get(),
                     [this] { OnDisconnected(); });
    m_conversation.Opened();
    WaitForStartup();
}

void HostLink::End() {
    m_conversation.End();
}

bool HostLink::Connect(const std::string& serverName) {
    const QString path = HostSocketPath::ForServer(serverName);
    if (path.isEmpty())
        return false;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (!HostSocketPath::IsFolderSafe(path.left(slash), geteuid()))
        return false;
    m_pSocket = std::make_unique<QLocalSocket>();
    m_pSocket->connectToServer(path);
    if (!m_pSocket->waitForConnected(kConnectWaitMsec))
        return false;
    if (!HostSocketPath::IsPeerUser(m_pSocket->socketDescriptor(), geteuid())) {
        m_pSocket->abort();
        return false;
    }
    return true;
}

void HostLink::WaitForStartup() {
    const QDeadlineTimer deadline(kStartupWaitMsec);
    while (m_conversation.IsStartupPending() && !deadline.hasExpired()) {
        // readyRead and disconnected are emitted from inside the wait.
        if (!m_pSocket->waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
        ReadAvailable();
    }
    // A hang-up seen only by the failed wait still ends the conversation.
    if (m_conversation.IsLinkOpen() && m_pSocket->state() != QLocalSocket::ConnectedState)
        OnDisconnected();
}

void HostLink::ReadAvailable() {
    while (m_pSocket && m_conversation.IsLinkOpen() && m_pSocket->bytesAvailable() > 0) {
        const QByteArray chunk = m_pSocket->read(kReadChunk);
        if (chunk.isEmpty())
            break;
        m_conversation.Receive(chunk.constData(), static_cast<size_t>(chunk.size()));
    }
}

void HostLink::OnDisconnected() {
    // Frames that arrived before the hang-up still count.
    ReadAvailable();
    m_conversation.ConnectionLost();
}

bool HostLink::Send(const std::string& bytes) {
    if (!m_pSocket || m_pSocket->state() != QLocalSocket::ConnectedState)
        return false;
    const qint64 size = static_cast<qint64>(bytes.size());
    if (m_pSocket->write(bytes.data(), size) != size)
        return false;
    // Writing now shows at once whether the host is still there.
    m_pSocket->flush();
    return m_pSocket->state() == QLocalSocket::ConnectedState;
}

void HostLink::Close() {
    if (!m_pSocket)
        return;
    QObject::disconnect(m_pSocket.get(), nullptr, m_pSocket.get(), nullptr);
    if (m_pSocket->state() == QLocalSocket::ConnectedState && m_pSocket->bytesToWrite() > 0)
        m_pSocket->waitForBytesWritten(kFlushWaitMsec);
    m_pSocket->abort();
}
