// The main frame as the user meets it: menus, toolbar, status bar, the
// command routing and enabling, saving, the ways of leaving with their
// questions, start-up from the command line, the conversation with a host
// as the frame takes part in it, and the system clipboard.
#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusTipEvent>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "QtTestSupport.h"
#include "app/HostConversation.h"
#include "app/HostFrameReader.h"
#include "app/HostTransport.h"
#include "app/qt/EqApp.h"
#include "app/qt/MainFrame.h"
#include "app/qt/WindowSettings.h"
#include "editor/VexlorData.h"
#include "editor/qt/CommandIds.h"
#include "platform/qt/QtClipboard.h"
#include "rows/EqExpr.h"

using namespace QtTestSupport;

namespace {
using Button = QMessageBox::StandardButton;

// The conversation's way out, keeping every frame it sends.
class RecordingTransport : public HostTransport {
  public:
    bool Send(const std::string& bytes) override {
        m_reader.Feed(bytes);
        HostFrame frame;
        while (m_reader.Next(&frame) == HostFrameReader::kFrame)
            m_sent.push_back(frame);
        return !m_reader.IsFailed();
    }
    void Close() override { m_bClosed = true; }

    std::vector<HostFrame> m_sent;
    bool m_bClosed = false;

  private:
    HostFrameReader m_reader;
};

// A frame whose conversation runs over a recording transport: the test
// plays the host's part with FromHost.
class ConversingFrame : public CMainFrame {
  public:
    using CMainFrame::CMainFrame;
    HostConversation& Conversation() override { return m_conversation; }

    // Opens the conversation with host "M" as a prompt host would answer.
    void Connect() {
        m_conversation.Begin("M");
        m_conversation.Opened();
        FromHost(HostFrame::Ack("M", "Vexlor", 0));
    }
    void FromHost(const HostFrame& frame) { m_conversation.Receive(frame.Encode()); }

    // The texts sent for checking, in order.
    std::vector<std::string> Poked() const {
        std::vector<std::string> texts;
        for (const HostFrame& frame : m_transport.m_sent) {
            if (frame.m_nType == HostFrame::kPoke && frame.m_strName == "CheckText")
                texts.push_back(frame.m_strText);
        }
        return texts;
    }
    bool Sent(const HostFrame& wanted) const {
        return std::find(m_transport.m_sent.begin(), m_transport.m_sent.end(), wanted) !=
               m_transport.m_sent.end();
    }
    bool Terminated() const { return Sent(HostFrame::Terminate()) && m_transport.m_bClosed; }

    RecordingTransport m_transport;
    HostConversation m_conversation{this, &m_transport};
};

// The host's two answers to a text sent for checking.
HostFrame Rejection(const std::string& markedText) {
    return HostFrame::Data("CheckTextError", markedText);
}
HostFrame Acceptance() {
    return HostFrame::Ack("CheckTextOK", "", 0);
}

CEqApp* App() {
    return static_cast<CEqApp*>(QCoreApplication::instance());
}

// Keeps the file-size limit of the process for one block.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_bSet = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previous);
    }
    bool IsSet() const { return m_bSet; }

  private:
    rlimit m_saved{};
    void (*m_previous)(int) = nullptr;
    bool m_bSet = false;
};

// Runs a block as an ordinary user when the test runs as the superuser, who
// could read any file: the effective user becomes "nobody" and comes back.
class OrdinaryUser {
  public:
    OrdinaryUser() : m_bSwitched(::geteuid() == 0 && ::seteuid(kNobody) == 0) {}
    ~OrdinaryUser() {
        if (m_bSwitched)
            QVERIFY(::seteuid(0) == 0);
    }

  private:
    static constexpr uid_t kNobody = 65534;
    bool m_bSwitched;
};
} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void menuHoldsEveryItemWithItsId();
    void toolbarButtonsAreInOrder();
    void acceleratorsAreAttached();
    void promptsAndTooltipsComeFromTheStringTable();
    void controlBInsertsBracketsOnce();
    void controlEGoesThroughTheCommand();
    void altBackspaceUndoes();
    void enablingFollowsTheData();
    void controlSWritesTheFileInPlaceAtomically();
    void saveWithoutFileAsksForAName_data();
    void saveWithoutFileAsksForAName();
    void failedWriteKeepsTheOldFileAndTheChanges();
    void readOnlyFolderKeepsTheOldFile();
    void badTargetsKeepTheChanges_data();
    void badTargetsKeepTheChanges();
    void unreadableFileIsNeverWritten();
    void readOnlyFileIsNotReplaced();
    void openOnModifiedDataAsks_data();
    void openOnModifiedDataAsks();
    void recentFilesAreListedAndRemembered();
    void hostOwnsTheTextInAConversation();
    void windowSizeAndBarsAreRemembered();
    void narrowWindowElidesTheStatusPanes();
    void untouchedEditorClosesWithoutAQuestion();
    void closingModifiedDataAsksToSave_data();
    void closingModifiedDataAsksToSave();
    void saveAndExitWritesAndCloses();
    void exitWithoutSavingAsksNothing();
    void errorVerdictAsksAreYouSure();
    void pendingCheckKeepsTheWindowOpen();
    void saveHandsTheTextToTheHost();
    void saveAndExitWaitsForTheVerdict();
    void hostCaptionAndTextReachTheWindow();
    void lostHostIsReportedAndFreesTheWindow();
    void markedTextAtStartUpSelectsTheRow();
    void missingFileIsReportedAndLeavesAnEmptyEditor();
    void commandLineFormsAreAccepted();
    void copyPutsThePrivateFormatOnTheClipboard();
    void cutAndPasteRestoreTheStructure();
    void plainTextIsPastedAsALine();
    void privateFormatWinsOverText();
    void damagedPrivateBlockPastesNothing();
    void aboutBoxShowsTheVersion();
    void standardButtonsAreRussian();
    void barsCanBeHiddenAndShown();

  private:
    CMainFrame* Open(const std::string& bytes, CMainFrame* frame = nullptr);
    CVexlorData* Data() { return m_frame->m_wndView.GetData(); }
    void Type(const char* text) { QTest::keyClicks(&m_frame->m_wndView, text); }
    bool IsEnabled(int id) { return m_frame->Action(id)->isEnabled(); }
    bool CloseAndSettle();
    // Makes the frame's file dialogs answer from the test: the titles asked
    // go to m_asked, the answers are m_saveName and m_openName (empty: the
    // dialog is cancelled).
    void AnswerDialogs(CMainFrame* frame);
    QString FileIn(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir m_dir;
    QStringList m_asked;
    QString m_saveName;
    QString m_openName;
    QString m_path;
    std::unique_ptr<CMainFrame> m_frame;
};

void MainFrameTest::init() {
    // Hosts are looked for under the test's own folder, where none listens.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
    m_path = m_dir.filePath(QStringLiteral("model.txt"));
    QFile::remove(m_path);
    QApplication::clipboard()->clear();
    QSettings().clear();
    m_asked.clear();
    m_saveName.clear();
    m_openName.clear();
}

