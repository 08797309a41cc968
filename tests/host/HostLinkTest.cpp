// The conversation over a real Unix-domain socket, with a host inside the
// test process.
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "FakeHost.h"
#include "RecordingFrame.h"
#include "app/qt/HostLink.h"
#include "app/qt/HostSocketPath.h"
#include "rows/EqExpr.h"

namespace {
constexpr int kWait = 5000;
// "Выражение 2: Nope", "Вы уверены?" in Windows-1251.
const char kSecondRowNope[] = "\xC2\xFB\xF0\xE0\xE6\xE5\xED\xE8\xE5 2: Nope";
const char kAreYouSure[] = "\xC2\xFB \xF3\xE2\xE5\xF0\xE5\xED\xFB?";
// " - для Model DDE-сервера"
const char kModelSuffix[] = " - \xE4\xEB\xFF Model DDE-\xF1\xE5\xF0\xE2\xE5\xF0\xE0";

size_t CountRequests(const std::vector<HostFrame>& frames, const std::string& item) {
    size_t n = 0;
    for (const HostFrame& f : frames)
        n += f.m_nType == HostFrame::kRequest && f.m_strName == item;
    return n;
}
} // namespace

class HostLinkTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir->path()));
        m_frame = std::make_unique<RecordingFrame>();
        m_link = std::make_unique<HostLink>(m_frame.get());
    }
    void cleanup() {
        m_link.reset();
        m_host.reset();
        m_frame.reset();
        m_dir.reset();
    }

    void startupFetchesCaptionAndTextBeforeOpenReturns() {
        StartHost();
        m_link->Open("Model");
        // No event was processed since: the start-up wait did it all.
        QVERIFY(Conv().IsConnected());
        QCOMPARE(m_frame->m_strCaption, std::string("Vexlor - Model 1"));
        QCOMPARE(m_frame->Text(), std::string("a = b;\nc = d;"));
        QCOMPARE(m_frame->m_nStateChanges, 1);
        const std::vector<HostFrame> expected = {HostFrame::Initiate("Model", "Vexlor"),
                                                 HostFrame::Request("GetTitle"),
                                                 HostFrame::Request("GetText")};
        QCOMPARE(m_host->Received(), expected);
    }

    void startupWaitsTwoSecondsAtMostThenHandlesLateAnswers() {
        FakeHost::Script script;
        script.answerInitiate = false;
        StartHost(script);
        QElapsedTimer timer;
        timer.start();
        m_link->Open("Model");
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(elapsed >= 1900 && elapsed < 4000, qPrintable(QString::number(elapsed)));
        QVERIFY(Conv().IsInitiating());
        QCOMPARE(m_frame->m_strCaption, std::string("Vexlor") + kModelSuffix);
        // A late answer is handled when it arrives.
        m_host->SendRaw(HostFrame::Ack("Model", "Vexlor", 0).Encode());
        QTRY_VERIFY_WITH_TIMEOUT(m_frame->m_strCaption == "Vexlor - Model 1", kWait);
        QTRY_COMPARE_WITH_TIMEOUT(m_frame->Text(), std::string("a = b;\nc = d;"), kWait);
    }

    void withoutAHostTheEditorWorksAloneAtOnce() {
        QElapsedTimer timer;
        timer.start();
        m_link->Open("Model");
        QVERIFY(timer.elapsed() < 1000);
        QVERIFY(!Conv().IsConnected());
        QVERIFY(!Conv().IsInitiating());
        QCOMPARE(m_frame->m_strStatus, std::string());
        QCOMPARE(m_frame->m_strCaption, std::string("Vexlor") + kModelSuffix);
        // Get help sends nothing and Save writes only the file.
        Conv().ShowHelp();
        QVERIFY(Conv().Save(m_frame->Text(), true, true));
    }

    void aNameInAnotherCaseIsNotAccepted() {
        FakeHost::Script script;
        script.name = "model";
        StartHost(script);
        m_link->Open("Model");
        QVERIFY(!Conv().IsConnected());
        QVERIFY(Conv().IsInitiating());
        QCOMPARE(m_host->Received().size(), size_t(1));
        QCOMPARE(m_frame->m_strCaption, std::string("Vexlor") + kModelSuffix);
    }

    void theFirstOfTwoAnswersWins() {
        FakeHost::Script script;
        FakeHost::Responder scripted = FakeHost::Scripted(script);
        StartHost([scripted](const HostFrame& frame) {
            const std::string answer = scripted(frame);
            return frame.m_nType == HostFrame::kInitiate ? answer + answer : answer;
        });
        m_link->Open("Model");
        QVERIFY(Conv().IsConnected());
        QTest::qWait(100);
        const std::vector<HostFrame> got = m_host->Received();
        QCOMPARE(CountRequests(got, "GetTitle"), size_t(1));
        QCOMPARE(CountRequests(got, "GetText"), size_t(1));
        QCOMPARE(m_frame->m_nCloses, 0);
        QVERIFY(Conv().IsTextAccepted());
    }

    void saveWaitsForTheVerdictAndSaveAndExitClosesOnAcceptance() {
        StartHost();
        m_link->Open("Model");
        QVERIFY(Conv().Save(m_frame->Text(), false, false));
        QTRY_VERIFY_WITH_TIMEOUT(m_host->HasType(HostFrame::kPoke), kWait);
        QCOMPARE(m_host->Received().back(), HostFrame::Poke("CheckText", "a = b;\nc = d;"));
        QVERIFY(!Conv().QueryClose());
        QVERIFY(m_frame->m_questions.empty());
        QVERIFY(!Conv().CloseAfterSave(false));
        m_host->SendRaw(HostFrame::Ack("CheckTextOK", "", 0).Encode());
        QTRY_COMPARE_WITH_TIMEOUT(m_frame->m_nCloses, 1, kWait);
        QVERIFY(Conv().QueryClose());
    }

    void aRejectionSelectsTheRowAndLeavingAsks() {
        FakeHost::Script script;
        script.pokeAnswer = HostFrame::Data("CheckTextError", "a = b;\nc = d;~ Nope").Encode();
        StartHost(script);
        m_link->Open("Model");
        QVERIFY(Conv().Save(m_frame->Text(), false, false));
        QTRY_VERIFY_WITH_TIMEOUT(Conv().IsErrorShown(), kWait);
        QCOMPARE(m_frame->m_strStatus, std::string(kSecondRowNope));
        QVERIFY(m_frame->m_bStatusError);
        const CVexlorData& data = *m_frame->m_pData;
        QCOMPARE(data.CurRowIndex(), 1);
        QCOMPARE(data.AnchorPos(), 0);
        QCOMPARE(data.CaretPos(), data.Rows()[1]->GetCount() - 1);
        m_frame->m_bAnswer = false;
        QVERIFY(!Conv().QueryClose());
        QCOMPARE(m_frame->m_questions.size(), size_t(1));
        QCOMPARE(m_frame->m_questions[0].first, std::string(kAreYouSure));

        // A text without marker clears the red message.
        m_host->SendRaw(HostFrame::Data("GetText", "a = b;\nc = e;").Encode());
        QTRY_COMPARE_WITH_TIMEOUT(m_frame->m_strStatus, std::string(), kWait);
        QVERIFY(!Conv().IsErrorShown());
        QCOMPARE(m_frame->Text(), std::string("a = b;\nc = e;"));
    }

    void anUnknownItemChangesNothing() {
        StartHost();
        m_link->Open("Model");
        const int installs = m_frame->m_nInstalls;
        m_host->SendRaw(HostFrame::Data("GetTexts", "x = ~ y").Encode() +
                        HostFrame::Data("GetTitle", "After").Encode());
        QTRY_COMPARE_WITH_TIMEOUT(m_frame->m_strCaption, std::string("Vexlor - After"), kWait);
        QCOMPARE(m_frame->m_nInstalls, installs);
        QCOMPARE(m_frame->Text(), std::string("a = b;\nc = d;"));
        QVERIFY(Conv().IsConnected() && Conv().IsTextAccepted() && !Conv().IsErrorShown());
    }

    void helpGoesToTheHost() {
        StartHost();
        m_link->Open("Model");
        Conv().ShowHelp();
        QTRY_VERIFY_WITH_TIMEOUT(m_host->HasType(HostFrame::kExecute), kWait);
        QCOMPARE(m_host->Received().back(), HostFrame::Execute("[showhelp]"));
    }

    void terminateReachesTheHostWhenTheEditorEnds() {
        StartHost();
        m_link->Open("Model");
        m_link.reset();
        QTRY_VERIFY_WITH_TIMEOUT(m_host->EditorClosed(), kWait);
        QCOMPARE(m_host->Received().back(), HostFrame::Terminate());
    }

    void badInputEndsTheConversation_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("oversized") << QByteArray("\x01\x00\x00\x01", 4);
        QTest::newRow("unknown message") << QByteArray("\x01\x00\x00\x00\x08", 5);
        QTest::newRow("malformed fields")
            << QByteArray("\x06\x00\x00\x00\x04\xFF\x00\x00\x00\x00", 10);
        QTest::newRow("left-over byte") << QByteArray("\x02\x00\x00\x00\x07\x00", 6);
        QTest::newRow("garbage") << QByteArray("\x89PNG\r\n\x1A\n garbage garbage");
        QTest::newRow("empty frame") << QByteArray(4, '\0');
    }
    void badInputEndsTheConversation() {
        QFETCH(QByteArray, bytes);
        StartHost();
        m_link->Open("Model");
        QVERIFY(Conv().Save(m_frame->Text(), false, false));
        const std::string before = m_frame->Text();
        m_host->SendRaw(bytes.toStdString());
        // The editor hangs up on the host.
        QTRY_VERIFY_WITH_TIMEOUT(m_host->EditorClosed(), kWait);
        ExpectEndedCleanly(before);
        QVERIFY(!m_host->HasType(HostFrame::kTerminate));
    }

    void aLostConnectionAtEveryPointEndsTheConversation_data() {
        QTest::addColumn<int>("point");
        QTest::newRow("on INITIATE") << 0;
        QTest::newRow("on the title request") << 1;
        QTest::newRow("on the text request") << 2;
        QTest::newRow("idle") << 3;
        QTest::newRow("check pending") << 4;
        QTest::newRow("error shown") << 5;
        QTest::newRow("half a frame, then gone") << 6;
    }
    void aLostConnectionAtEveryPointEndsTheConversation() {
        QFETCH(int, point);
        FakeHost::Script script;
        if (point == 0)
            script.hangUpOn = HostFrame::kInitiate;
        if (point == 1)
            script.hangUpOnItem = "GetTitle";
        if (point == 2)
            script.hangUpOnItem = "GetText";
        if (point == 5)
            script.pokeAnswer = HostFrame::Data("CheckTextError", "a = b;~ Nope").Encode();
        StartHost(script);
        QElapsedTimer timer;
        timer.start();
        m_link->Open("Model");
        // A hang-up during the start-up wait ends the wait.
        QVERIFY(timer.elapsed() < 1500);
        if (point >= 4) {
            QVERIFY(Conv().Save(m_frame->Text(), false, false));
            QTRY_VERIFY_WITH_TIMEOUT(m_host->HasType(HostFrame::kPoke), kWait);
        }
        if (point == 5)
            QTRY_VERIFY_WITH_TIMEOUT(Conv().IsErrorShown(), kWait);
        if (point == 6)
            m_host->SendRaw(HostFrame::Data("GetText", "x = y;").Encode().substr(0, 12));
        const std::string before = m_frame->Text();
        if (point >= 3)
            m_host->HangUp();
        QTRY_VERIFY_WITH_TIMEOUT(!Conv().IsLinkOpen(), kWait);
        ExpectEndedCleanly(before);
    }

    void aSaveThatCannotReachTheHostIsNotDone() {
        StartHost();
        m_link->Open("Model");
        m_host->HangUp();
        // The hang-up has not been seen yet: writing finds it.
        QVERIFY(Conv().IsConnected());
        QVERIFY(!Conv().Save(m_frame->Text(), false, false));
        QVERIFY(!Conv().IsConnected());
        QVERIFY(m_frame->m_bStatusError);
        QVERIFY(Conv().QueryClose());
    }

    void aLargeTextArrivesWhole() {
        StartHost();
        m_link->Open("Model");
        std::string text;
        while (text.size() < 3 * 1024 * 1024)
            text += "x = \xE0\xFF + y / ( z + 1 );\n";
        QVERIFY(Conv().Save(text, false, false));
        QTRY_VERIFY_WITH_TIMEOUT(m_host->HasType(HostFrame::kPoke), 20000);
        QCOMPARE(m_host->Received().back(), HostFrame::Poke("CheckText", text));
        QVERIFY(!m_host->SawBrokenFrame());
    }

    void anUnsafeFolderIsNotUsed_data() {
        QTest::addColumn<bool>("foreign");
        QTest::newRow("writable by the group") << false;
        QTest::newRow("owned by another user") << true;
    }
    void anUnsafeFolderIsNotUsed() {
        QFETCH(bool, foreign);
        if (foreign && geteuid() != 0)
            QSKIP("handing a folder to another user needs root");
        StartHost();
        const QByteArray folder = QFile::encodeName(HostSocketPath::Folder());
        if (foreign)
            QVERIFY(::chown(folder.constData(), 65534, 65534) == 0);
        else
            QVERIFY(::chmod(folder.constData(), 0770) == 0);
        m_link->Open("Model");
        QTest::qWait(100);
        QVERIFY(!m_host->Connected());
        QVERIFY(!Conv().IsConnected());
        QVERIFY(!Conv().IsInitiating());
        QCOMPARE(m_frame->m_strStatus, std::string());
    }

    void aNameOutsideTheFolderIsNotUsed() {
        // A host listening next to the folder is not reached by "../x".
        StartHost();
        FakeHost outside;
        QVERIFY(outside.Listen(m_dir->filePath("x")));
        m_link->Open("../x");
        QTest::qWait(100);
        QVERIFY(!outside.Connected());
        QVERIFY(!Conv().IsConnected());
    }

  private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordingFrame> m_frame;
    std::unique_ptr<HostLink> m_link;
    std::unique_ptr<FakeHost> m_host;

    HostConversation& Conv() { return m_link->Conversation(); }

    void StartHost(const FakeHost::Script& script = FakeHost::Script()) {
        StartHost(FakeHost::Scripted(script));
    }
    void StartHost(FakeHost::Responder responder) {
        QVERIFY(HostSocketPath::PrepareFolder(HostSocketPath::Folder(), geteuid()));
        m_host = std::make_unique<FakeHost>(std::move(responder));
        QVERIFY(m_host->Listen(HostSocketPath::ForServer("Model")));
    }

    void ExpectEndedCleanly(const std::string& textBefore) {
        QVERIFY(!Conv().IsConnected());
        QVERIFY(!Conv().IsInitiating());
        QVERIFY(!Conv().IsLinkOpen());
        QVERIFY(m_frame->m_bStatusError);
        QVERIFY(!m_frame->m_strStatus.empty());
        QCOMPARE(m_frame->Text(), textBefore);
        QVERIFY(Conv().QueryClose());
        QCOMPARE(m_frame->m_nCloses, 0);
        // Get help is off and sends nothing; ending sends nothing either.
        const size_t received = m_host->Received().size();
        Conv().ShowHelp();
        m_link->End();
        QTest::qWait(50);
        QCOMPARE(m_host->Received().size(), received);
    }
};

QTEST_GUILESS_MAIN(HostLinkTest)
#include "HostLinkTest.moc"
