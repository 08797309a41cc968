#include "RecordingFrame.h"

#include "app/TextInstaller.h"

RecordingFrame::RecordingFrame() : m_pData(std::make_unique<CVexlorData>()) {
    m_pData->Reset();
    m_pData->SetWindow(&m_wnd);
}

void RecordingFrame::InstallText(const std::string& text, int line, const std::string& message) {
    ++m_nInstalls;
    const std::string status = TextInstaller::Install(m_pData, &m_wnd, text, line, message);
    if (line >= 0)
        SetStatusMessage(status, true);
}

void RecordingFrame::SetStatusMessage(const std::string& text, bool error) {
    m_strStatus = text;
    m_bStatusError = error;
}

bool RecordingFrame::AskYesNo(const std::string& text, const std::string& caption) {
    m_questions.emplace_back(text, caption);
    return m_bAnswer;
}

std::string RecordingFrame::Text() const {
    CVexlorData copy;
    copy.Reset();
    copy.Assign(*m_pData);
    copy.SetWindow(nullptr);
    return copy.GetText();
}
