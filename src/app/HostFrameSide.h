// What the conversation with the host needs of the main frame. The frame
// implements it; HostConversation calls it. Texts are Windows-1251 bytes.
//
// The frame keeps its caption, the application title, the editor and its
// data, and the status bar's message pane (m_strStatusMessage). The
// conversation keeps the conversation's state and decides, by it, what the
// frame's Save, Save and Exit, Exit without saving, close and Get help do
// with the host; see HostConversation for the calls the frame makes.
#pragma once

#include <string>

class HostFrameSide {
  public:
    virtual ~HostFrameSide() = default;

    virtual std::string GetCaption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // The application title, base of every caption ("Vexlor").
    virtual std::string GetAppTitle() const = 0;

    // Installs a whole text split by the marked-text rule (TextInstaller):
    // replaces the editor's data, and when line is 0 or more selects that
    // row and shows TextInstaller::StatusText(line, message) in red, keeping
    // it as m_strStatusMessage.
    virtual void InstallText(const std::string& text, int line, const std::string& message) = 0;
    // Sets m_strStatusMessage and shows it in the message pane, in red when
    // error is set, as plain text otherwise. An empty plain text clears it.
    virtual void SetStatusMessage(const std::string& text, bool error) = 0;

    // A modal question with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // Asks the frame to close as WM_CLOSE would, later: queued, never from
    // inside this call, since it comes while the host's bytes are handled.
    virtual void PostClose() = 0;
    // The conversation opened or ended: commands that depend on it (Get
    // help) change their enabled state.
    virtual void HostStateChanged() = 0;
};