void MainFrameTest::AnswerDialogs(CMainFrame* frame) {
    frame->m_askSaveName = [this](const QString& title, const QString&) {
        m_asked << title;
        return m_saveName;
    };
    frame->m_askOpenName = [this](const QString& title, const QString&) {
        m_asked << title;
        return m_openName;
    };
}

void MainFrameTest::cleanup() {
    m_frame.reset();
}

// A frame on the expressions file m_path holding bytes (no file when empty).
CMainFrame* MainFrameTest::Open(const std::string& bytes, CMainFrame* frame) {
    m_frame.reset(frame ? frame : new CMainFrame(App()));
    AnswerDialogs(m_frame.get());
    if (!bytes.empty()) {
        if (!WriteFile(m_path, bytes))
            return nullptr;
        m_frame->m_strFileName = QFile::encodeName(m_path).toStdString();
    }
    if (!m_frame->LoadFrame())
        return nullptr;
    m_frame->resize(800, 500);
    if (!ShowActive(m_frame.get(), &m_frame->m_wndView))
        return nullptr;
    return m_frame.get();
}

// Closes through Exit (Alt+X) and lets posted closes run; true when the
// frame went away.
bool MainFrameTest::CloseAndSettle() {
    if (!ShowActive(m_frame.get(), &m_frame->m_wndView))
        return false;
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_X, Qt::AltModifier);
    QApplication::processEvents();
    return !m_frame->isVisible();
}

void MainFrameTest::menuHoldsEveryItemWithItsId() {
    QVERIFY(Open({}));
    QStringList expected = {
        "&Файл|&Открыть…\tCtrl+O=57601|&Сохранить\tCtrl+S=57603|"
        "Сохранить &как…\tCtrl+Shift+S=57604|-|&Экспорт…=32815|&Печать…=57607|-|"
        "Со&хранить и Выйти\tAlt+S=32793|"
        "Выход &без сохранения изменений\tAlt+W=32791|-|-|В&ыход\tAlt+X=57665",
        "&Правка|&Отменить\tCtrl+Z=57643|&Вернуть\tCtrl+Y=57644|-|Вы&резать\tCtrl+X=57635|"
        "&Копировать\tCtrl+C=57634|Вст&авить\tCtrl+V=57637|-|Копировать как &LaTeX=32811",
        "Вст&авка|&Скобки\tCtrl+B=32782|&Производная\tCtrl+D=32784|В&торая производная\tCtrl+E="
        "32795|&Дробь\tCtrl+F=32787|&Верхний индекс\tCtrl+P=32786|&Нижний индекс\tCtrl+I=32785|"
        "Нижний и Верхний &Индексы\tCtrl+W=32789|&Квадратный корень\tCtrl+R=32783",
        "&Вид|&Панель инструментов=59392|&Строка состояния=59393|-|&Масштаб: крупнее\tCtrl+==32812|"
        "Масштаб: &мельче\tCtrl+-=32813|Масштаб: &100 %\tCtrl+0=32814",
        "П&омощь|&Вызов справки...=32794|-|&О Vexlor...=57664",
    };
    QStringList actual;
    for (QAction* menuAction : m_frame->menuBar()->actions()) {
        QString line = menuAction->text();
        for (QAction* item : menuAction->menu()->actions()) {
            // The unused recent-file items are hidden.
            if (!item->isVisible())
                continue;
            if (item->isSeparator()) {
                line += QStringLiteral("|-");
                continue;
            }
            int id = -1;
            for (int candidate :
                 {57601, 57603, 57604, 32793, 32791, 57665, 57643, 57644, 57635, 57634,
                  57637, 32782, 32784, 32795, 32787, 32786, 32785, 32789, 32783, 59392,
                  59393, 32794, 57664, 32811, 32812, 32813, 32814, 32815, 57607}) {
                if (m_frame->Action(candidate) == item)
                    id = candidate;
            }
            line += QStringLiteral("|%1=%2").arg(item->text()).arg(id);
        }
        actual << line;
    }
    QCOMPARE(actual, expected);
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Vexlor"));
}

void MainFrameTest::toolbarButtonsAreInOrder() {
    QVERIFY(Open({}));
    QList<int> ids;
    for (QAction* action : m_frame->m_wndToolBar.actions()) {
        int id = 0;
        for (int candidate : {57603, 32793, 32791, 57635, 57634, 57637, 57643, 57644, 32782, 32784,
                              32795, 32787, 32786, 32785, 32789, 32783, 32794}) {
            if (m_frame->Action(candidate) == action)
                id = candidate;
        }
        QVERIFY(id != 0 || action->isSeparator());
        ids << id;
        if (!action->isSeparator())
            QVERIFY2(!action->icon().isNull(), qPrintable(action->toolTip()));
    }
    QList<int> expected = {57603, 32793, 32791, 0,     57635, 57634, 57637, 0,     57643, 57644, 0,
                           32782, 32784, 32795, 32787, 32786, 32785, 32789, 32783, 0,     32794};
    QCOMPARE(ids, expected);
    QVERIFY(m_frame->m_wndToolBar.isMovable());
    QCOMPARE(m_frame->m_wndToolBar.allowedAreas(), Qt::AllToolBarAreas);
}

void MainFrameTest::acceleratorsAreAttached() {
    QVERIFY(Open({}));
    auto keys = [&](int id) {
        QStringList list;
        for (const QKeySequence& key : m_frame->Action(id)->shortcuts())
            list << key.toString(QKeySequence::PortableText);
        return list;
    };
    QCOMPARE(keys(ID_EDIT_COPY), QStringList({"Ctrl+C", "Ctrl+Ins"}));
    QCOMPARE(keys(ID_EDIT_PASTE), QStringList({"Ctrl+V", "Shift+Ins"}));
    QCOMPARE(keys(ID_EDIT_CUT), QStringList({"Ctrl+X", "Shift+Del"}));
    QCOMPARE(keys(ID_EDIT_UNDO), QStringList({"Ctrl+Z", "Alt+Backspace"}));
    QCOMPARE(keys(ID_FILE_SAVE), QStringList({"Ctrl+S"}));
    QCOMPARE(keys(ID_FILE_OPEN), QStringList({"Ctrl+O"}));
    QCOMPARE(keys(ID_FILE_SAVE_AS), QStringList({"Ctrl+Shift+S"}));
    QCOMPARE(keys(ID_SAVE_AND_EXIT), QStringList({"Alt+S"}));
    QCOMPARE(keys(ID_EXIT_WITHOUT_SAVING), QStringList({"Alt+W"}));
    QCOMPARE(keys(ID_APP_EXIT), QStringList({"Alt+X"}));
    QCOMPARE(keys(ID_INSERT_DERIVE2), QStringList({"Ctrl+E"}));
    QCOMPARE(keys(ID_GET_HELP), QStringList({"F1"}));
}

