// The main window: the Russian menu, the dockable toolbar, the status bar
// with the message pane, and the editor window as its whole client area.
// Every command goes to the editor first, then to the frame (save, the
// exits, help, the bars), then to the application (about, exit).
//
// The host conversation plugs in through the host hook below, and talks
// back through the frame's side of it (HostFrameSide); without it
// (m_hServerWnd 0) Save writes the file only, closing asks only about
// unsaved changes, and Get help is disabled.
#pragma once

#include <QIcon>
#include <QMainWindow>
#include <QMessageBox>
#include <QToolBar>
#include <cstdint>
#include <map>
#include <string>

#include "app/HostFrameSide.h"
#include "app/qt/EqStatusBar.h"
#include "editor/qt/Vexlor.h"

class CEqApp;
class CommandLine;
class QAction;

class CMainFrame : public QMainWindow, public HostFrameSide {
    Q_OBJECT

  public:
    explicit CMainFrame(CEqApp* app = nullptr);
    ~CMainFrame() override;

    // The command line's fields: host window, file, server name.
    void ApplyCommandLine(const CommandLine& commandLine);
    // Creates the bars and the commands, loads the expressions file named by
    // m_strFileName and opens the host conversation. False when the window
    // could not be made.
    bool LoadFrame();

    // Command routing and enabling.
    void OnCommand(int id);
    void UpdateCommandUI();
    void UpdatePasteUI();
    QAction* Action(int id) const;

    // The frame's commands.
    void OnSave();
    void OnSaveAndExit();
    void OnExitWithoutSaving();
    void OnGetHelp();
    // Whether the frame may close now; asks the questions of closing.
    bool OnClose();

    // Installs a whole text (split by the marked-text rule) into the editor.
    void InstallText(const std::string& text, int line, const std::string& message) override;
    // m_strStatusMessage into the message pane, in red for an error.
    void SetStatusMessage(const std::string& text, bool error) override;

    // Caption and questions, in Windows-1251.
    std::string GetCaption() const override;
    void SetCaption(const std::string& caption) override;
    std::string GetAppTitle() const override { return m_strAppTitle; }
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    // Closes the frame later, from the event loop, as a posted close would.
    void PostClose() override;
    // Commands that depend on the conversation change their enabled state.
    void HostStateChanged() override { UpdateCommandUI(); }

    // --- Host hook: where the conversation with the host plugs in. ---
    // Whether a conversation is open (a host server window is known).
    virtual bool HasConversation() const { return m_hServerWnd != 0; }
    // At the end of LoadFrame, with m_strServerName from /N.
    virtual void OpenConversation() {}
    // Save hands the saved text to the host for checking.
    virtual void PokeText(const std::string&) {}
    // Get help asks the host to show its help.
    virtual void ExecuteHelp() {}
    // The frame is closing for good: tell the host.
    virtual void EndConversation() {}

    // The frame's parts and fields.
    CEqStatusBar m_wndStatusBar;
    QToolBar m_wndToolBar;
    CVexlor m_wndView;
    QIcon m_hIcon;
    int32_t m_hHostWnd = 0;
    std::string m_strFileName;   // as given: the file system's bytes
    std::string m_strServerName; // Windows-1251
    intptr_t m_hServerWnd = 0;
    bool m_bInitiating = false;
    bool m_bErrorShown = false;
    bool m_bTextAccepted = true;
    bool m_bCloseWhenAccepted = false;
    std::string m_strStatusMessage;
    std::string m_strAppTitle;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    CEqApp* m_pApp;
    std::map<int, QAction*> m_actions;
    bool m_bEnded = false;

    void CreateActions();
    void CreateMenu();
    void CreateToolBar();
    void CreateStatusBar();
    void LoadExpressionsFile();
    bool OnFrameCommand(int id);
    void ToggleBar(QWidget* bar);
    void ShowError(const QString& text);
    QMessageBox::StandardButton Ask(const QString& text, const QString& caption,
                                    QMessageBox::StandardButtons buttons, QMessageBox::Icon icon);
    std::string WorkingText() const;
    void UpdateLockIndicators();
};
