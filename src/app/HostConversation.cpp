#include "app/HostConversation.h"

#include "app/HostFrameSide.h"
#include "app/HostTransport.h"
#include "app/MarkedText.h"

const char HostConversation::kTopic[] = "Vexlor";
const char HostConversation::kGetTitle[] = "GetTitle";
const char HostConversation::kGetText[] = "GetText";
const char HostConversation::kCheckText[] = "CheckText";
const char HostConversation::kCheckTextOK[] = "CheckTextOK";
const char HostConversation::kCheckTextError[] = "CheckTextError";
const char HostConversation::kShowHelp[] = "[showhelp]";

namespace {
// Windows-1251 texts.
// " - для "
const char kFor[] = " - \xE4\xEB\xFF ";
// " DDE-сервера"
const char kServer[] = " DDE-\xF1\xE5\xF0\xE2\xE5\xF0\xE0";
// "Вы уверены?"
const char kAreYouSure[] = "\xC2\xFB \xF3\xE2\xE5\xF0\xE5\xED\xFB?";
// "Выход без сохранения изменений"
const char kExitWithoutSaving[] = "\xC2\xFB\xF5\xEE\xE4 \xE1\xE5\xE7 \xF1\xEE\xF5\xF0\xE0\xED\xE5"
                                  "\xED\xE8\xFF \xE8\xE7\xEC\xE5\xED\xE5\xED\xE8\xE9";
// "Связь с сервером прервана."
const char kHungUp[] = "\xD1\xE2\xFF\xE7\xFC \xF1 \xF1\xE5\xF0\xE2\xE5\xF0\xEE\xEC \xEF\xF0\xE5"
                       "\xF0\xE2\xE0\xED\xE0.";
// "Сервер прислал неверное сообщение, связь прервана."
const char kBadFrame[] = "\xD1\xE5\xF0\xE2\xE5\xF0 \xEF\xF0\xE8\xF1\xEB\xE0\xEB \xED\xE5\xE2\xE5"
                         "\xF0\xED\xEE\xE5 \xF1\xEE\xEE\xE1\xF9\xE5\xED\xE8\xE5, \xF1\xE2\xFF\xE7"
                         "\xFC \xEF\xF0\xE5\xF0\xE2\xE0\xED\xE0.";
// " Текст не проверен сервером."
const char kUnchecked[] = " \xD2\xE5\xEA\xF1\xF2 \xED\xE5 \xEF\xF0\xEE\xE2\xE5\xF0\xE5\xED \xF1"
                          "\xE5\xF0\xE2\xE5\xF0\xEE\xEC.";
// "Текст слишком велик для передачи серверу."
const char kTooLarge[] = "\xD2\xE5\xEA\xF1\xF2 \xF1\xEB\xE8\xF8\xEA\xEE\xEC \xE2\xE5\xEB\xE8\xEA"
                         " \xE4\xEB\xFF \xEF\xE5\xF0\xE5\xE4\xE0\xF7\xE8 \xF1\xE5\xF0\xE2\xE5\xF0"
                         "\xF3.";

// Data is text up to its first NUL byte.
std::string UpToNul(const std::string& data) {
    return data.substr(0, data.find('\0'));
}
} // namespace

HostConversation::HostConversation(HostFrameSide* frame, HostTransport* transport)
    : m_pFrame(frame), m_pTransport(transport) {}

// --- The connection's owner ---

void HostConversation::Begin(const std::string& serverName) {
    if (serverName.empty() || m_bEnded)
        return;
    m_strServerName = serverName;
    m_pFrame->SetCaption(m_pFrame->GetCaption() + kFor + m_strServerName + kServer);
    m_bInitiating = true;
}

void HostConversation::Opened() {
    if (!m_bInitiating || m_bLinkOpen || m_bEnded || m_pTransport == nullptr)
        return;
    m_bLinkOpen = true;
    Send(HostFrame::Initiate(m_strServerName, kTopic));
}

void HostConversation::OpenFailed() {
    if (m_bLinkOpen)
        return;
    m_bInitiating = false;
}

void HostConversation::Receive(const char* data, size_t size) {
    if (!m_bLinkOpen)
        return;
    m_reader.Feed(data, size);
    HostFrame frame;
    // Handling a frame may end the conversation; later bytes are then dropped.
    while (m_bLinkOpen) {
        const HostFrameReader::Result result = m_reader.Next(&frame);
        if (result == HostFrameReader::kNeedMore)
            return;
        if (result == HostFrameReader::kError) {
            Lose(Loss::kBadFrame);
            return;
        }
        Handle(frame);
    }
}

void HostConversation::ConnectionLost() {
    Lose(Loss::kHungUp);
}

bool HostConversation::IsStartupPending() const {
    return m_bLinkOpen && (m_bInitiating || m_bAwaitingTitle || m_bAwaitingText);
}

void HostConversation::End() {
    if (m_bEnded)
        return;
    m_bEnded = true;
    const bool open = m_bLinkOpen;
    // Closed before writing, so that a write that finds the host gone
    // reports nothing back.
    m_bLinkOpen = false;
    m_bConnected = false;
    m_bInitiating = false;
    // No conversation: no verdict pending or on show any more.
    m_bErrorShown = false;
    m_bTextAccepted = true;
    m_bAwaitingTitle = false;
    m_bAwaitingText = false;
    if (open) {
        m_pTransport->Send(HostFrame::Terminate().Encode());
        m_pTransport->Close();
    }
}

