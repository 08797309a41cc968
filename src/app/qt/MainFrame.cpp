#include "app/qt/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
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
#include "app/qt/StringTable.h"
#include "app/qt/ToolbarIcons.h"
#include "editor/VexlorData.h"
#include "editor/qt/CommandIds.h"
#include "platform/qt/QtText.h"

CMainFrame::CMainFrame(CEqApp* app)
    : m_wndStatusBar(this), m_wndToolBar(this), m_wndView(this), m_hIcon(ToolbarIcons::AppIcon()),
      m_pApp(app) {}

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
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::UpdatePasteUI);
    qApp->installEventFilter(this);
    LoadExpressionsFile();
    m_host.Open(m_strServerName);
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
    switch (id) {
    case ID_FILE_SAVE:
        OnSave();
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
    bool selection = data->m_nAnchor != data->m_nCaret;
    m_actions[ID_EDIT_UNDO]->setEnabled(data->History().CanUndo());
    m_actions[ID_EDIT_REDO]->setEnabled(data->History().CanRedo());
    m_actions[ID_EDIT_CUT]->setEnabled(selection);
    m_actions[ID_EDIT_COPY]->setEnabled(selection);
    m_actions[ID_GET_HELP]->setEnabled(Conversation().IsConnected());
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
// off, installed. A file that cannot be read leaves the editor empty.
void CMainFrame::LoadExpressionsFile() {
    if (m_strFileName.empty())
        return;
    std::string bytes;
    QString name = QFile::decodeName(QByteArray::fromStdString(m_strFileName));
    if (!ExpressionsFile::Read(m_strFileName, &bytes)) {
        ShowError(StringTable::OpenError(name));
        return;
    }
    setWindowTitle(windowTitle() + QStringLiteral(" - ") + name);
    MarkedText marked = MarkedText::Split(bytes);
    InstallText(marked.m_strText, marked.m_nLine, marked.m_strMessage);
}

void CMainFrame::InstallText(const std::string& text, int line, const std::string& message) {
    TextInstaller::Install(m_wndView.DataSlot(), &m_wndView, text, line, message);
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

// The text that Save writes: a working copy of the editor's data, without
// a window.
std::string CMainFrame::WorkingText() const {
    CVexlorData copy;
    copy.Reset();
    copy.Assign(*m_wndView.GetData());
    copy.m_pWnd = nullptr;
    return copy.GetText();
}

// Save: the file is replaced as a whole (a new file renamed over it), so a
// failed write leaves the old file as it was and the data modified. Then the
// text goes to the host for checking; the conversation tells whether the
// save counts as done, which makes the data count as saved.
void CMainFrame::OnSave() {
    bool written = false;
    std::string text = WorkingText();
    if (!m_strFileName.empty()) {
        written = ExpressionsFile::Write(m_strFileName, text);
        if (!written)
            ShowError(StringTable::OpenError(
                QFile::decodeName(QByteArray::fromStdString(m_strFileName))));
    }
    if (Conversation().Save(text, !m_strFileName.empty(), written))
        m_wndView.GetData()->ClearUndo();
    UpdateCommandUI();
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
        QMessageBox::StandardButton answer =
            Ask(StringTable::SaveChangesQuestion(), StringTable::ExitCaption(),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Warning);
        if (answer == QMessageBox::No)
            return true;
        if (answer != QMessageBox::Yes)
            return false;
        OnSave();
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
