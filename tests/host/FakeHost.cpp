#include "FakeHost.h"

#include <QMetaObject>

#include "app/HostConversation.h"

const std::string FakeHost::kHangUp = "hang up";

FakeHost::Responder FakeHost::Scripted(const Script& script) {
    return [script](const HostFrame& frame) -> std::string {
        if (frame.m_nType == script.hangUpOn)
            return kHangUp;
        if (frame.m_nType == HostFrame::kRequest && !script.hangUpOnItem.empty() &&
            frame.m_strName == script.hangUpOnItem)
            return kHangUp;
        switch (frame.m_nType) {
        case HostFrame::kInitiate:
            if (script.answerInitiate)
                return HostFrame::Ack(script.name, script.topic, 0).Encode();
            break;
        case HostFrame::kRequest:
            if (!script.serveRequests)
                break;
            if (frame.m_strName == HostConversation::kGetTitle)
                return HostFrame::Data(frame.m_strName, script.title).Encode();
            if (frame.m_strName == HostConversation::kGetText)
                return HostFrame::Data(frame.m_strName, script.text).Encode();
            break;
        case HostFrame::kPoke:
            return script.pokeAnswer;
        default:
            break;
        }
        return {};
    };
}

FakeHost::FakeHost() : FakeHost(Scripted(Script())) {}

FakeHost::FakeHost(Responder responder)
    : m_pContext(std::make_unique<QObject>()), m_responder(std::move(responder)) {
    m_pContext->moveToThread(&m_thread);
    m_thread.start();
    RunOnThread([this] {
        m_pServer = new QLocalServer;
        QObject::connect(m_pServer, &QLocalServer::newConnection, m_pContext.get(),
                         [this] { OnNewConnection(); });
    });
}

FakeHost::~FakeHost() {
    RunOnThread([this] {
        if (m_pEditor)
            QObject::disconnect(m_pEditor, nullptr, m_pContext.get(), nullptr);
        delete m_pServer;
        m_pServer = nullptr;
        m_pEditor = nullptr;
    });
    m_thread.quit();
    m_thread.wait();
}

void FakeHost::RunOnThread(const std::function<void()>& work) {
    QMetaObject::invokeMethod(m_pContext.get(), work, Qt::BlockingQueuedConnection);
}

bool FakeHost::Listen(const QString& path) {
    bool ok = false;
    RunOnThread([&] {
        QLocalServer::removeServer(path);
        ok = m_pServer->listen(path);
    });
    return ok;
}

void FakeHost::SendRaw(const std::string& bytes) {
    RunOnThread([&] {
        if (!m_pEditor)
            return;
        m_pEditor->write(bytes.data(), static_cast<qint64>(bytes.size()));
        m_pEditor->flush();
    });
}

void FakeHost::HangUp() {
    RunOnThread([&] {
        if (!m_pEditor)
            return;
        QObject::disconnect(m_pEditor, nullptr, m_pContext.get(), nullptr);
        m_pEditor->abort();
        m_pEditor = nullptr;
    });
}

std::vector<HostFrame> FakeHost::Received() const {
    QMutexLocker lock(&m_mutex);
    return m_received;
}

bool FakeHost::HasType(HostFrame::Type type) const {
    QMutexLocker lock(&m_mutex);
    for (const HostFrame& frame : m_received) {
        if (frame.m_nType == type)
            return true;
    }
    return false;
}

bool FakeHost::Connected() const {
    QMutexLocker lock(&m_mutex);
    return m_bConnected;
}

bool FakeHost::EditorClosed() const {
    QMutexLocker lock(&m_mutex);
    return m_bEditorClosed;
}

bool FakeHost::SawBrokenFrame() const {
    QMutexLocker lock(&m_mutex);
    return m_bBroken;
}

void FakeHost::OnNewConnection() {
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        if (m_pEditor) {
            socket->abort();
            continue;
        }
        m_pEditor = socket;
        {
            QMutexLocker lock(&m_mutex);
            m_bConnected = true;
        }
        QObject::connect(socket, &QLocalSocket::readyRead, m_pContext.get(),
                         [this] { OnReadyRead(); });
        QObject::connect(socket, &QLocalSocket::disconnected, m_pContext.get(), [this] {
            OnReadyRead();
            QMutexLocker lock(&m_mutex);
            m_bEditorClosed = true;
        });
    }
}

void FakeHost::OnReadyRead() {
    if (!m_pEditor || !m_pEditor->isOpen())
        return;
    const QByteArray bytes = m_pEditor->readAll();
    m_reader.Feed(bytes.constData(), static_cast<size_t>(bytes.size()));
    HostFrame frame;
    HostFrameReader::Result result;
    while ((result = m_reader.Next(&frame)) == HostFrameReader::kFrame) {
        {
            QMutexLocker lock(&m_mutex);
            m_received.push_back(frame);
        }
        const std::string answer = m_responder(frame);
        if (answer == kHangUp) {
            QObject::disconnect(m_pEditor, nullptr, m_pContext.get(), nullptr);
            m_pEditor->abort();
            m_pEditor = nullptr;
            return;
        }
        if (!answer.empty() && m_pEditor->state() == QLocalSocket::ConnectedState) {
            m_pEditor->write(answer.data(), static_cast<qint64>(answer.size()));
            m_pEditor->flush();
        }
    }
    if (result == HostFrameReader::kError) {
        QMutexLocker lock(&m_mutex);
        m_bBroken = true;
    }
}
