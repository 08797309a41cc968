#include "app/qt/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTimer>

#include "app/CommandLine.h"
#include "app/ExpressionsFile.h"
#include "app/MarkedText.h"
#include "app/TextInstaller.h"
#include "app/qt/EqApp.h"
#include "app/qt/MenuResource.h"
#include "app/qt/OutputCommands.h"
#include "app/qt/StringTable.h"
#include "app/qt/ToolbarIcons.h"
#include "app/qt/WindowSettings.h"
#include "app/qt/ZoomMemory.h"
#include "editor/VexlorData.h"
#include "editor/qt/CommandIds.h"
#include "platform/qt/QtText.h"

namespace {
QString DecodedName(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// What the user is told when a file could not be opened.
QString OpenFailure(const std::string& path, ExpressionsFile::Failure failure) {
    if (failure == ExpressionsFile::Failure::kTooLarge)
        return StringTable::OpenTooLarge(DecodedName(path));
    return StringTable::OpenError(DecodedName(path));
}

std::string EncodedName(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

bool IsRecentCommand(int id) {
    return id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST;
}
} // namespace

CMainFrame::CMainFrame(CEqApp* app)
    : m_wndStatusBar(this), m_wndToolBar(this), m_wndView(this), m_hIcon(ToolbarIcons::AppIcon()),
      m_pApp(app), m_recent(WindowSettings::RecentFiles()) {
    m_askSaveName = [this](const QString& title, const QString& start) {
        return QFileDialog::getSaveFileName(this, title, start, StringTable::FileFilter());
    };
    m_askOpenName = [this](const QString& title, const QString& start) {
        return QFileDialog::getOpenFileName(this, title, start, StringTable::FileFilter());
    };
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    m_host.End();
}

void CMainFrame::ApplyCommandLine(const CommandLine& commandLine) {
    m_hHostWnd = commandLine.m_hHostWnd;
    m_strFileName = commandLine.m_strFileName;
    m_strServerName = commandLine.m_strServerName;
}

bool CMainFrame::LoadFrame() {
    setWindowIcon(m_hIcon);
    setCentralWidget(&m_wndView);
    CreateActions();
    CreateMenu();
    CreateToolBar();
    CreateStatusBar();
    SetStatusMessage({}, false);
    m_strAppTitle = QtText::ToCp1251(StringTable::AppTitle());
    SetCaption(m_strAppTitle);
    m_wndView.SetStatusSink(
        [this](const std::string& text, bool error) { SetStatusMessage(text, error); });
    connect(&m_wndView, &CVexlor::stateChanged, this, &CMainFrame::UpdateCommandUI);
    ZoomMemory::Attach(&m_wndView);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::UpdatePasteUI);
    qApp->installEventFilter(this);
    LoadExpressionsFile();
    m_host.Open(m_strServerName);
    UpdateRecentMenu();
    UpdateCommandUI();
    UpdatePasteUI();
    UpdateLockIndicators();
    m_wndView.setFocus();
    return true;
}

void CMainFrame::CreateActions() {
    for (const MenuResource::Popup& popup : MenuResource::Menu()) {
        for (const MenuResource::Item& item : popup.items) {
            if (item.id == ID_SEPARATOR)
                continue;
            auto* action = new QAction(QString::fromUtf8(item.text), this);
            m_actions[item.id] = action;
        }
    }
    for (const MenuResource::Accelerator& accelerator : MenuResource::Accelerators()) {
        QAction*& action = m_actions[accelerator.id];
        if (!action) {
            action = new QAction(this);
            addAction(action);
        }
        QList<QKeySequence> keys = action->shortcuts();
        keys.append(QKeySequence(accelerator.keys));
        action->setShortcuts(keys);
    }
    for (auto& [id, action] : m_actions) {
        action->setStatusTip(StringTable::Prompt(id));
        action->setToolTip(StringTable::ToolTip(id));
        action->setIcon(ToolbarIcons::For(id));
        action->setIconVisibleInMenu(false);
        int command = id;
        connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    }
    // Accelerators without a handler do nothing.
    m_actions[ID_NEXT_PANE]->setEnabled(false);
    m_actions[ID_PREV_PANE]->setEnabled(false);
    m_actions[ID_VIEW_TOOLBAR]->setCheckable(true);
    m_actions[ID_VIEW_STATUS_BAR]->setCheckable(true);
}

void CMainFrame::RestoreWindowSettings() {
    WindowSettings::Restore(this, &m_wndStatusBar);
    UpdateCommandUI();
}

void CMainFrame::CreateMenu() {
    for (const MenuResource::Popup& popup : MenuResource::Menu()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(popup.title));
        for (const MenuResource::Item& item : popup.items) {
            if (item.id == ID_SEPARATOR)
                menu->addSeparator();
            else
                menu->addAction(m_actions[item.id]);
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdatePasteUI);
    }
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar.setObjectName(QStringLiteral("toolbar"));
    m_wndToolBar.setWindowTitle(StringTable::ToolTip(ID_VIEW_TOOLBAR));
    m_wndToolBar.setIconSize(QSize(ToolbarIcons::kWidth, ToolbarIcons::kHeight));
    m_wndToolBar.setMovable(true);
    m_wndToolBar.setFloatable(true);
    m_wndToolBar.setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : MenuResource::ToolbarButtons()) {
        if (id == ID_SEPARATOR)
            m_wndToolBar.addSeparator();
        else
            m_wndToolBar.addAction(m_actions[id]);
    }
    addToolBar(Qt::TopToolBarArea, &m_wndToolBar);
}