void MainFrameTest::promptsAndTooltipsComeFromTheStringTable() {
    QVERIFY(Open({}));
    QCOMPARE(m_frame->m_wndStatusBar.Prompt(), QStringLiteral("Готово"));
    QAction* fraction = m_frame->Action(ID_INSERT_FRACTION);
    QCOMPARE(fraction->toolTip(), QStringLiteral("Дробь"));
    QCOMPARE(m_frame->Action(ID_APP_ABOUT)->toolTip(), QStringLiteral("О Vexlor..."));
    // Hovering shows the prompt; leaving brings the idle text back.
    QStatusTipEvent hover(fraction->statusTip());
    QApplication::sendEvent(m_frame.get(), &hover);
    QCOMPARE(m_frame->m_wndStatusBar.Prompt(), QStringLiteral("Добавление дроби в выражение"));
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(m_frame.get(), &leave);
    QCOMPARE(m_frame->m_wndStatusBar.Prompt(), QStringLiteral("Готово"));
    // The tip of a toolbar button reaches the prompt pane through the bar.
    QWidget* button = m_frame->m_wndToolBar.widgetForAction(m_frame->Action(ID_EDIT_UNDO));
    QVERIFY(button);
    QStatusTipEvent fromButton(m_frame->Action(ID_EDIT_UNDO)->statusTip());
    QApplication::sendEvent(button, &fromButton);
    QCOMPARE(m_frame->m_wndStatusBar.Prompt(), QStringLiteral("Отмена последнего действия"));
    // Offscreen the lock keys' state is unknown: no indicators.
    QVERIFY(!m_frame->m_wndStatusBar.AreIndicatorsShown());
}

void MainFrameTest::controlBInsertsBracketsOnce() {
    QVERIFY(Open({}));
    int triggered = 0;
    connect(m_frame->Action(ID_INSERT_BRACKETS), &QAction::triggered, [&] { ++triggered; });
    Type("a");
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(AtomsOfClass(*Data(), "CEqBrackets").size(), size_t(1));
    QCOMPARE(triggered, 0);
    QCOMPARE(Data()->History().UndoSize(), size_t(2));
    // Through the menu command it is the same single insertion.
    m_frame->Action(ID_INSERT_BRACKETS)->trigger();
    QCOMPARE(AtomsOfClass(*Data(), "CEqBrackets").size(), size_t(2));
    QCOMPARE(CheckData(*Data()), std::string());
}

void MainFrameTest::controlEGoesThroughTheCommand() {
    QVERIFY(Open({}));
    int triggered = 0;
    connect(m_frame->Action(ID_INSERT_DERIVE2), &QAction::triggered, [&] { ++triggered; });
    Type("x");
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(triggered, 1);
    QCOMPARE(AtomsOfClass(*Data(), "CEqDerive2").size(), size_t(1));
    QCOMPARE(CheckData(*Data()), std::string());
}

void MainFrameTest::altBackspaceUndoes() {
    QVERIFY(Open({}));
    // "+" opens an undo step that the following name joins.
    Type("ab+c");
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(TextOf(*Data()), QStringLiteral("ab;"));
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(TextOf(*Data()), QString());
    QVERIFY(!IsEnabled(ID_EDIT_UNDO));
}

void MainFrameTest::enablingFollowsTheData() {
    QVERIFY(Open({}));
    QVERIFY(!IsEnabled(ID_EDIT_UNDO));
    QVERIFY(!IsEnabled(ID_EDIT_REDO));
    QVERIFY(!IsEnabled(ID_EDIT_CUT));
    QVERIFY(!IsEnabled(ID_EDIT_COPY));
    QVERIFY(!IsEnabled(ID_EDIT_PASTE));
    QVERIFY(!IsEnabled(ID_GET_HELP));
    QVERIFY(IsEnabled(ID_INSERT_ROOT));
    QVERIFY(IsEnabled(ID_SAVE_AND_EXIT));

    Type("abc");
    QVERIFY(IsEnabled(ID_EDIT_UNDO));
    QVERIFY(!IsEnabled(ID_EDIT_REDO));
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_Left, Qt::ShiftModifier);
    QVERIFY(IsEnabled(ID_EDIT_CUT));
    QVERIFY(IsEnabled(ID_EDIT_COPY));
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(IsEnabled(ID_EDIT_PASTE));
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_Right);
    QVERIFY(!IsEnabled(ID_EDIT_COPY));
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(IsEnabled(ID_EDIT_REDO));
    QVERIFY(!IsEnabled(ID_EDIT_UNDO));
    QApplication::clipboard()->setText(QStringLiteral("q"));
    QVERIFY(IsEnabled(ID_EDIT_PASTE));
    QApplication::clipboard()->clear();
    QVERIFY(!IsEnabled(ID_EDIT_PASTE));
    // A save clears the history: Undo is disabled afterwards.
    Type("z");
    QVERIFY(IsEnabled(ID_EDIT_UNDO));
    m_saveName = m_path;
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!IsEnabled(ID_EDIT_UNDO));
    QVERIFY(!IsEnabled(ID_GET_HELP));
}

void MainFrameTest::controlSWritesTheFileInPlaceAtomically() {
    QVERIFY(Open("a = 1;\r\nb = 2;\r\n"));
    QVERIFY(::chmod(QFile::encodeName(m_path).constData(), 0640) == 0);
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_End);
    Type("+x");
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ReadFile(m_path), std::string("a = 1+x;\r\nb = 2;"));
    struct stat st {};
    QVERIFY(::stat(QFile::encodeName(m_path).constData(), &st) == 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640));
    QVERIFY(!Data()->IsModified());
    // Nothing but the file itself is left in its folder.
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList({"model.txt"}));
    QCOMPARE(m_frame->m_strStatusMessage, std::string());
}

void MainFrameTest::saveWithoutFileAsksForAName_data() {
    QTest::addColumn<bool>("named");
    QTest::newRow("dialog cancelled") << false;
    QTest::newRow("name given") << true;
}

// With neither a file nor a host, Save asks for a name: a cancel keeps the
// changes (and leaving still asks), a name writes the file as every save does.
void MainFrameTest::saveWithoutFileAsksForAName() {
    QFETCH(bool, named);
    QVERIFY(Open({}));
    m_frame->SetStatusMessage("\xCE\xF8\xE8\xE1\xEA\xE0", true);
    Type("y");
    QCOMPARE(m_frame->m_wndStatusBar.ModifiedIndicator(), QStringLiteral("Изменён"));
    if (named)
        m_saveName = m_path;
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_asked, QStringList({QStringLiteral("Сохранить как")}));
    QCOMPARE(Data()->IsModified(), !named);
    QCOMPARE(IsEnabled(ID_EDIT_UNDO), !named);
    QCOMPARE(m_frame->m_wndStatusBar.ModifiedIndicator(),
             named ? QString() : QStringLiteral("Изменён"));
    QCOMPARE(m_frame->m_wndStatusBar.IsMessageError(), !named);
    if (!named) {
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList());
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("Vexlor"));
        ModalAnswerer question({QMessageBox::Yes});
        QVERIFY(!CloseAndSettle());
        QCOMPARE(question.Texts(), QStringList({QStringLiteral("Сохранить изменения?")}));
        // Yes asked for a name again; cancelled, so the window stays.
        QCOMPARE(m_asked.size(), 2);
        QVERIFY(Data()->IsModified());
        return;
    }
    QCOMPARE(ReadFile(m_path), std::string("y;"));
    QCOMPARE(m_frame->m_strFileName, QFile::encodeName(m_path).toStdString());
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Vexlor - ") + m_path);
    QCOMPARE(m_frame->m_wndStatusBar.Message(), QString());
    QCOMPARE(WindowSettings::RecentFiles(),
             std::vector<std::string>({QFile::encodeName(m_path).toStdString()}));
    // The next Save writes the same file without asking.
    Type("+1");
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_asked.size(), 1);
    QCOMPARE(ReadFile(m_path), std::string("y+1;"));
    ModalAnswerer none({});
    QVERIFY(CloseAndSettle());
    QVERIFY(none.Boxes().empty());
}

