#include "app/HostConversation.h"
#include "app/HostFrameSide.h"
#include "app/HostTransport.h"
#include "app/TextInstaller.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "TreeCheck.h"

namespace {
// " - для Model DDE-сервера" and the texts of the close question, in Windows-1251.
const char kModelSuffix[] = " - \xE4\xEB\xFF Model DDE-\xF1\xE5\xF0\xE2\xE5\xF0\xE0";
const char kAreYouSure[] = "\xC2\xFB \xF3\xE2\xE5\xF0\xE5\xED\xFB?";
const char kExitCaption[] = "\xC2\xFB\xF5\xEE\xE4 \xE1\xE5\xE7 \xF1\xEE\xF5\xF0\xE0\xED\xE5"
                            "\xED\xE8\xFF \xE8\xE7\xEC\xE5\xED\xE5\xED\xE8\xE9";
// "Выражение "
const char kExpression[] = "\xC2\xFB\xF0\xE0\xE6\xE5\xED\xE8\xE5 ";

class FakeTransport : public HostTransport {
  public:
    bool Send(const std::string& bytes) override {
        if (onSend)
            onSend();
        if (fail)
            return false;
        sent += bytes;
        return true;
    }
    void Close() override { ++closes; }

    // What the editor sent, frame by frame.
    std::vector<HostFrame> Frames() const {
        HostFrameReader reader;
        reader.Feed(sent);
        std::vector<HostFrame> frames;
        HostFrame frame;
        while (reader.Next(&frame) == HostFrameReader::kFrame)
            frames.push_back(frame);
        EXPECT_EQ(reader.Pending(), 0u);
        return frames;
    }

    std::string sent;
    bool fail = false;
    int closes = 0;
    std::function<void()> onSend;
};

class FakeFrame : public HostFrameSide {
  public:
    std::string GetCaption() const override { return caption; }
    void SetCaption(const std::string& text) override { caption = text; }
    std::string GetAppTitle() const override { return "Vexlor"; }
    void InstallText(const std::string& text, int line, const std::string& message) override {
        ++installs;
        const std::string shown =
            TextInstaller::Install(editor.data, editor.wnd.get(), text, line, message);
        if (line >= 0)
            SetStatusMessage(shown, true);
    }
    void SetStatusMessage(const std::string& text, bool error) override {
        status = text;
        statusError = error;
    }
    bool AskYesNo(const std::string& text, const std::string& title) override {
        questions.emplace_back(text, title);
        return answer;
    }
    void PostClose() override { ++closes; }
    void HostStateChanged() override { ++stateChanges; }

    std::string Text() { return editor.data->GetText(); }

    TestEditor editor;
    std::string caption = "Vexlor";
    std::string status;
    bool statusError = false;
    int installs = 0;
    std::vector<std::pair<std::string, std::string>> questions;
    bool answer = true;
    int closes = 0;
    int stateChanges = 0;
};

enum class State { kNone, kInitiating, kIdle, kPending, kError };

class HostConversationTest : public ::testing::Test {
  protected:
    HostConversationTest() : host(&frame, &transport) {}

    void Open() {
        host.Begin("Model");
        host.Opened();
    }
    // Opens and gets the answer, the caption and the text.
    void Connect(const std::string& text = "a = b;\nc = d;") {
        Open();
        Answer(HostFrame::Ack("Model", "Vexlor", 0));
        Answer(HostFrame::Data("GetTitle", "Model 1"));
        Answer(HostFrame::Data("GetText", text));
    }
    void Answer(const HostFrame& frame) { host.Receive(frame.Encode()); }
    void Reject(const std::string& marked) { Answer(HostFrame::Data("CheckTextError", marked)); }
    void Accept() { Answer(HostFrame::Ack("CheckTextOK", "", 0)); }
    // Save with a conversation and no file.
    bool Save() { return host.Save(frame.Text(), false, false); }