void CMainFrame::CreateStatusBar() {
    setStatusBar(&m_wndStatusBar);
}

QAction* CMainFrame::Action(int id) const {
    auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

// The editor takes its commands first, then the frame, then the application.
void CMainFrame::OnCommand(int id) {
    if (m_wndView.OnCmdMsg(id) || OnFrameCommand(id))
        return;
    if (m_pApp)
        m_pApp->OnCmdMsg(id, this);
}

bool CMainFrame::OnFrameCommand(int id) {
    if (IsRecentCommand(id)) {
        OnOpenRecent(id - ID_FILE_MRU_FILE1);
        return true;
    }
    switch (id) {
    case ID_FILE_OPEN:
        OnOpen();
        return true;
    case ID_FILE_SAVE:
        OnSave();
        return true;
    case ID_FILE_SAVE_AS:
        OnSaveAs();
        return true;
    case ID_SAVE_AND_EXIT:
        OnSaveAndExit();
        return true;
    case ID_EXIT_WITHOUT_SAVING:
        OnExitWithoutSaving();
        return true;
    case ID_GET_HELP:
        OnGetHelp();
        return true;
    case ID_FILE_EXPORT:
        OutputCommands::Export(this, m_wndView);
        return true;
    case ID_FILE_PRINT:
        OutputCommands::Print(this, m_wndView);
        return true;
    case ID_VIEW_TOOLBAR:
        ToggleBar(&m_wndToolBar);
        return true;
    case ID_VIEW_STATUS_BAR:
        ToggleBar(&m_wndStatusBar);
        return true;
    default:
        return false;
    }
}

void CMainFrame::ToggleBar(QWidget* bar) {
    bar->setVisible(bar->isHidden());
    UpdateCommandUI();
}

void CMainFrame::UpdateCommandUI() {
    if (m_actions.empty())
        return;
    const CVexlorData* data = m_wndView.GetData();
    bool selection = data->AnchorPos() != data->CaretPos();
    m_actions[ID_EDIT_UNDO]->setEnabled(data->History().CanUndo());
    m_actions[ID_EDIT_REDO]->setEnabled(data->History().CanRedo());
    m_actions[ID_EDIT_CUT]->setEnabled(selection);
    m_actions[ID_EDIT_COPY]->setEnabled(selection);
    m_actions[ID_EDIT_COPY_LATEX]->setEnabled(selection);
    m_actions[ID_GET_HELP]->setEnabled(Conversation().IsConnected());
    const bool ownFile = !HostOwnsText();
    m_actions[ID_FILE_OPEN]->setEnabled(ownFile);
    m_actions[ID_FILE_SAVE_AS]->setEnabled(ownFile);
    for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_LAST; ++id)
        m_actions[id]->setEnabled(ownFile);
    m_wndStatusBar.SetModified(data->IsModified());
    m_actions[ID_VIEW_TOOLBAR]->setChecked(!m_wndToolBar.isHidden());
    m_actions[ID_VIEW_STATUS_BAR]->setChecked(!m_wndStatusBar.isHidden());
}

