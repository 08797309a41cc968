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
//
// On its own (no conversation) the frame also opens files and saves under a
// new name; a save that cannot write the file (none named, unread at
// start-up, read-only, a folder, a full disk) says why in red and asks for
// another name, and only a written file makes the data count as saved. In a
// conversation the host owns the text: Open and Save As are disabled.
#pragma once

#include <QIcon>
#include <QMainWindow>
#include <QMessageBox>
#include <QToolBar>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "app/HostFrameSide.h"
#include "app/RecentFiles.h"
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

    // Gives the window its remembered size, place and bars (or the default
    // size), before it first shows.
    void RestoreWindowSettings();

    // The frame's commands.
    void OnOpen();
    void OnOpenRecent(int index);
    void OnSave();
    void OnSaveAs();
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

    // Asks for a file name: the dialog's title and the name or folder it
    // starts from; an empty answer is a cancel. The frame's own use Qt's
    // file dialogs; tests answer in their place.
    using FileNameQuestion = std::function<QString(const QString& title, const QString& start)>;
    FileNameQuestion m_askSaveName;
    FileNameQuestion m_askOpenName;
    // Whether the host owns the text (a conversation is open or opening).
    bool HostOwnsText();
    const RecentFiles& Recent() const { return m_recent; }

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
    RecentFiles m_recent;
    // The file named at start-up exists but could not be read: it is never
    // written, since its content was never seen.
    bool m_bFileUnread = false;

    void CreateActions();
    void CreateMenu();
    void CreateToolBar();
    void CreateStatusBar();
    void LoadExpressionsFile();
    bool OpenFile(const std::string& path);
    bool QuerySaveChanges(const QString& caption);
    enum class Unsaved { kKeep, kDrop, kSaved };
    Unsaved SaveChangesFirst(const QString& caption);
    void SaveForHost();
    bool WriteTo(const std::string& path, QString* failure);
    void MarkSaved();
    void ShowFile(const std::string& path);
    void Remember(const std::string& path);
    void UpdateRecentMenu();
    void ShowStatusError(const QString& text);
    QString StartFolder() const;
    bool OnFrameCommand(int id);
    void ToggleBar(QWidget* bar);
    void ShowError(const QString& text);
    QMessageBox::StandardButton Ask(const QString& text, const QString& caption,
                                    QMessageBox::StandardButtons buttons, QMessageBox::Icon icon);
    std::string WorkingText() const;
    void UpdateLockIndicators();
};