// --- The frame ---

void HostConversation::ShowHelp() {
    if (m_bConnected)
        Send(HostFrame::Execute(kShowHelp));
}

bool HostConversation::Save(const std::string& text, bool hasFileName, bool fileWritten) {
    const Delivery delivery = m_bConnected ? SendForCheck(text) : Delivery::kNoHost;
    // Neither a file nor a host: nothing was kept anywhere, so nothing counts
    // as saved (the frame asks for a file name before it comes to this).
    const bool done = (hasFileName && fileWritten) || delivery == Delivery::kSent;
    // A notice about the failed delivery stays on show.
    if (done && delivery != Delivery::kFailed)
        m_pFrame->SetStatusMessage({}, false);
    return done;
}

bool HostConversation::CloseAfterSave(bool modified) {
    m_bCloseWhenAccepted = true;
    return !modified && !m_bConnected;
}

void HostConversation::ExitWithoutSaving() {
    if (!m_bConnected)
        return;
    m_bErrorShown = false;
    m_bTextAccepted = true;
}

bool HostConversation::QueryClose() {
    if (!m_bConnected)
        return true;
    if (m_bErrorShown)
        return m_pFrame->AskYesNo(kAreYouSure, kExitWithoutSaving);
    return m_bTextAccepted;
}

// --- Frames from the host ---

void HostConversation::Handle(const HostFrame& frame) {
    switch (frame.m_nType) {
    case HostFrame::kAck:
        if (m_bInitiating)
            OnInitiateAnswer(frame);
        else
            OnAcknowledge(frame);
        break;
    case HostFrame::kData:
        // Data counts only from the host that answered INITIATE.
        if (m_bConnected)
            OnData(frame);
        break;
    case HostFrame::kTerminate:
        // The host ends the conversation.
        Lose(Loss::kHungUp);
        break;
    default:
        // Messages of the editor's direction mean nothing coming from the host.
        break;
    }
}

void HostConversation::OnInitiateAnswer(const HostFrame& frame) {
    // Names compare case-sensitively; another answer is dropped and the
    // editor keeps waiting.
    if (frame.m_strName != m_strServerName || frame.m_strText != kTopic)
        return;
    m_bConnected = true;
    m_bInitiating = false;
    m_pFrame->HostStateChanged();
    m_bAwaitingTitle = true;
    m_bAwaitingText = true;
    if (Send(HostFrame::Request(kGetTitle)))
        Send(HostFrame::Request(kGetText));
}

void HostConversation::OnAcknowledge(const HostFrame& frame) {
    if (frame.m_strName != kCheckTextOK)
        return;
    m_bErrorShown = false;
    m_bTextAccepted = true;
    if (m_bCloseWhenAccepted)
        m_pFrame->PostClose();
}

void HostConversation::OnData(const HostFrame& frame) {
    const std::string data = UpToNul(frame.m_strText);
    if (frame.m_strName == kGetTitle) {
        m_bAwaitingTitle = false;
        m_pFrame->SetCaption(m_pFrame->GetAppTitle() + " - " + data);
    } else if (frame.m_strName == kGetText || frame.m_strName == kCheckTextError) {
        if (frame.m_strName == kGetText)
            m_bAwaitingText = false;
        InstallMarkedText(data);
    }
}

void HostConversation::InstallMarkedText(const std::string& text) {
    const MarkedText split = MarkedText::Split(text);
    m_pFrame->InstallText(split.m_strText, split.m_nLine, split.m_strMessage);
    if (split.m_nLine < 0) {
        m_pFrame->SetStatusMessage({}, false);
        m_bErrorShown = false;
        m_bTextAccepted = true;
    } else {
        m_bErrorShown = true;
        m_bTextAccepted = false;
    }
}

// --- Frames to the host ---

HostConversation::Delivery HostConversation::SendForCheck(const std::string& text) {
    const HostFrame poke = HostFrame::Poke(kCheckText, text);
    if (poke.BodyLength() > HostFrame::kMaxLength) {
        m_pFrame->SetStatusMessage(kTooLarge, true);
        return Delivery::kFailed;
    }
    // Pending from the moment it leaves, so that losing the connection on the
    // way tells the user the text went unchecked.
    m_bErrorShown = false;
    m_bTextAccepted = false;
    return Send(poke) ? Delivery::kSent : Delivery::kFailed;
}

bool HostConversation::Send(const HostFrame& frame) {
    if (!m_bLinkOpen)
        return false;
    // Writing may reveal a dead connection, reported back while it writes.
    if (!m_pTransport->Send(frame.Encode()) || !m_bLinkOpen) {
        Lose(Loss::kHungUp);
        return false;
    }
    return true;
}

void HostConversation::Lose(Loss loss) {
    if (!m_bLinkOpen || m_bEnded)
        return;
    const bool unchecked = m_bConnected && !m_bTextAccepted && !m_bErrorShown;
    const bool wasConnected = m_bConnected;
    m_bLinkOpen = false;
    m_pTransport->Close();
    m_bConnected = false;
    m_bInitiating = false;
    m_bErrorShown = false;
    m_bTextAccepted = true;
    m_bAwaitingTitle = false;
    m_bAwaitingText = false;
    std::string notice = loss == Loss::kBadFrame ? kBadFrame : kHungUp;
    if (unchecked)
        notice += kUnchecked;
    m_pFrame->SetStatusMessage(notice, true);
    if (wasConnected)
        m_pFrame->HostStateChanged();
}