void MainFrameTest::failedWriteKeepsTheOldFileAndTheChanges() {
    const std::string old = "a = 1;\r\n";
    QVERIFY(Open(old));
    Type(std::string(200, 'x').c_str());
    {
        ModalAnswerer answers({});
        FileSizeLimit limit(64);
        QVERIFY(limit.IsSet());
        QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(answers.Boxes().empty());
    }
    QCOMPARE(m_frame->m_wndStatusBar.Message(), QStringLiteral("Файл не сохранён: ") + m_path +
                                                    QStringLiteral(" — на диске нет места"));
    QCOMPARE(m_frame->m_wndStatusBar.MessageColor(), QColor(255, 0, 0));
    // Save As is offered (and cancelled here).
    QCOMPARE(m_asked, QStringList({QStringLiteral("Сохранить как")}));
    QCOMPARE(ReadFile(m_path), old);
    QVERIFY(Data()->IsModified());
    QVERIFY(IsEnabled(ID_EDIT_UNDO));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList({"model.txt"}));
    // Closing still asks, since the changes are not saved.
    ModalAnswerer question({QMessageBox::Cancel});
    QVERIFY(!CloseAndSettle());
    QCOMPARE(question.Texts(), QStringList({QStringLiteral("Сохранить изменения?")}));
}

void MainFrameTest::readOnlyFolderKeepsTheOldFile() {
    const std::string old = "a = 1;\r\n";
    QVERIFY(Open(old));
    Type("+2");
    // The superuser writes into any folder: as "nobody", the folder's owner.
    QByteArray folder = QFile::encodeName(m_dir.path());
    const bool root = ::geteuid() == 0;
    const QByteArray file = QFile::encodeName(m_path);
    QVERIFY(!root || ::chown(folder.constData(), 65534, 65534) == 0);
    QVERIFY(!root || ::chown(file.constData(), 65534, 65534) == 0);
    QVERIFY(::chmod(folder.constData(), 0500) == 0);
    {
        OrdinaryUser user;
        QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::ControlModifier);
    }
    ::chmod(folder.constData(), 0700);
    QVERIFY(!root || ::chown(folder.constData(), 0, 0) == 0);
    QVERIFY2(m_frame->m_wndStatusBar.Message().endsWith(QStringLiteral("нет прав на запись")),
             qPrintable(m_frame->m_wndStatusBar.Message()));
    QCOMPARE(m_asked.size(), 1);
    QCOMPARE(ReadFile(m_path), old);
    QVERIFY(Data()->IsModified());
}

void MainFrameTest::badTargetsKeepTheChanges_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder") << QString() << QStringLiteral("это папка");
    QTest::newRow("missing folder")
        << QStringLiteral("no/such/e.txt") << QStringLiteral("папка не найдена");
    QTest::newRow("below a file") << QStringLiteral("model.txt/e.txt")
                                  << QStringLiteral("папка не найдена");
}

// A name given to Save As that cannot be written: the reason in red, the
// file being edited, its caption and the undo history as they were.
void MainFrameTest::badTargetsKeepTheChanges() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QVERIFY(Open("a;\r\n"));
    Type("b");
    const size_t undo = Data()->History().UndoSize();
    m_saveName = name.isEmpty() ? m_dir.path() : FileIn(name.toUtf8().constData());
    m_frame->Action(ID_FILE_SAVE_AS)->trigger();
    QCOMPARE(m_frame->m_wndStatusBar.Message(),
             QStringLiteral("Файл не сохранён: ") + m_saveName + QStringLiteral(" — ") + reason);
    QVERIFY(m_frame->m_wndStatusBar.IsMessageError());
    QCOMPARE(Data()->History().UndoSize(), undo);
    QCOMPARE(m_frame->m_strFileName, QFile::encodeName(m_path).toStdString());
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Vexlor - ") + m_path);
    QCOMPARE(ReadFile(m_path), std::string("a;\r\n"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList({"model.txt"}));
}

// A file that exists but could not be read at start-up is never written,
// neither by Save nor by Save As under its own name; another name works.
void MainFrameTest::unreadableFileIsNeverWritten() {
    const std::string old = "secret = 1;\r\n";
    QVERIFY(WriteFile(m_path, old));
    const QByteArray path = QFile::encodeName(m_path);
    QVERIFY(::chmod(path.constData(), 0) == 0);
    m_frame.reset(new CMainFrame(App()));
    AnswerDialogs(m_frame.get());
    m_frame->m_strFileName = path.toStdString();
    {
        ModalAnswerer answers({QMessageBox::Ok});
        OrdinaryUser user;
        QVERIFY(m_frame->LoadFrame());
        QCOMPARE(answers.Texts(),
                 QStringList({QStringLiteral("Ошибка открытия файла: ") + m_path}));
    }
    QVERIFY(ShowActive(m_frame.get(), &m_frame->m_wndView));
    Type("x");
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_frame->m_wndStatusBar.Message(),
             QStringLiteral("Файл не сохранён: ") + m_path +
                 QStringLiteral(" — он не был прочитан при открытии, и перезаписывать его нельзя"));
    QVERIFY(m_frame->m_wndStatusBar.IsMessageError());
    QCOMPARE(m_asked, QStringList({QStringLiteral("Сохранить как")}));
    m_saveName = m_path;
    m_frame->Action(ID_FILE_SAVE_AS)->trigger();
    QVERIFY(Data()->IsModified());
    QVERIFY(::chmod(path.constData(), 0600) == 0);
    QCOMPARE(ReadFile(m_path), old);
    m_saveName = FileIn("copy.txt");
    m_frame->Action(ID_FILE_SAVE_AS)->trigger();
    QCOMPARE(ReadFile(m_saveName), std::string("x;"));
    QVERIFY(!Data()->IsModified());
    QCOMPARE(ReadFile(m_path), old);
}

void MainFrameTest::readOnlyFileIsNotReplaced() {
    const std::string old = "a = 1;\r\n";
    QVERIFY(Open(old));
    QVERIFY(::chmod(QFile::encodeName(m_path).constData(), 0444) == 0);
    Type("+2");
    ModalAnswerer none({});
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(none.Boxes().empty());
    QCOMPARE(m_frame->m_wndStatusBar.Message(), QStringLiteral("Файл не сохранён: ") + m_path +
                                                    QStringLiteral(" — файл только для чтения"));
    QCOMPARE(m_asked, QStringList({QStringLiteral("Сохранить как")}));
    QCOMPARE(ReadFile(m_path), old);
    QVERIFY(Data()->IsModified());
    QVERIFY(IsEnabled(ID_EDIT_UNDO));
}