    State Current() const {
        const bool connected = host.IsConnected();
        const bool initiating = host.IsInitiating();
        const bool accepted = host.IsTextAccepted();
        const bool error = host.IsErrorShown();
        if (!connected && !initiating && accepted && !error)
            return State::kNone;
        if (!connected && initiating && accepted && !error)
            return State::kInitiating;
        if (connected && !initiating && accepted && !error)
            return State::kIdle;
        if (connected && !initiating && !accepted && !error)
            return State::kPending;
        if (connected && !initiating && !accepted && error)
            return State::kError;
        ADD_FAILURE() << "a state outside the table";
        return State::kNone;
    }

    size_t SentCount() const { return transport.Frames().size(); }

    FakeTransport transport;
    FakeFrame frame;
    HostConversation host;
};
} // namespace

TEST_F(HostConversationTest, WithoutNameThereIsNoConversation) {
    host.Begin("");
    host.Opened();
    EXPECT_EQ(Current(), State::kNone);
    EXPECT_EQ(frame.caption, "Vexlor");
    EXPECT_EQ(transport.sent, "");
    host.ShowHelp();
    EXPECT_EQ(transport.sent, "");
    EXPECT_TRUE(host.QueryClose());
    EXPECT_TRUE(frame.questions.empty());
}

TEST_F(HostConversationTest, OpeningAddsCaptionSuffixAndSendsInitiate) {
    host.Begin("Model");
    EXPECT_EQ(frame.caption, std::string("Vexlor") + kModelSuffix);
    EXPECT_EQ(Current(), State::kInitiating);
    EXPECT_EQ(transport.sent, "");
    host.Opened();
    EXPECT_EQ(transport.Frames(), std::vector<HostFrame>{HostFrame::Initiate("Model", "Vexlor")});
    EXPECT_FALSE(host.IsConnected());
    EXPECT_TRUE(host.IsStartupPending());
}

TEST_F(HostConversationTest, NoHostToReachMeansNoConversationSilently) {
    host.Begin("Model");
    host.OpenFailed();
    EXPECT_EQ(Current(), State::kNone);
    EXPECT_EQ(frame.caption, std::string("Vexlor") + kModelSuffix);
    EXPECT_EQ(frame.status, "");
    EXPECT_FALSE(host.IsStartupPending());
    // Bytes without a connection are not read.
    Answer(HostFrame::Ack("Model", "Vexlor", 0));
    EXPECT_EQ(Current(), State::kNone);
}

TEST_F(HostConversationTest, MatchingAnswerOpensAndRequestsTitleThenText) {
    Open();
    Answer(HostFrame::Ack("Model", "Vexlor", 0));
    EXPECT_EQ(Current(), State::kIdle);
    EXPECT_EQ(frame.stateChanges, 1);
    const std::vector<HostFrame> expected = {
        HostFrame::Initiate("Model", "Vexlor"),
        HostFrame::Request("GetTitle", 1),
        HostFrame::Request("GetText", 1),
    };
    EXPECT_EQ(transport.Frames(), expected);
    EXPECT_TRUE(host.IsStartupPending());
    Answer(HostFrame::Data("GetTitle", "T"));
    EXPECT_TRUE(host.IsStartupPending());
    Answer(HostFrame::Data("GetText", "x;"));
    EXPECT_FALSE(host.IsStartupPending());
}

TEST_F(HostConversationTest, AnswersWithOtherNamesAreDropped) {
    Open();
    Answer(HostFrame::Ack("model", "Vexlor", 0));
    Answer(HostFrame::Ack("MODEL", "Vexlor", 0));
    Answer(HostFrame::Ack("Model", "vexlor", 0));
    Answer(HostFrame::Ack("Model ", "Vexlor", 0));
    Answer(HostFrame::Ack("CheckTextOK", "", 0));
    EXPECT_EQ(Current(), State::kInitiating);
    EXPECT_EQ(SentCount(), 1u);
    // The editor keeps waiting: a matching answer still opens.
    Answer(HostFrame::Ack("Model", "Vexlor", 0));
    EXPECT_EQ(Current(), State::kIdle);
}