// Paste follows the clipboard, which changes without the editor: asking it
// can take a round trip to another program, so it is asked when it changed.
void CMainFrame::UpdatePasteUI() {
    if (QAction* paste = Action(ID_EDIT_PASTE))
        paste->setEnabled(m_wndView.GetData()->CanPaste());
}

// The expressions file of the command line: read whole, its marker split
// off, installed. A file that cannot be read leaves the editor empty; when it
// exists (it is not merely missing) it is never written.
void CMainFrame::LoadExpressionsFile() {
    if (m_strFileName.empty())
        return;
    std::string bytes;
    ExpressionsFile::Failure failure = ExpressionsFile::Failure::kNone;
    if (!ExpressionsFile::Read(m_strFileName, &bytes, &failure)) {
        m_bFileUnread = failure != ExpressionsFile::Failure::kMissing;
        ShowError(OpenFailure(m_strFileName, failure));
        return;
    }
    setWindowTitle(windowTitle() + QStringLiteral(" - ") + DecodedName(m_strFileName));
    MarkedText marked = MarkedText::Split(bytes);
    InstallText(marked.m_strText, marked.m_nLine, marked.m_strMessage);
    // A file of the host's is not one of the user's recent files.
    if (m_strServerName.empty())
        Remember(m_strFileName);
}

// Open and the recent files: the file replaces the text only once it has
// been read; a file that cannot be read changes nothing.
bool CMainFrame::OpenFile(const std::string& path) {
    std::string bytes;
    ExpressionsFile::Failure failure = ExpressionsFile::Failure::kNone;
    if (!ExpressionsFile::Read(path, &bytes, &failure)) {
        ShowError(OpenFailure(path, failure));
        if (failure == ExpressionsFile::Failure::kMissing) {
            m_recent.Remove(path);
            WindowSettings::StoreRecentFiles(m_recent.Names());
            UpdateRecentMenu();
        }
        return false;
    }
    ShowFile(path);
    SetStatusMessage({}, false);
    MarkedText marked = MarkedText::Split(bytes);
    InstallText(marked.m_strText, marked.m_nLine, marked.m_strMessage);
    Remember(path);
    return true;
}

void CMainFrame::OnOpen() {
    if (HostOwnsText() || !QuerySaveChanges(StringTable::OpenTitle()))
        return;
    const QString name = m_askOpenName(StringTable::OpenTitle(), StartFolder());
    if (!name.isEmpty())
        OpenFile(EncodedName(name));
}

void CMainFrame::OnOpenRecent(int index) {
    if (HostOwnsText() || index < 0 || static_cast<size_t>(index) >= m_recent.Names().size())
        return;
    const std::string path = m_recent.Names()[static_cast<size_t>(index)];
    if (QuerySaveChanges(StringTable::OpenTitle()))
        OpenFile(path);
}

// Before the text is replaced: unsaved changes are saved, dropped or kept
// (then nothing else happens), as the user answers.
bool CMainFrame::QuerySaveChanges(const QString& caption) {
    if (!m_wndView.GetData()->IsModified())
        return true;
    const Unsaved answer = SaveChangesFirst(caption);
    return answer == Unsaved::kDrop ||
           (answer == Unsaved::kSaved && !m_wndView.GetData()->IsModified());
}

// "Сохранить изменения?": Yes runs Save (whether it worked shows in the
// data's modified state), No drops the changes, anything else keeps them.
CMainFrame::Unsaved CMainFrame::SaveChangesFirst(const QString& caption) {
    QMessageBox::StandardButton answer =
        Ask(StringTable::SaveChangesQuestion(), caption,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Warning);
    if (answer == QMessageBox::No)
        return Unsaved::kDrop;
    if (answer != QMessageBox::Yes)
        return Unsaved::kKeep;
    OnSave();
    return Unsaved::kSaved;
}