void MainFrameTest::openOnModifiedDataAsks_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("cancel keeps the text")
        << int(QMessageBox::Cancel) << QStringLiteral("ab;") << QByteArray("a;\r\n");
    QTest::newRow("no drops the changes")
        << int(QMessageBox::No) << QStringLiteral("o = 1;") << QByteArray("a;\r\n");
    QTest::newRow("yes saves first")
        << int(QMessageBox::Yes) << QStringLiteral("o = 1;") << QByteArray("ab;");
}

void MainFrameTest::openOnModifiedDataAsks() {
    QFETCH(int, answer);
    QFETCH(QString, text);
    QFETCH(QByteArray, file);
    m_openName = FileIn("other.txt");
    QVERIFY(WriteFile(m_openName, "o = 1;\r\n"));
    QVERIFY(Open("a;\r\n"));
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_End);
    Type("b");
    ModalAnswerer answers({static_cast<Button>(answer)});
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(answers.Texts(), QStringList({QStringLiteral("Сохранить изменения?")}));
    QCOMPARE(answers.Boxes()[0].buttons.size(), 3);
    QCOMPARE(TextOf(*Data()), text);
    QCOMPARE(ReadFile(m_path), file.toStdString());
    const bool opened = answer != QMessageBox::Cancel;
    QCOMPARE(m_asked, opened ? QStringList({QStringLiteral("Открыть")}) : QStringList());
    QCOMPARE(Data()->IsModified(), !opened);
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Vexlor - ") + (opened ? m_openName : m_path));
}

void MainFrameTest::recentFilesAreListedAndRemembered() {
    QVERIFY(Open({}));
    auto recentItems = [&] {
        QStringList texts;
        for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_LAST; ++id) {
            if (m_frame->Action(id)->isVisible())
                texts << m_frame->Action(id)->text();
        }
        return texts;
    };
    QCOMPARE(recentItems(), QStringList());
    for (const char* name : {"a.txt", "b&c.txt", "a.txt"}) {
        QVERIFY(WriteFile(FileIn(name), std::string(name) + "\r\n"));
        m_openName = FileIn(name);
        m_frame->Action(ID_FILE_OPEN)->trigger();
    }
    QCOMPARE(recentItems(), QStringList({"&1 " + FileIn("a.txt"), "&2 " + FileIn("b&&c.txt")}));
    // The second item opens its file; a file gone since is dropped.
    m_frame->Action(ID_FILE_MRU_FILE1 + 1)->trigger();
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Vexlor - ") + FileIn("b&c.txt"));
    QVERIFY(QFile::remove(FileIn("a.txt")));
    {
        ModalAnswerer answers({QMessageBox::Ok});
        m_frame->Action(ID_FILE_MRU_FILE1 + 1)->trigger();
        QCOMPARE(answers.Texts(),
                 QStringList({QStringLiteral("Ошибка открытия файла: ") + FileIn("a.txt")}));
    }
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Vexlor - ") + FileIn("b&c.txt"));
    QCOMPARE(recentItems(), QStringList({"&1 " + FileIn("b&&c.txt")}));
    // A new window lists what the last one left, up to eight names.
    for (int i = 0; i < 9; ++i) {
        m_openName = FileIn(qPrintable(QStringLiteral("n%1.txt").arg(i)));
        QVERIFY(WriteFile(m_openName, "n;"));
        m_frame->Action(ID_FILE_OPEN)->trigger();
    }
    QVERIFY(Open({}));
    QStringList items = recentItems();
    QCOMPARE(items.size(), 8);
    QCOMPARE(items.front(), "&1 " + FileIn("n8.txt"));
    QCOMPARE(items.back(), "&8 " + FileIn("n1.txt"));
}

// In a conversation the host owns the text: no Open, no Save As, no recent
// files; without one (or when it is lost) they are back.
void MainFrameTest::hostOwnsTheTextInAConversation() {
    auto* frame = new ConversingFrame(App());
    QVERIFY(Open("a;\r\n", frame));
    const std::vector<int> ownFileCommands = {ID_FILE_OPEN, ID_FILE_SAVE_AS, ID_FILE_MRU_FILE1};
    for (int id : ownFileCommands)
        QVERIFY(IsEnabled(id));
    frame->Connect();
    for (int id : ownFileCommands)
        QVERIFY(!IsEnabled(id));
    QVERIFY(IsEnabled(ID_FILE_SAVE));
    Type("z");
    m_openName = m_path;
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_O, Qt::ControlModifier);
    m_frame->OnSaveAs();
    QVERIFY(m_asked.isEmpty());
    // Save still goes to the host without asking for a name.
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(frame->Poked(), std::vector<std::string>({"za;"}));
    QVERIFY(m_asked.isEmpty());
    frame->FromHost(HostFrame::Terminate());
    for (int id : ownFileCommands)
        QVERIFY(IsEnabled(id));
}

void MainFrameTest::windowSizeAndBarsAreRemembered() {
    struct Case {
        QSize screen;
        QSize window;
    };
    const Case cases[] = {
        {{1920, 1080}, {1280, 720}},
        {{1024, 768}, {800, 600}},
        {{640, 480}, {640, 480}},
        {{2880, 1800}, {1920, 1200}},
    };
    for (const Case& c : cases)
        QCOMPARE(WindowSettings::DefaultSize(c.screen), c.window);

    // Nothing remembered: the default size for the screen.
    QVERIFY(App()->InitInstance({}));
    CMainFrame* frame = App()->GetMainFrame();
    QCOMPARE(frame->size(),
             WindowSettings::DefaultSize(frame->screen()->availableGeometry().size()));
    frame->resize(640, 470);
    frame->Action(ID_VIEW_TOOLBAR)->trigger();
    QVERIFY(frame->close());
    // The next window comes back as the last one was left.
    QVERIFY(App()->InitInstance({}));
    frame = App()->GetMainFrame();
    QCOMPARE(frame->size(), QSize(640, 470));
    QVERIFY(frame->m_wndToolBar.isHidden());
    QVERIFY(!frame->Action(ID_VIEW_TOOLBAR)->isChecked());
    QVERIFY(!frame->m_wndStatusBar.isHidden());
    frame->Action(ID_VIEW_STATUS_BAR)->trigger();
    QVERIFY(frame->close());
    QVERIFY(App()->InitInstance({}));
    QVERIFY(App()->GetMainFrame()->m_wndStatusBar.isHidden());
    App()->GetMainFrame()->close();
}

// The status panes give way: the window can be made about 400 pixels wide,
// the message cut off with the whole text in the tooltip.
void MainFrameTest::narrowWindowElidesTheStatusPanes() {
    QVERIFY(Open({}));
    const QString message = QStringLiteral("Выражение 12: ") + QString(80, QLatin1Char('w'));
    m_frame->m_wndStatusBar.SetMessage(message, true);
    QVERIFY2(m_frame->minimumSizeHint().width() <= 420,
             qPrintable(QString::number(m_frame->minimumSizeHint().width())));
    m_frame->resize(420, 300);
    QTRY_COMPARE(m_frame->width(), 420);
    QApplication::processEvents();
    const ElidedLabel& pane = m_frame->m_wndStatusBar.MessagePane();
    QVERIFY(pane.geometry().right() <= m_frame->m_wndStatusBar.width());
    QVERIFY(pane.ShownText().endsWith(QChar(0x2026)));
    QVERIFY(pane.ShownText().size() < message.size());
    QCOMPARE(pane.toolTip(), message);
    m_frame->resize(1600, 300);
    QTRY_COMPARE(pane.ShownText(), message);
}