TEST_F(HostConversationTest, FirstMatchingAnswerWinsLaterOneIsAnOrdinaryAck) {
    Open();
    const std::string two = HostFrame::Ack("Model", "Vexlor", 0).Encode() +
                            HostFrame::Ack("Model", "Vexlor", 0).Encode();
    host.Receive(two);
    EXPECT_EQ(Current(), State::kIdle);
    EXPECT_EQ(SentCount(), 3u);
    EXPECT_EQ(frame.stateChanges, 1);
    EXPECT_EQ(frame.closes, 0);
}

TEST_F(HostConversationTest, DataBeforeTheAnswerIsIgnored) {
    Open();
    Answer(HostFrame::Data("GetTitle", "Early"));
    Answer(HostFrame::Data("CheckTextError", "a = b;~ Early"));
    EXPECT_EQ(Current(), State::kInitiating);
    EXPECT_EQ(frame.caption, std::string("Vexlor") + kModelSuffix);
    EXPECT_EQ(frame.installs, 0);
    EXPECT_EQ(frame.status, "");
}

TEST_F(HostConversationTest, TitleReplacesTheConversationSuffix) {
    Open();
    Answer(HostFrame::Ack("Model", "Vexlor", 0));
    Answer(HostFrame::Data("GetTitle", "Model 1"));
    EXPECT_EQ(frame.caption, "Vexlor - Model 1");
    // Data is read up to its first NUL.
    Answer(HostFrame::Data("GetTitle", std::string("Model 2\0junk", 12)));
    EXPECT_EQ(frame.caption, "Vexlor - Model 2");
}

TEST_F(HostConversationTest, TextWithoutMarkerIsInstalledAndAccepted) {
    Connect("a = b;\r\nc = d;");
    EXPECT_EQ(frame.installs, 1);
    ASSERT_EQ(frame.editor.data->Rows().size(), 2u);
    EXPECT_EQ(frame.Text(), "a = b;\nc = d;");
    EXPECT_EQ(frame.status, "");
    EXPECT_FALSE(frame.editor.data->IsModified());
    EXPECT_EQ(Current(), State::kIdle);
}

TEST_F(HostConversationTest, MarkedTextSelectsRowAndShowsRedMessage) {
    Connect("a = b;\nc = d ~ Bad name d\ne = f;");
    EXPECT_EQ(Current(), State::kError);
    EXPECT_EQ(frame.status, std::string(kExpression) + "2: Bad name d");
    EXPECT_TRUE(frame.statusError);
    const CVexlorData& data = *frame.editor.data;
    EXPECT_EQ(data.CurRowIndex(), 1);
    EXPECT_EQ(data.CurrentRow(), data.Rows()[1]);
    EXPECT_EQ(data.AnchorPos(), 0);
    EXPECT_EQ(data.CaretPos(), data.Rows()[1]->GetCount() - 1);
    EXPECT_EQ(CheckCaret(data), "");
}

TEST_F(HostConversationTest, TextWithoutMarkerClearsAnEarlierRedMessage) {
    Connect();
    ASSERT_TRUE(Save());
    Reject("a = b;~ Nope\nc = d;");
    ASSERT_EQ(Current(), State::kError);
    ASSERT_NE(frame.status, "");
    Answer(HostFrame::Data("GetText", "a = b;\nc = d;"));
    EXPECT_EQ(frame.status, "");
    EXPECT_FALSE(frame.statusError);
    EXPECT_EQ(Current(), State::kIdle);
}

TEST_F(HostConversationTest, SaveSendsTheWholeTextAndWaitsForTheVerdict) {
    Connect("a = b;\nc = d;");
    frame.status = "old";
    EXPECT_TRUE(Save());
    EXPECT_EQ(transport.Frames().back(), HostFrame::Poke("CheckText", "a = b;\nc = d;"));
    EXPECT_EQ(frame.status, "");
    EXPECT_EQ(Current(), State::kPending);
    // A plain close waits, silently, for the verdict.
    EXPECT_FALSE(host.QueryClose());
    EXPECT_TRUE(frame.questions.empty());
    Accept();
    EXPECT_EQ(Current(), State::kIdle);
    EXPECT_EQ(frame.closes, 0);
    EXPECT_TRUE(host.QueryClose());
}

