// Bytes from the host, in pieces of any size, interleaved with what the
// frame does (Save, close, help). The input is a sequence of pieces, each a
// control byte followed by up to 32 bytes of stream: size = 1 + (control >> 3),
// action = control & 7 taken after the piece arrives.
//
// Checked: reading the stream in these pieces gives the same frames and the
// same verdict as reading it in one; the conversation is always in one of
// the states its table names; the frames the editor sends decode cleanly.
#include <memory>
#include <string>
#include <vector>

#include "FuzzEditor.h"
#include "TreeCheck.h"
#include "app/HostConversation.h"
#include "app/HostFrameSide.h"
#include "app/HostTransport.h"
#include "app/TextInstaller.h"

namespace {
class Transport : public HostTransport {
  public:
    bool Send(const std::string& bytes) override {
        FuzzEditor::Require(!closed, "the conversation wrote after closing");
        sent += bytes;
        return true;
    }
    void Close() override { closed = true; }

    std::string sent;
    bool closed = false;
};

class Frame : public HostFrameSide {
  public:
    Frame() : data(std::make_unique<CVexlorData>()) {
        data->Reset();
        data->SetWindow(&wnd);
    }
    std::string GetCaption() const override { return caption; }
    void SetCaption(const std::string& text) override { caption = text; }
    std::string GetAppTitle() const override { return "Vexlor"; }
    void InstallText(const std::string& text, int line, const std::string& message) override {
        TextInstaller::Install(data, &wnd, text, line, message);
        FuzzEditor::Require(CheckCaret(*data).empty(), "an installed text broke the tree");
    }
    void SetStatusMessage(const std::string&, bool) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
    void PostClose() override {}
    void HostStateChanged() override {}

    CHeadlessWindow wnd;
    std::unique_ptr<CVexlorData> data;
    std::string caption = "Vexlor";
};

struct Piece {
    std::string bytes;
    int action = 0;
};

std::vector<Piece> Split(const uint8_t* data, size_t size) {
    std::vector<Piece> pieces;
    size_t i = 0;
    while (i < size) {
        const uint8_t control = data[i++];
        const size_t n = std::min<size_t>(1 + (control >> 3), size - i);
        pieces.push_back(
            Piece{std::string(reinterpret_cast<const char*>(data + i), n), control & 7});
        i += n;
    }
    return pieces;
}

// Every frame a reader hands out, then its verdict (kNeedMore or kError).
struct Reading {
    std::vector<HostFrame> frames;
    HostFrameReader::Result end = HostFrameReader::kNeedMore;
    size_t pending = 0;
};

void ReadAll(HostFrameReader& reader, Reading* reading) {
    HostFrame frame;
    HostFrameReader::Result result;
    while ((result = reader.Next(&frame)) == HostFrameReader::kFrame)
        reading->frames.push_back(frame);
    reading->end = result;
    reading->pending = reader.Pending();
}

void CheckPiecesReadAsOne(const std::vector<Piece>& pieces) {
    HostFrameReader whole;
    HostFrameReader split;
    Reading a;
    Reading b;
    for (const Piece& piece : pieces) {
        whole.Feed(piece.bytes);
        split.Feed(piece.bytes);
        ReadAll(split, &b);
    }
    ReadAll(whole, &a);
    FuzzEditor::Require(a.frames == b.frames, "pieces give other frames than the whole stream");
    FuzzEditor::Require(a.end == b.end, "pieces give another verdict than the whole stream");
    if (a.end == HostFrameReader::kNeedMore)
        FuzzEditor::Require(a.pending == b.pending, "pieces leave other bytes pending");
}

// The states of the conversation's table, by (connected, initiating,
// text accepted, error shown).
bool IsNamedState(const HostConversation& host) {
    const bool c = host.IsConnected();
    const bool i = host.IsInitiating();
    const bool a = host.IsTextAccepted();
    const bool e = host.IsErrorShown();
    const bool none = !c && !i && a && !e;
    const bool initiating = !c && i && a && !e;
    const bool idle = c && !i && a && !e;
    const bool pending = c && !i && !a && !e;
    const bool error = c && !i && !a && e;
    return none || initiating || idle || pending || error;
}

void Act(HostConversation& host, Frame& frame, int action) {
    switch (action) {
    case 1:
        host.Save(frame.data->GetText(), false, false);
        break;
    case 2:
        host.QueryClose();
        break;
    case 3:
        host.ShowHelp();
        break;
    case 4:
        host.CloseAfterSave(true);
        break;
    case 5:
        host.ExitWithoutSaving();
        break;
    default:
        break;
    }
}

void CheckSentFramesDecode(const std::string& sent) {
    HostFrameReader reader;
    reader.Feed(sent);
    Reading reading;
    ReadAll(reader, &reading);
    FuzzEditor::Require(reading.end == HostFrameReader::kNeedMore && reading.pending == 0,
                        "the editor sent a frame that does not decode");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<Piece> pieces = Split(data, size);
    CheckPiecesReadAsOne(pieces);

    Frame frame;
    Transport transport;
    HostConversation host(&frame, &transport);
    host.Begin("Model");
    host.Opened();
    for (const Piece& piece : pieces) {
        host.Receive(piece.bytes);
        FuzzEditor::Require(IsNamedState(host), "a state the table does not name after bytes");
        Act(host, frame, piece.action);
        FuzzEditor::Require(IsNamedState(host), "a state the table does not name after an action");
    }
    host.End();
    FuzzEditor::Require(IsNamedState(host), "a state the table does not name after the end");
    CheckSentFramesDecode(transport.sent);
    return 0;
}