void MainFrameTest::untouchedEditorClosesWithoutAQuestion() {
    QVERIFY(Open("a = 1;\r\n"));
    ModalAnswerer answers({});
    QVERIFY(CloseAndSettle());
    QVERIFY(answers.Boxes().empty());
    QCOMPARE(ReadFile(m_path), std::string("a = 1;\r\n"));
}

void MainFrameTest::closingModifiedDataAsksToSave_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("cancel stays") << int(QMessageBox::Cancel) << false << QByteArray("a;\r\n");
    QTest::newRow("no closes unsaved") << int(QMessageBox::No) << true << QByteArray("a;\r\n");
    QTest::newRow("yes saves and closes") << int(QMessageBox::Yes) << true << QByteArray("ab;");
}

void MainFrameTest::closingModifiedDataAsksToSave() {
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(QByteArray, file);
    QVERIFY(Open("a;\r\n"));
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_End);
    Type("b");
    ModalAnswerer answers({static_cast<Button>(answer)});
    QCOMPARE(CloseAndSettle(), closed);
    QCOMPARE(answers.Boxes().size(), size_t(1));
    QCOMPARE(answers.Boxes()[0].text, QStringLiteral("Сохранить изменения?"));
    QCOMPARE(answers.Boxes()[0].title, QStringLiteral("Выход"));
    QCOMPARE(answers.Boxes()[0].icon, QMessageBox::Warning);
    QCOMPARE(answers.Boxes()[0].buttons.size(), 3);
    QCOMPARE(ReadFile(m_path), file.toStdString());
}

void MainFrameTest::saveAndExitWritesAndCloses() {
    QVERIFY(Open("a;\r\n"));
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_End);
    Type("c");
    ModalAnswerer answers({});
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::AltModifier);
    QVERIFY(m_frame->Conversation().IsCloseWhenAccepted());
    QTRY_VERIFY(!m_frame->isVisible());
    QVERIFY(answers.Boxes().empty());
    QCOMPARE(ReadFile(m_path), std::string("ac;"));
}

void MainFrameTest::exitWithoutSavingAsksNothing() {
    QVERIFY(Open("a;\r\n"));
    Type("zz");
    ModalAnswerer answers({});
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_W, Qt::AltModifier);
    QTRY_VERIFY(!m_frame->isVisible());
    QVERIFY(answers.Boxes().empty());
    QCOMPARE(ReadFile(m_path), std::string("a;\r\n"));
}

void MainFrameTest::errorVerdictAsksAreYouSure() {
    auto* frame = new ConversingFrame(App());
    QVERIFY(Open("a;\r\n", frame));
    QVERIFY(!IsEnabled(ID_GET_HELP));
    frame->Connect();
    QVERIFY(IsEnabled(ID_GET_HELP));
    frame->FromHost(Rejection("a;\nb;~ Bad"));
    QCOMPARE(m_frame->m_wndStatusBar.Message(), QStringLiteral("Выражение 2: Bad"));
    QVERIFY(m_frame->m_wndStatusBar.IsMessageError());
    {
        ModalAnswerer no({QMessageBox::No});
        QVERIFY(!CloseAndSettle());
        QCOMPARE(no.Texts(), QStringList({QStringLiteral("Вы уверены?")}));
        QCOMPARE(no.Boxes()[0].title, QStringLiteral("Выход без сохранения изменений"));
        QCOMPARE(no.Boxes()[0].icon, QMessageBox::Question);
    }
    QVERIFY(!frame->Terminated());
    {
        ModalAnswerer yes({QMessageBox::Yes});
        QVERIFY(CloseAndSettle());
        QCOMPARE(yes.Boxes().size(), size_t(1));
    }
    QVERIFY(frame->Terminated());

    // Exit without saving forgets the verdict, sends nothing and asks nothing.
    frame = new ConversingFrame(App());
    QVERIFY(Open("a;\r\n", frame));
    frame->Connect();
    frame->FromHost(Rejection("a;~ Bad"));
    QVERIFY(frame->m_conversation.IsErrorShown());
    ModalAnswerer none({});
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_W, Qt::AltModifier);
    QTRY_VERIFY(!m_frame->isVisible());
    QVERIFY(none.Boxes().empty());
    QVERIFY(!frame->m_conversation.IsErrorShown());
    QVERIFY(frame->m_conversation.IsTextAccepted());
    QVERIFY(frame->Poked().empty());
    QVERIFY(frame->Terminated());
    QCOMPARE(ReadFile(m_path), std::string("a;\r\n"));
}

void MainFrameTest::pendingCheckKeepsTheWindowOpen() {
    auto* frame = new ConversingFrame(App());
    QVERIFY(Open("a;\r\n", frame));
    frame->Connect();
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(frame->Poked(), std::vector<std::string>({"a;"}));
    ModalAnswerer answers({});
    QVERIFY(!CloseAndSettle());
    QVERIFY(answers.Boxes().empty());
    QVERIFY(!frame->Terminated());
    // The acceptance frees the window without closing it: only Save and
    // Exit or Yes on the save question close on it.
    frame->FromHost(Acceptance());
    QApplication::processEvents();
    QVERIFY(m_frame->isVisible());
    QVERIFY(CloseAndSettle());
    QVERIFY(answers.Boxes().empty());
    QVERIFY(frame->Terminated());
}

void MainFrameTest::saveHandsTheTextToTheHost() {
    auto* frame = new ConversingFrame(App());
    QVERIFY(Open("a;\r\n", frame));
    frame->Connect();
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_End);
    Type("1");
    // Yes on the question saves and then waits for the host's verdict.
    ModalAnswerer answers({QMessageBox::Yes});
    QVERIFY(!CloseAndSettle());
    QCOMPARE(frame->Poked(), std::vector<std::string>({"a1;"}));
    QVERIFY(frame->m_conversation.IsCloseWhenAccepted());
    QVERIFY(!Data()->IsModified());
    QCOMPARE(ReadFile(m_path), std::string("a1;"));
    QVERIFY(ShowActive(m_frame.get(), &m_frame->m_wndView));
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_F1);
    QVERIFY(frame->Sent(HostFrame::Execute("[showhelp]")));
    // The acceptance closes the window later, from the event loop.
    frame->FromHost(Acceptance());
    QVERIFY(m_frame->isVisible());
    QTRY_VERIFY(!m_frame->isVisible());
    QVERIFY(frame->Terminated());
    QCOMPARE(answers.Boxes().size(), size_t(1));
}

