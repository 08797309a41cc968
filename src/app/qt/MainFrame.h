// The main window: the Russian menu, the dockable toolbar, the status bar
// with the message pane, and the editor window as its whole client area.
// Every command goes to the editor first, then to the frame (save, the
// exits, help, the bars), then to the application (about, exit).
//
// The frame owns the link to its host (m_host): it opens it at the end of
// LoadFrame, before the window shows, and ends it when the window closes for
// good. Save, the exits, closing and Get help ask the conversation what the
// host has to do with them; the conversation talks back through the frame's
// side of it (HostFrameSide). Without a conversation Save writes the file
// only, closing asks only about unsaved changes, and Get help is disabled.
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
#include "app/qt/HostLink.h"
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

    // The conversation with the host named by /N (m_strServerName): its
    // state and every decision that involves the host. Tests put in one of
    // their own.
    virtual HostConversation& Conversation() { return m_host.Conversation(); }

    // The frame's parts and fields.
    CEqStatusBar m_wndStatusBar;
    QToolBar m_wndToolBar;
    CVexlor m_wndView;
    QIcon m_hIcon;
    int32_t m_hHostWnd = 0;
    std::string m_strFileName;   // as given: the file system's bytes
    std::string m_strServerName; // Windows-1251
    std::string m_strStatusMessage;
    std::string m_strAppTitle;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A new palette redraws the toolbar's icons in its colours.
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    CEqApp* m_pApp;
    std::map<int, QAction*> m_actions;
    HostLink m_host{this};

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