TEST_F(HostConversationTest, SaveAndExitClosesWhenTheHostAccepts) {
    Connect();
    ASSERT_TRUE(Save());
    EXPECT_FALSE(host.CloseAfterSave(false));
    EXPECT_TRUE(host.IsCloseWhenAccepted());
    EXPECT_EQ(frame.closes, 0);
    Accept();
    EXPECT_EQ(frame.closes, 1);
    // The flag is never cleared: a later acceptance closes again.
    ASSERT_TRUE(Save());
    Accept();
    EXPECT_EQ(frame.closes, 2);
}

TEST_F(HostConversationTest, SaveAndExitAfterRejectionStaysWithTheError) {
    Connect();
    ASSERT_TRUE(Save());
    host.CloseAfterSave(false);
    Reject("a = b;\nc = d;~ Nope");
    EXPECT_EQ(frame.closes, 0);
    EXPECT_EQ(Current(), State::kError);
}

TEST_F(HostConversationTest, LeavingWithAnErrorShownAsks) {
    Connect();
    ASSERT_TRUE(Save());
    Reject("a = b;~ Nope\nc = d;");
    frame.answer = false;
    EXPECT_FALSE(host.QueryClose());
    frame.answer = true;
    EXPECT_TRUE(host.QueryClose());
    ASSERT_EQ(frame.questions.size(), 2u);
    EXPECT_EQ(frame.questions[0].first, kAreYouSure);
    EXPECT_EQ(frame.questions[0].second, kExitCaption);
}

TEST_F(HostConversationTest, ExitWithoutSavingForgetsTheVerdict) {
    Connect();
    ASSERT_TRUE(Save());
    Reject("a = b;~ Nope\nc = d;");
    host.ExitWithoutSaving();
    EXPECT_EQ(Current(), State::kIdle);
    ASSERT_TRUE(Save());
    host.ExitWithoutSaving();
    EXPECT_EQ(Current(), State::kIdle);
    EXPECT_TRUE(host.QueryClose());
    EXPECT_TRUE(frame.questions.empty());
}

TEST_F(HostConversationTest, SaveWithoutConversationFollowsTheFile) {
    host.Begin("Model");
    host.OpenFailed();
    frame.status = "old";
    // Neither a file nor a host: the text went nowhere, so it is not done.
    EXPECT_FALSE(host.Save("x;", false, false));
    EXPECT_EQ(frame.status, "old");
    // A file that could not be written: not done, the message stays.
    EXPECT_FALSE(host.Save("x;", true, false));
    EXPECT_EQ(frame.status, "old");
    EXPECT_TRUE(host.Save("x;", true, true));
    EXPECT_EQ(frame.status, "");
    EXPECT_EQ(transport.sent, "");
    // Save and Exit and Yes on the question close at once only when saved.
    EXPECT_FALSE(host.CloseAfterSave(true));
    EXPECT_TRUE(host.CloseAfterSave(false));
}

TEST_F(HostConversationTest, UnknownItemsAndEditorMessagesChangeNothing) {
    Connect("a = b;");
    ASSERT_TRUE(Save());
    const size_t sent = SentCount();
    const std::string caption = frame.caption;
    Answer(HostFrame::Data("GetSomething", "x = ~ y"));
    Answer(HostFrame::Data("gettext", "x = y;"));
    Answer(HostFrame::Ack("CheckTextok", "", 0));
    Answer(HostFrame::Ack("[showhelp]", "", 0));
    Answer(HostFrame::Initiate("Model", "Vexlor"));
    Answer(HostFrame::Request("GetText"));
    Answer(HostFrame::Poke("CheckText", "x;"));
    Answer(HostFrame::Execute("[showhelp]"));
    EXPECT_EQ(frame.installs, 1);
    EXPECT_EQ(frame.Text(), "a = b;");
    EXPECT_EQ(frame.caption, caption);
    EXPECT_EQ(Current(), State::kPending);
    EXPECT_EQ(SentCount(), sent);
    EXPECT_EQ(frame.closes, 0);
}

