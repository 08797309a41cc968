// The main frame with its real link to a host inside the test process: the
// conversation opens before the window shows, Save and Exit waits for the
// host's verdict, and the host hears TERMINATE when the frame ends.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <unistd.h>

#include "FakeHost.h"
#include "QtTestSupport.h"
#include "app/CommandLine.h"
#include "app/qt/EqApp.h"
#include "app/qt/HostSocketPath.h"
#include "app/qt/MainFrame.h"
#include "editor/VexlorData.h"
#include "editor/qt/CommandIds.h"

using namespace QtTestSupport;

namespace {
constexpr int kWait = 10000;

CEqApp* App() {
    return static_cast<CEqApp*>(QCoreApplication::instance());
}
} // namespace

class FrameHostTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir->path()));
        m_path = m_dir->filePath(QStringLiteral("model.txt"));
    }
    void cleanup() {
        m_frame.reset();
        m_host.reset();
        m_dir.reset();
    }

    void hostIsHeardBeforeTheWindowShows() {
        FakeHost::Script script;
        script.title = ToCp1251(QStringLiteral("Модель 1"));
        script.text = "a = b;\r\nc = d;\r\n";
        StartHost(script);
        m_frame = std::make_unique<CMainFrame>(App());
        m_frame->ApplyCommandLine(CommandLine::Parse("/N Model"));
        QVERIFY(m_frame->LoadFrame());
        QVERIFY(!m_frame->isVisible());
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("Vexlor - Модель 1"));
        QCOMPARE(TextOf(*m_frame->m_wndView.GetData()), QStringLiteral("a = b;\nc = d;"));
        QVERIFY(m_frame->Action(ID_GET_HELP)->isEnabled());
        const std::vector<HostFrame> opening = {HostFrame::Initiate("Model", "Vexlor"),
                                                HostFrame::Request("GetTitle"),
                                                HostFrame::Request("GetText")};
        QCOMPARE(m_host->Received(), opening);
        // A frame destroyed without closing still says goodbye.
        m_frame.reset();
        QTRY_VERIFY_WITH_TIMEOUT(m_host->HasType(HostFrame::kTerminate), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(m_host->EditorClosed(), kWait);
    }

    void saveAndExitClosesOnTheHostsAcceptance() {
        QVERIFY(WriteFile(m_path, "x = 1;\r\n"));
        FakeHost::Script script;
        script.text = "x = 1;";
        script.pokeAnswer = HostFrame::Ack("CheckTextOK", "", 0).Encode();
        StartHost(script);
        const std::string file = QFile::encodeName(m_path).toStdString();
        QVERIFY(App()->InitInstance({"/F", file, "/N", "Model"}));
        CMainFrame* frame = App()->GetMainFrame();
        QVERIFY(ShowActive(frame, &frame->m_wndView));
        QTest::keyClick(&frame->m_wndView, Qt::Key_End);
        QTest::keyClicks(&frame->m_wndView, "+y");
        QTest::keyClick(&frame->m_wndView, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(ReadFile(m_path), std::string("x = 1+y;"));
        // Closed only once the host accepted the text, and then TERMINATE.
        QTRY_VERIFY_WITH_TIMEOUT(!frame->isVisible(), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(m_host->HasType(HostFrame::kTerminate), kWait);
        std::vector<HostFrame> got = m_host->Received();
        QVERIFY(got.size() >= 3);
        QCOMPARE(got[got.size() - 2], HostFrame::Poke("CheckText", "x = 1+y;"));
        QCOMPARE(got.back(), HostFrame::Terminate());
    }

  private:
    void StartHost(const FakeHost::Script& script) {
        QVERIFY(HostSocketPath::PrepareFolder(HostSocketPath::Folder(), geteuid()));
        m_host = std::make_unique<FakeHost>(FakeHost::Scripted(script));
        QVERIFY(m_host->Listen(HostSocketPath::ForServer("Model")));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    std::unique_ptr<FakeHost> m_host;
    std::unique_ptr<CMainFrame> m_frame;
};

int main(int argc, char** argv) {
    CEqApp app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    FrameHostTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FrameHostTest.moc"
