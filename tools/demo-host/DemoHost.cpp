#include "DemoHost.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <unistd.h>

#include "TextChecker.h"
#include "app/HostConversation.h"
#include "app/qt/HostSocketPath.h"
#include "platform/Cp1251Codec.h"

namespace {
// "Ошибка записи файла"
const char kWriteError[] = "\xCE\xF8\xE8\xE1\xEA\xE0 \xE7\xE0\xEF\xE8\xF1\xE8 \xF4\xE0\xE9\xEB\xE0";
// Longest piece of a text shown in the log.
constexpr size_t kLogText = 80;

const char kHelp[] = "Демонстрационный сервер Vexlor.\n"
                     "Сохранение (Ctrl+S) отправляет текст на проверку. Строка с пустым местом\n"
                     "( ? ) или [?] или с непарными скобками возвращается с сообщением об ошибке;\n"
                     "иначе текст записывается в файл.\n";
} // namespace

DemoHost::DemoHost(const std::string& name, const std::string& title, const QString& file)
    : m_strName(name), m_strTitle(title), m_strFile(file) {
    QObject::connect(&m_server, &QLocalServer::newConnection, &m_server,
                     [this] { OnNewConnection(); });
}

bool DemoHost::Listen() {
    const QString path = HostSocketPath::ForServer(m_strName);
    if (path.isEmpty()) {
        std::fprintf(stderr, "demo-host: the name cannot name a socket\n");
        return false;
    }
    const QString folder = HostSocketPath::Folder();
    if (!HostSocketPath::PrepareFolder(folder, geteuid())) {
        std::fprintf(stderr, "demo-host: the folder %s is not safe to use\n", qPrintable(folder));
        return false;
    }
    QLocalServer::removeServer(path);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(path)) {
        std::fprintf(stderr, "demo-host: cannot listen at %s: %s\n", qPrintable(path),
                     qPrintable(m_server.errorString()));
        return false;
    }
    std::fprintf(stderr, "demo-host: listening at %s\n", qPrintable(path));
    return true;
}

void DemoHost::OnNewConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        const bool sameUser = HostSocketPath::IsPeerUser(socket->socketDescriptor(), geteuid());
        if (m_pEditor || !sameUser) {
            std::fprintf(stderr, "demo-host: connection refused\n");
            socket->abort();
            socket->deleteLater();
            continue;
        }
        std::fprintf(stderr, "demo-host: editor connected\n");
        m_pEditor = socket;
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this] { OnReadyRead(); });
        QObject::connect(socket, &QLocalSocket::disconnected, socket, [this] { OnDisconnected(); });
    }
}

void DemoHost::OnReadyRead() {
    if (!m_pEditor || !m_pEditor->isOpen())
        return;
    const QByteArray bytes = m_pEditor->readAll();
    m_reader.Feed(bytes.constData(), static_cast<size_t>(bytes.size()));
    HostFrame frame;
    while (m_pEditor) {
        const HostFrameReader::Result result = m_reader.Next(&frame);
        if (result == HostFrameReader::kNeedMore)
            return;
        if (result == HostFrameReader::kError) {
            std::fprintf(stderr, "demo-host: broken frame from the editor\n");
            Quit(kBadFrame);
            return;
        }
        Log("<-", frame);
        Handle(frame);
    }
}

void DemoHost::OnDisconnected() {
    // Frames that came before the hang-up, TERMINATE among them, count.
    OnReadyRead();
    if (!m_pEditor)
        return;
    std::fprintf(stderr, "demo-host: editor gone without TERMINATE\n");
    Quit(kVanished);
}

void DemoHost::Handle(const HostFrame& frame) {
    switch (frame.m_nType) {
    case HostFrame::kInitiate:
        OnInitiate(frame);
        break;
    case HostFrame::kRequest:
        OnRequest(frame);
        break;
    case HostFrame::kPoke:
        OnPoke(frame);
        break;
    case HostFrame::kExecute:
        OnExecute(frame);
        break;
    case HostFrame::kTerminate:
        Quit(kTerminated);
        break;
    default:
        break;
    }
}