TEST_F(HostConversationTest, HelpNeedsAConversation) {
    Open();
    host.ShowHelp();
    EXPECT_EQ(SentCount(), 1u);
    Answer(HostFrame::Ack("Model", "Vexlor", 0));
    host.ShowHelp();
    EXPECT_EQ(transport.Frames().back(), HostFrame::Execute("[showhelp]"));
    // Its acknowledgement is ignored.
    Answer(HostFrame::Ack("[showhelp]", "", 0));
    EXPECT_EQ(Current(), State::kIdle);
}

TEST_F(HostConversationTest, EndingSaysTerminateOnceAndCallsTheFrameNoMore) {
    Connect();
    ASSERT_TRUE(Save());
    const int changes = frame.stateChanges;
    host.End();
    EXPECT_EQ(transport.Frames().back(), HostFrame::Terminate());
    EXPECT_EQ(transport.closes, 1);
    EXPECT_EQ(Current(), State::kNone); // the pending check is gone with the conversation
    host.End();
    host.ConnectionLost();
    Accept();
    EXPECT_EQ(SentCount(), 5u);
    EXPECT_EQ(transport.closes, 1);
    EXPECT_EQ(frame.stateChanges, changes);
    EXPECT_EQ(frame.status, "");
    EXPECT_EQ(frame.closes, 0);
}

TEST_F(HostConversationTest, EndingWhileInitiatingStillSaysTerminate) {
    Open();
    host.End();
    EXPECT_EQ(transport.Frames(), (std::vector<HostFrame>{HostFrame::Initiate("Model", "Vexlor"),
                                                          HostFrame::Terminate()}));
}

TEST_F(HostConversationTest, EndingWithoutConnectionSendsNothing) {
    host.Begin("Model");
    host.OpenFailed();
    host.End();
    EXPECT_EQ(transport.sent, "");
    EXPECT_EQ(transport.closes, 0);
}

TEST_F(HostConversationTest, HostTerminateEndsTheConversationAndLaterBytesAreDropped) {
    Connect("a = b;");
    host.Receive(HostFrame::Terminate().Encode() + HostFrame::Data("GetText", "x;").Encode());
    EXPECT_EQ(Current(), State::kNone);
    EXPECT_EQ(frame.Text(), "a = b;");
    EXPECT_EQ(transport.closes, 1);
}

TEST_F(HostConversationTest, FramesArriveInAnyPieces) {
    Open();
    const std::string stream = HostFrame::Ack("Model", "Vexlor", 0).Encode() +
                               HostFrame::Data("GetTitle", "Model 1").Encode() +
                               HostFrame::Data("GetText", "p = q;").Encode();
    for (char c : stream)
        host.Receive(&c, 1);
    EXPECT_EQ(Current(), State::kIdle);
    EXPECT_EQ(frame.caption, "Vexlor - Model 1");
    EXPECT_EQ(frame.Text(), "p = q;");
}