// The file now being edited: caption, name, and it is readable.
void CMainFrame::ShowFile(const std::string& path) {
    m_strFileName = path;
    m_bFileUnread = false;
    setWindowTitle(QtText::FromCp1251(m_strAppTitle) + QStringLiteral(" - ") + DecodedName(path));
}

void CMainFrame::Remember(const std::string& path) {
    m_recent.Add(EncodedName(QFileInfo(DecodedName(path)).absoluteFilePath()));
    WindowSettings::StoreRecentFiles(m_recent.Names());
    UpdateRecentMenu();
}

void CMainFrame::UpdateRecentMenu() {
    const std::vector<std::string>& names = m_recent.Names();
    for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_LAST; ++id) {
        QAction* action = Action(id);
        const size_t index = static_cast<size_t>(id - ID_FILE_MRU_FILE1);
        if (!action)
            continue;
        action->setVisible(index < names.size());
        if (index >= names.size())
            continue;
        QString name = DecodedName(names[index]);
        action->setStatusTip(name);
        action->setText(QStringLiteral("&%1 %2").arg(index + 1).arg(
            name.replace(QLatin1Char('&'), QStringLiteral("&&"))));
    }
}

QString CMainFrame::StartFolder() const {
    if (m_strFileName.empty())
        return QDir::currentPath();
    return QFileInfo(DecodedName(m_strFileName)).absolutePath();
}

bool CMainFrame::HostOwnsText() {
    return Conversation().IsConnected() || Conversation().IsInitiating();
}

void CMainFrame::InstallText(const std::string& text, int line, const std::string& message) {
    TextInstaller::Install(m_wndView.DataSlot(), &m_wndView, text, line, message);
    m_wndView.LearnTextsWhenIdle();
    UpdateCommandUI();
}

void CMainFrame::SetStatusMessage(const std::string& text, bool error) {
    m_strStatusMessage = text;
    m_wndStatusBar.SetMessage(QtText::FromCp1251(text), error);
}

std::string CMainFrame::GetCaption() const {
    return QtText::ToCp1251(windowTitle());
}

void CMainFrame::SetCaption(const std::string& caption) {
    setWindowTitle(QtText::FromCp1251(caption));
}

// The text that Save writes; the trees on screen stay as they are.
std::string CMainFrame::WorkingText() const {
    return m_wndView.GetData()->SavedText();
}

// Save: the file is replaced as a whole (a new file renamed over it), so a
// failed write leaves the old file as it was and the data modified. Only
// what was kept somewhere makes the data count as saved: with a
// conversation the text goes to the host, which decides; on its own the
// frame asks for a name when it has none or cannot write the one it has.
void CMainFrame::OnSave() {
    if (Conversation().IsConnected()) {
        SaveForHost();
        return;
    }
    if (!m_strFileName.empty()) {
        QString failure;
        if (WriteTo(m_strFileName, &failure)) {
            MarkSaved();
            return;
        }
        ShowStatusError(failure);
    }
    OnSaveAs();
}

void CMainFrame::SaveForHost() {
    bool written = false;
    if (!m_strFileName.empty()) {
        QString failure;
        written = WriteTo(m_strFileName, &failure);
        if (!written)
            ShowError(StringTable::OpenError(DecodedName(m_strFileName)));
    }
    if (Conversation().Save(WorkingText(), !m_strFileName.empty(), written))
        m_wndView.GetData()->ClearUndo();
    UpdateCommandUI();
}