void DemoHost::OnInitiate(const HostFrame& frame) {
    // A host answers only its own name and topic.
    if (frame.m_strName == m_strName && frame.m_strText == HostConversation::kTopic)
        Reply(HostFrame::Ack(m_strName, HostConversation::kTopic, 0));
}

void DemoHost::OnRequest(const HostFrame& frame) {
    if (frame.m_strName == HostConversation::kGetTitle)
        Reply(HostFrame::Data(HostConversation::kGetTitle, m_strTitle));
    else if (frame.m_strName == HostConversation::kGetText)
        Reply(HostFrame::Data(HostConversation::kGetText, ReadFile()));
}

void DemoHost::OnPoke(const HostFrame& frame) {
    if (frame.m_strName != HostConversation::kCheckText)
        return;
    std::string marked;
    if (!TextChecker::Check(frame.m_strText, &marked)) {
        Reply(HostFrame::Data(HostConversation::kCheckTextError, marked));
    } else if (!WriteFile(frame.m_strText)) {
        Reply(HostFrame::Data(HostConversation::kCheckTextError,
                              TextChecker::Mark(frame.m_strText, 0, kWriteError)));
    } else {
        Reply(HostFrame::Ack(HostConversation::kCheckTextOK, {}, 0));
    }
}

void DemoHost::OnExecute(const HostFrame& frame) {
    if (frame.m_strName == HostConversation::kShowHelp) {
        std::fputs(kHelp, stdout);
        std::fflush(stdout);
    }
    Reply(HostFrame::Ack(frame.m_strName, {}, 0));
}

void DemoHost::Reply(const HostFrame& frame) {
    if (!m_pEditor)
        return;
    Log("->", frame);
    const std::string bytes = frame.Encode();
    m_pEditor->write(bytes.data(), static_cast<qint64>(bytes.size()));
    m_pEditor->flush();
}

void DemoHost::Quit(ExitCode code) {
    if (m_pEditor) {
        QObject::disconnect(m_pEditor, nullptr, m_pEditor, nullptr);
        m_pEditor->abort();
        m_pEditor->deleteLater();
        m_pEditor = nullptr;
    }
    std::fprintf(stderr, "demo-host: done (%d)\n", static_cast<int>(code));
    m_server.close();
    QCoreApplication::exit(code);
}

std::string DemoHost::ReadFile() const {
    QFile file(m_strFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

bool DemoHost::WriteFile(const std::string& text) const {
    QSaveFile file(m_strFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const qint64 size = static_cast<qint64>(text.size());
    return file.write(text.data(), size) == size && file.commit();
}

void DemoHost::Log(const char* direction, const HostFrame& frame) {
    std::string line = std::string(direction) + " " + HostFrame::TypeName(frame.m_nType);
    switch (frame.m_nType) {
    case HostFrame::kRequest:
        line += ' ';
        line += std::to_string(frame.m_nWord);
        line += " \"" + Shown(frame.m_strName) + "\"";
        break;
    case HostFrame::kExecute:
        line += " \"" + Shown(frame.m_strName) + "\"";
        break;
    case HostFrame::kTerminate:
        break;
    default:
        line += " \"" + Shown(frame.m_strName) + "\" \"" + Shown(frame.m_strText) + "\"";
        if (frame.m_nType == HostFrame::kAck) {
            line += ' ';
            line += std::to_string(frame.m_nWord);
        }
        break;
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}

std::string DemoHost::Shown(const std::string& text) {
    std::string cut = text.substr(0, kLogText);
    std::string shown;
    for (char c : cut) {
        if (c == '\n')
            shown += "\\n";
        else if (c == '\r')
            shown += "\\r";
        else if (c == '\0')
            shown += "\\0";
        else
            shown.push_back(c);
    }
    if (text.size() > kLogText)
        shown += "...";
    return Cp1251Codec::ToUtf8(shown);
}