// Each way the host can misbehave, at each point of the conversation: the
// conversation ends cleanly, the user is told, the editor's text stays, and
// nothing holds the window open.
TEST_F(HostConversationTest, BadInputAtEveryPointEndsTheConversationCleanly) {
    const std::vector<std::pair<const char*, std::string>> faults = {
        {"oversized", std::string("\x00\x00\x00\x02", 4)},
        {"unknown message", std::string("\x01\x00\x00\x00\x2A", 5)},
        {"malformed fields", std::string("\x03\x00\x00\x00\x04\x00\x00", 7)},
        {"garbage", std::string("GET / HTTP/1.0\r\n\r\n")},
        {"empty frame", std::string(4, '\0')},
    };
    enum Point { kWhileInitiating, kIdle, kPending, kError, kAfterSaveAndExit };
    for (const auto& [what, bytes] : faults) {
        for (int point = kWhileInitiating; point <= kAfterSaveAndExit; ++point) {
            SCOPED_TRACE(std::string(what) + " at point " + std::to_string(point));
            FakeTransport t;
            FakeFrame f;
            HostConversation h(&f, &t);
            h.Begin("Model");
            h.Opened();
            if (point != kWhileInitiating) {
                h.Receive(HostFrame::Ack("Model", "Vexlor", 0).Encode());
                h.Receive(HostFrame::Data("GetText", "a = b;\nc = d;").Encode());
            }
            if (point == kPending || point == kAfterSaveAndExit)
                h.Save(f.Text(), false, false);
            if (point == kAfterSaveAndExit)
                h.CloseAfterSave(false);
            if (point == kError)
                h.Receive(HostFrame::Data("CheckTextError", "a = b;~ x\nc = d;").Encode());
            const std::string before = f.Text();

            // A good frame after the fault is not handled any more.
            h.Receive(bytes);
            h.Receive(HostFrame::Ack("CheckTextOK", "", 0).Encode());

            EXPECT_FALSE(h.IsConnected());
            EXPECT_FALSE(h.IsInitiating());
            EXPECT_TRUE(h.IsTextAccepted());
            EXPECT_FALSE(h.IsErrorShown());
            EXPECT_EQ(t.closes, 1);
            EXPECT_TRUE(f.statusError);
            EXPECT_NE(f.status, "");
            EXPECT_EQ(f.Text(), before);
            EXPECT_EQ(f.closes, 0);
            EXPECT_TRUE(h.QueryClose());
            EXPECT_TRUE(f.questions.empty());
            EXPECT_EQ(f.stateChanges, point == kWhileInitiating ? 0 : 2);
            // Nothing more goes out: no help, no text, no TERMINATE.
            const std::string sent = t.sent;
            h.ShowHelp();
            // With neither a host nor a file a save is not done.
            EXPECT_FALSE(h.Save(f.Text(), false, false));
            h.End();
            EXPECT_EQ(t.sent, sent);
        }
    }
}

TEST_F(HostConversationTest, HangUpAtEveryPointEndsTheConversation) {
    for (int point = 0; point < 6; ++point) {
        SCOPED_TRACE(point);
        FakeTransport t;
        FakeFrame f;
        HostConversation h(&f, &t);
        h.Begin("Model");
        h.Opened();
        if (point >= 1)
            h.Receive(HostFrame::Ack("Model", "Vexlor", 0).Encode());
        if (point >= 2)
            h.Receive(HostFrame::Data("GetTitle", "T").Encode());
        if (point >= 3)
            h.Receive(HostFrame::Data("GetText", "a = b;").Encode());
        if (point >= 4)
            h.Save(f.Text(), false, false);
        if (point >= 5)
            h.Receive(HostFrame::Data("CheckTextError", "a = b;~ no").Encode());
        // Half a frame, then the host is gone.
        h.Receive(HostFrame::Ack("CheckTextOK", "", 0).Encode().substr(0, 9));
        h.ConnectionLost();
        EXPECT_FALSE(h.IsConnected());
        EXPECT_FALSE(h.IsStartupPending());
        EXPECT_TRUE(h.QueryClose());
        EXPECT_EQ(t.closes, 1);
        EXPECT_TRUE(f.statusError);
        EXPECT_NE(f.status, "");
        EXPECT_EQ(f.closes, 0);
    }
}

TEST_F(HostConversationTest, LosingAPendingCheckSaysTheTextWentUnchecked) {
    Connect();
    host.ConnectionLost();
    const std::string idleNotice = frame.status;

    FakeTransport t;
    FakeFrame f;
    HostConversation h(&f, &t);
    h.Begin("Model");
    h.Opened();
    h.Receive(HostFrame::Ack("Model", "Vexlor", 0).Encode());
    h.Save("x;", false, false);
    h.ConnectionLost();
    EXPECT_NE(f.status, idleNotice);
    EXPECT_EQ(f.status.compare(0, idleNotice.size(), idleNotice), 0);
}

TEST_F(HostConversationTest, ATextThatCannotBeSentIsNotSaved) {
    Connect("a = b;");
    transport.fail = true;
    // No file: the save is not done, so the undo history must stay.
    EXPECT_FALSE(Save());
    EXPECT_EQ(Current(), State::kNone);
    EXPECT_TRUE(frame.statusError);
    EXPECT_NE(frame.status, "");
    EXPECT_EQ(frame.stateChanges, 2);
    EXPECT_FALSE(host.CloseAfterSave(true));
}

