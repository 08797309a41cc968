// The frame side of the conversation for tests: a headless editor into
// which texts are installed as the real frame installs them, and a record
// of everything the conversation asked of the frame.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/HostFrameSide.h"
#include "editor/VexlorData.h"
#include "platform/HeadlessWindow.h"

class RecordingFrame : public HostFrameSide {
  public:
    RecordingFrame();

    std::string GetCaption() const override { return m_strCaption; }
    void SetCaption(const std::string& caption) override { m_strCaption = caption; }
    std::string GetAppTitle() const override { return "Vexlor"; }
    void InstallText(const std::string& text, int line, const std::string& message) override;
    void SetStatusMessage(const std::string& text, bool error) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    void PostClose() override { ++m_nCloses; }
    void HostStateChanged() override { ++m_nStateChanges; }

    // The editor's text as Save would send it.
    std::string Text() const;

    CHeadlessWindow m_wnd;
    std::unique_ptr<CVexlorData> m_pData;
    std::string m_strCaption = "Vexlor";
    std::string m_strStatus;
    bool m_bStatusError = false;
    int m_nInstalls = 0;
    std::vector<std::pair<std::string, std::string>> m_questions;
    bool m_bAnswer = true;
    int m_nCloses = 0;
    int m_nStateChanges = 0;
};