void MainFrameTest::saveAndExitWaitsForTheVerdict() {
    auto* frame = new ConversingFrame(App());
    QVERIFY(Open("a;\r\n", frame));
    frame->Connect();
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_End);
    Type("+b");
    ModalAnswerer answers({});
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::AltModifier);
    QApplication::processEvents();
    QVERIFY(m_frame->isVisible());
    QCOMPARE(frame->Poked(), std::vector<std::string>({"a+b;"}));
    QCOMPARE(ReadFile(m_path), std::string("a+b;"));
    // Rejected: the window stays and shows the error on the selected row.
    frame->FromHost(Rejection("a+b;~ Bad"));
    QApplication::processEvents();
    QVERIFY(m_frame->isVisible());
    QCOMPARE(m_frame->m_wndStatusBar.Message(), QStringLiteral("Выражение 1: Bad"));
    QVERIFY(Data()->AnchorPos() != Data()->CaretPos());
    // The next save's acceptance still closes it.
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(frame->Poked().size(), size_t(2));
    frame->FromHost(Acceptance());
    QTRY_VERIFY(!m_frame->isVisible());
    QVERIFY(answers.Boxes().empty());
    QVERIFY(frame->Terminated());
}

void MainFrameTest::hostCaptionAndTextReachTheWindow() {
    auto* frame = new ConversingFrame(App());
    QVERIFY(Open({}, frame));
    frame->Connect();
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Vexlor - для M DDE-сервера"));
    const std::vector<HostFrame> opening = {HostFrame::Initiate("M", "Vexlor"),
                                            HostFrame::Request("GetTitle"),
                                            HostFrame::Request("GetText")};
    QCOMPARE(frame->m_transport.m_sent, opening);
    frame->FromHost(HostFrame::Data("GetTitle", ToCp1251(QStringLiteral("Модель 1"))));
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Vexlor - Модель 1"));
    frame->FromHost(HostFrame::Data("GetText", "x = 1;\r\ny = 2;\r\n"));
    QCOMPARE(TextOf(*Data()), QStringLiteral("x = 1;\ny = 2;"));
    QVERIFY(!Data()->IsModified());
    QVERIFY(!IsEnabled(ID_EDIT_UNDO));
    // A clean text from the host takes away the red message of a rejection.
    frame->FromHost(Rejection("x = 1;\ny = 2;~ Bad"));
    QVERIFY(m_frame->m_wndStatusBar.IsMessageError());
    frame->FromHost(HostFrame::Data("GetText", "x = 3;"));
    QCOMPARE(TextOf(*Data()), QStringLiteral("x = 3;"));
    QVERIFY(!m_frame->m_wndStatusBar.IsMessageError());
    QCOMPARE(m_frame->m_wndStatusBar.Message(), QString());
    QCOMPARE(m_frame->m_strStatusMessage, std::string());
    // Data for an item of another name changes nothing.
    frame->FromHost(HostFrame::Data("Other", "z = 9;"));
    QCOMPARE(TextOf(*Data()), QStringLiteral("x = 3;"));
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("Vexlor - Модель 1"));
}

void MainFrameTest::lostHostIsReportedAndFreesTheWindow() {
    auto* frame = new ConversingFrame(App());
    QVERIFY(Open("a;\r\n", frame));
    frame->Connect();
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!frame->m_conversation.IsTextAccepted());
    frame->FromHost(HostFrame::Terminate());
    QVERIFY(!IsEnabled(ID_GET_HELP));
    QVERIFY(m_frame->m_wndStatusBar.IsMessageError());
    QCOMPARE(m_frame->m_wndStatusBar.Message(),
             QStringLiteral("Связь с сервером прервана. Текст не проверен сервером."));
    // F1 does nothing now; closing no longer waits for a verdict.
    const size_t sent = frame->m_transport.m_sent.size();
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_F1);
    QCOMPARE(frame->m_transport.m_sent.size(), sent);
    ModalAnswerer none({});
    QVERIFY(CloseAndSettle());
    QVERIFY(none.Boxes().empty());
}

void MainFrameTest::markedTextAtStartUpSelectsTheRow() {
    QVERIFY(WriteFile(m_path, "a = b + c;\r\nx = y ~ Bad name y\r\nz = 1;\r\n"));
    QVERIFY(App()->InitInstance({"/F", QFile::encodeName(m_path).toStdString()}));
    CMainFrame* frame = App()->GetMainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    CVexlorData* data = frame->m_wndView.GetData();
    QCOMPARE(data->CurRowIndex(), 1);
    QCOMPARE(data->CurrentRow(), data->Rows()[1]);
    QCOMPARE(std::min(data->AnchorPos(), data->CaretPos()), 0);
    QCOMPARE(std::max(data->AnchorPos(), data->CaretPos()), data->Rows()[1]->GetCount() - 1);
    QCOMPARE(frame->m_wndStatusBar.Message(), QStringLiteral("Выражение 2: Bad name y"));
    QVERIFY(frame->m_wndStatusBar.IsMessageError());
    QCOMPARE(frame->m_wndStatusBar.MessageColor(), QColor(255, 0, 0));
    QCOMPARE(frame->windowTitle(), QStringLiteral("Vexlor - ") + m_path);
    QVERIFY(!data->IsModified());
    QCOMPARE(TextOf(*data), QStringLiteral("a = b + c;\nx = y;\nz = 1;"));
    frame->close();
}

void MainFrameTest::missingFileIsReportedAndLeavesAnEmptyEditor() {
    ModalAnswerer answers({QMessageBox::Ok});
    QVERIFY(App()->InitInstance({"/F", QFile::encodeName(m_path).toStdString()}));
    CMainFrame* frame = App()->GetMainFrame();
    QCOMPARE(answers.Texts(), QStringList({QStringLiteral("Ошибка открытия файла: ") + m_path}));
    QCOMPARE(frame->windowTitle(), QStringLiteral("Vexlor"));
    QCOMPARE(frame->m_wndView.GetData()->Rows().size(), size_t(1));
    QCOMPARE(TextOf(*frame->m_wndView.GetData()), QString());
    // Saving creates the file that could not be opened.
    QTest::keyClicks(&frame->m_wndView, "n");
    frame->OnSave();
    QCOMPARE(ReadFile(m_path), std::string("n;"));
    frame->close();
}

void MainFrameTest::commandLineFormsAreAccepted() {
    QVERIFY(WriteFile(m_path, "q;\r\n"));
    QVERIFY(QDir::setCurrent(m_dir.path()));
    QVERIFY(App()->InitInstance({"1052", "model.txt"}));
    CMainFrame* frame = App()->GetMainFrame();
    QCOMPARE(frame->m_hHostWnd, 1052);
    QCOMPARE(frame->m_strFileName, std::string("model.txt"));
    QCOMPARE(TextOf(*frame->m_wndView.GetData()), QStringLiteral("q;"));
    QVERIFY(!(frame->windowFlags() & Qt::WindowStaysOnTopHint));
    frame->close();
    QVERIFY(App()->InitInstance({"/f", "model.txt", "/H", "77", "/N", "Host", "/t"}));
    frame = App()->GetMainFrame();
    QCOMPARE(frame->m_hHostWnd, 77);
    QCOMPARE(frame->m_strServerName, std::string("Host"));
    QVERIFY(frame->windowFlags() & Qt::WindowStaysOnTopHint);
    // Nobody listens as "Host": the caption keeps the conversation suffix and
    // Get help stays disabled.
    QCOMPARE(frame->windowTitle(), QStringLiteral("Vexlor - model.txt - для Host DDE-сервера"));
    QVERIFY(!frame->Conversation().IsConnected());
    QVERIFY(!frame->Action(ID_GET_HELP)->isEnabled());
    frame->close();
    // A single path of an existing file is read as after /F, "/" and all.
    QVERIFY(App()->InitInstance({QFile::encodeName(m_path).toStdString()}));
    frame = App()->GetMainFrame();
    QCOMPARE(frame->m_strFileName, QFile::encodeName(m_path).toStdString());
    QCOMPARE(frame->windowTitle(), QStringLiteral("Vexlor - ") + m_path);
    QCOMPARE(TextOf(*frame->m_wndView.GetData()), QStringLiteral("q;"));
    frame->close();
}