TEST_F(HostConversationTest, AFileSavedWhileTheHostFailsStillCountsAndKeepsTheNotice) {
    Connect("a = b;");
    transport.fail = true;
    EXPECT_TRUE(host.Save("a = b;", true, true));
    EXPECT_TRUE(frame.statusError);
    EXPECT_NE(frame.status, "");
    // Save and Exit now closes at once: the file holds the text.
    EXPECT_TRUE(host.CloseAfterSave(false));
}

TEST_F(HostConversationTest, AHangUpNoticedWhileWritingCountsAsNotSent) {
    Connect("a = b;");
    // The transport learns of the hang-up while writing and reports it
    // before its write returns success.
    transport.onSend = [this] { host.ConnectionLost(); };
    EXPECT_FALSE(Save());
    EXPECT_EQ(Current(), State::kNone);
    EXPECT_TRUE(host.QueryClose());
}

TEST_F(HostConversationTest, ATooLargeTextIsRefusedAndTheConversationGoesOn) {
    Connect("a = b;");
    const size_t sent = SentCount();
    const std::string huge(HostFrame::kMaxLength, 'x');
    EXPECT_FALSE(host.Save(huge, false, false));
    EXPECT_EQ(SentCount(), sent);
    EXPECT_TRUE(frame.statusError);
    EXPECT_NE(frame.status, "");
    EXPECT_EQ(Current(), State::kIdle);
    EXPECT_TRUE(host.QueryClose());
}

// Random frames from a small vocabulary, now and then a broken one, with
// saves, closes and help in between: the state never leaves the table, and
// nothing is sent once the connection is gone.
TEST(HostConversationRandomTest, StateStaysInTheTable) {
    const std::vector<std::string> names = {"Model",   "model",       "Vexlor",         "GetTitle",
                                            "GetText", "CheckTextOK", "CheckTextError", ""};
    const std::vector<std::string> texts = {"", "a = b;", "a;\nb~ m", "~",
                                            std::string("x\0~ y", 5)};
    std::mt19937 rng(7);
    auto pick = [&rng](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(rng)];
    };
    for (int round = 0; round < 200; ++round) {
        FakeTransport t;
        FakeFrame f;
        HostConversation h(&f, &t);
        h.Begin("Model");
        h.Opened();
        for (int step = 0; step < 40; ++step) {
            const int action = std::uniform_int_distribution<int>(0, 99)(rng);
            if (action < 35) {
                h.Receive(HostFrame::Ack(pick(names), pick(names), 0).Encode());
            } else if (action < 70) {
                h.Receive(HostFrame::Data(pick(names), pick(texts)).Encode());
            } else if (action < 80) {
                h.Save(f.Text(), action % 2 == 0, action % 3 == 0);
            } else if (action < 85) {
                h.CloseAfterSave(action % 2 == 0);
            } else if (action < 90) {
                h.QueryClose();
                h.ShowHelp();
            } else if (action < 95) {
                h.ExitWithoutSaving();
            } else if (action < 97) {
                h.Receive(std::string(5, static_cast<char>(action)));
            } else {
                h.ConnectionLost();
            }
            const bool connected = h.IsConnected();
            const bool initiating = h.IsInitiating();
            const bool accepted = h.IsTextAccepted();
            const bool error = h.IsErrorShown();
            // Without a conversation, or while initiating, nothing is pending.
            if (!connected) {
                ASSERT_TRUE(accepted) << round << "/" << step;
                ASSERT_FALSE(error) << round << "/" << step;
            }
            ASSERT_FALSE(connected && initiating);
            ASSERT_FALSE(error && accepted);
            if (!h.IsLinkOpen()) {
                const std::string sent = t.sent;
                h.ShowHelp();
                h.Save("x;", false, false);
                ASSERT_EQ(t.sent, sent);
            }
        }
    }
}