// Save As: a cancelled dialog or a failed write changes nothing but the
// message; a written file becomes the file being edited.
void CMainFrame::OnSaveAs() {
    if (HostOwnsText())
        return;
    const QString start = m_strFileName.empty()
                              ? StartFolder()
                              : QFileInfo(DecodedName(m_strFileName)).absoluteFilePath();
    const QString name = m_askSaveName(StringTable::SaveAsTitle(), start);
    QString failure;
    if (name.isEmpty() || !WriteTo(EncodedName(name), &failure)) {
        if (!failure.isEmpty())
            ShowStatusError(failure);
        UpdateCommandUI();
        return;
    }
    ShowFile(EncodedName(name));
    Remember(m_strFileName);
    MarkSaved();
}

// Writes the editor's text to path; *failure says why it did not.
bool CMainFrame::WriteTo(const std::string& path, QString* failure) {
    const QString name = DecodedName(path);
    if (m_bFileUnread && QFileInfo(name) == QFileInfo(DecodedName(m_strFileName))) {
        *failure = StringTable::SaveRefusedUnread(name);
        return false;
    }
    ExpressionsFile::Failure why = ExpressionsFile::Failure::kNone;
    if (ExpressionsFile::Write(path, WorkingText(), &why))
        return true;
    *failure = StringTable::SaveFailed(name, why);
    return false;
}

void CMainFrame::MarkSaved() {
    SetStatusMessage({}, false);
    m_wndView.GetData()->ClearUndo();
    UpdateCommandUI();
}

void CMainFrame::ShowStatusError(const QString& text) {
    m_strStatusMessage = QtText::ToCp1251(text);
    m_wndStatusBar.SetMessage(text, true);
}

// With a conversation the host's acceptance closes the frame later.
void CMainFrame::OnSaveAndExit() {
    OnSave();
    if (Conversation().CloseAfterSave(m_wndView.GetData()->IsModified()))
        PostClose();
}

void CMainFrame::OnExitWithoutSaving() {
    m_wndView.GetData()->ClearUndo();
    Conversation().ExitWithoutSaving();
    UpdateCommandUI();
    PostClose();
}

void CMainFrame::OnGetHelp() {
    Conversation().ShowHelp();
}

bool CMainFrame::OnClose() {
    if (m_wndView.GetData()->IsModified()) {
        switch (SaveChangesFirst(StringTable::ExitCaption())) {
        case Unsaved::kKeep:
            return false;
        case Unsaved::kDrop:
            return true;
        case Unsaved::kSaved:
            break;
        }
        return Conversation().CloseAfterSave(m_wndView.GetData()->IsModified());
    }
    return Conversation().QueryClose();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!OnClose()) {
        event->ignore();
        return;
    }
    event->accept();
    WindowSettings::Store(this, &m_wndStatusBar);
    // Closed for good: the host hears TERMINATE now, not when the frame is
    // destroyed.
    Conversation().End();
}

void CMainFrame::PostClose() {
    QTimer::singleShot(0, this, &QWidget::close);
}

bool CMainFrame::AskYesNo(const std::string& text, const std::string& caption) {
    return Ask(QtText::FromCp1251(text), QtText::FromCp1251(caption),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) == QMessageBox::Yes;
}

QMessageBox::StandardButton CMainFrame::Ask(const QString& text, const QString& caption,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::Icon icon) {
    QMessageBox box(icon, caption, text, buttons, this);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void CMainFrame::ShowError(const QString& text) {
    Ask(text, StringTable::AppTitle(), QMessageBox::Ok, QMessageBox::Critical);
}

// The prompt of the hovered menu item or button goes to the prompt pane.
bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        m_wndStatusBar.SetPrompt(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::PaletteChange)
        return;
    for (auto& [id, action] : m_actions)
        action->setIcon(ToolbarIcons::For(id, palette()));
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // The lock keys change their state when released here, or anywhere
    // while the window was inactive. A key event reaches its window first,
    // then the widgets: look once.
    bool lockKey = false;
    if (event->type() == QEvent::KeyRelease && watched->isWindowType()) {
        int key = static_cast<QKeyEvent*>(event)->key();
        lockKey = key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
    }
    if (lockKey || (event->type() == QEvent::WindowActivate && watched == this))
        UpdateLockIndicators();
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::UpdateLockIndicators() {
    m_wndStatusBar.SetLockState(LockKeys::Query());
}