void MainFrameTest::copyPutsThePrivateFormatOnTheClipboard() {
    QVERIFY(Open("r = a/b\r\n"));
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    QVERIFY(mime->hasFormat(CQtClipboard::PrivateMimeType()));
    // Other programs get the linear text and MathML beside it.
    QCOMPARE(mime->text(), QStringLiteral("r =  a / b "));
    QVERIFY(mime->hasFormat(QStringLiteral("application/mathml+xml")));
    QByteArray block = mime->data(CQtClipboard::PrivateMimeType());
    QVERIFY(block.size() > 8);
    int32_t length = 0;
    memcpy(&length, block.constData(), 4);
    QCOMPARE(length, block.size() - 4);
    // A selection of blanks copies nothing: the clipboard keeps its content.
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    QVERIFY(Open("a   b\r\n"));
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_Right);
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_Right, Qt::ShiftModifier);
    m_frame->Action(ID_EDIT_COPY)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
}

void MainFrameTest::cutAndPasteRestoreTheStructure() {
    QVERIFY(Open("r = sqrt(x)/2 + y\r\n"));
    QVERIFY(!AtomsOfClass(*Data(), "CEqRoot").empty());
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(TextOf(*Data()), QString());
    QVERIFY(AtomsOfClass(*Data(), "CEqRoot").empty());
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(AtomsOfClass(*Data(), "CEqRoot").size(), size_t(1));
    QCOMPARE(AtomsOfClass(*Data(), "CEqFraction").size(), size_t(1));
    QCOMPARE(TextOf(*Data()), QStringLiteral("r = sqrt( x ) / 2 + y;"));
    QCOMPARE(CheckData(*Data()), std::string());
    // One undo removes the pasted atoms, another brings back the cut ones.
    m_frame->Action(ID_EDIT_UNDO)->trigger();
    QCOMPARE(TextOf(*Data()), QString());
    m_frame->Action(ID_EDIT_UNDO)->trigger();
    QCOMPARE(AtomsOfClass(*Data(), "CEqRoot").size(), size_t(1));
}

void MainFrameTest::plainTextIsPastedAsALine() {
    QVERIFY(Open({}));
    QApplication::clipboard()->setText(QStringLiteral("ш/2 + z;\nsecond line"));
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(AtomsOfClass(*Data(), "CEqFraction").size(), size_t(1));
    QCOMPARE(Data()->Rows().size(), size_t(1));
    QCOMPARE(TextOf(*Data()), QStringLiteral("ш / 2 + z;"));
}

void MainFrameTest::privateFormatWinsOverText() {
    QVERIFY(Open("p = x**2\r\n"));
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_C, Qt::ControlModifier);
    auto* both = new QMimeData;
    both->setData(CQtClipboard::PrivateMimeType(),
                  QApplication::clipboard()->mimeData()->data(CQtClipboard::PrivateMimeType()));
    both->setText(QStringLiteral("text"));
    QApplication::clipboard()->setMimeData(both);
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_End);
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_Return);
    QTest::keyClick(&m_frame->m_wndView, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(TextOf(*Data()), QStringLiteral("p = x ** 2 ;\np = x ** 2 ;"));
    QCOMPARE(AtomsOfClass(*Data(), "CEqIndex").size(), size_t(2));
}

void MainFrameTest::damagedPrivateBlockPastesNothing() {
    QVERIFY(Open("k\r\n"));
    for (QByteArray damaged : {QByteArray("\x10\x00\x00\x00junk", 8), QByteArray("\xFF", 1),
                               QByteArray("\x04\x00\x00\x00\x01\x00\x00\x00", 8)}) {
        auto* mime = new QMimeData;
        mime->setData(CQtClipboard::PrivateMimeType(), damaged);
        QApplication::clipboard()->setMimeData(mime);
        QTest::keyClick(&m_frame->m_wndView, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(TextOf(*Data()), QStringLiteral("k;"));
        QVERIFY(!Data()->IsModified());
    }
}

void MainFrameTest::aboutBoxShowsTheVersion() {
    QVERIFY(Open({}));
    QString title;
    QString version;
    QString legal;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        title = dialog->windowTitle();
        version = dialog->findChild<QLabel*>(QStringLiteral("version"))->text();
        legal = dialog->findChild<QLabel*>(QStringLiteral("legal"))->text();
        dialog->accept();
    });
    poll.start(10);
    m_frame->Action(ID_APP_ABOUT)->trigger();
    poll.stop();
    QCOMPARE(title, QStringLiteral("О Vexlor"));
    QCOMPARE(version, QStringLiteral("Vexlor Версия 1.1.15.0"));
    QVERIFY(legal.startsWith(QStringLiteral("Copyright")));
}

void MainFrameTest::standardButtonsAreRussian() {
    QVERIFY(App()->HasTranslation());
    QVERIFY(Open({}));
    Type("m");
    ModalAnswerer answers({QMessageBox::Cancel});
    QVERIFY(!CloseAndSettle());
    QCOMPARE(answers.Boxes().size(), size_t(1));
    QStringList buttons = answers.Boxes()[0].buttons;
    QVERIFY2(buttons.join(QLatin1Char(' ')).remove(QLatin1Char('&')).contains(QStringLiteral("Да")),
             qPrintable(buttons.join(QLatin1Char(','))));
}

void MainFrameTest::barsCanBeHiddenAndShown() {
    QVERIFY(Open({}));
    QAction* toolbar = m_frame->Action(ID_VIEW_TOOLBAR);
    QAction* statusBar = m_frame->Action(ID_VIEW_STATUS_BAR);
    QVERIFY(toolbar->isChecked());
    QVERIFY(statusBar->isChecked());
    toolbar->trigger();
    QVERIFY(m_frame->m_wndToolBar.isHidden());
    QVERIFY(!toolbar->isChecked());
    statusBar->trigger();
    QVERIFY(m_frame->m_wndStatusBar.isHidden());
    toolbar->trigger();
    QVERIFY(!m_frame->m_wndToolBar.isHidden());
    QVERIFY(toolbar->isChecked());
}

int main(int argc, char** argv) {
    // The tests' settings live in a folder of their own, never the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    CEqApp app(argc, argv);
    QSettings().remove(QStringLiteral("view/zoom"));
    app.setQuitOnLastWindowClosed(false);
    MainFrameTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainFrameTest.moc"
