#include "app/HostFrame.h"
#include "app/HostFrameReader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {
std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

// Every frame the reader hands out for the stream, fed in one piece.
std::vector<HostFrame> ReadAll(const std::string& stream, HostFrameReader::Result* last) {
    HostFrameReader reader;
    reader.Feed(stream);
    std::vector<HostFrame> frames;
    HostFrame frame;
    HostFrameReader::Result result;
    while ((result = reader.Next(&frame)) == HostFrameReader::kFrame)
        frames.push_back(frame);
    if (last)
        *last = result;
    return frames;
}

HostFrameReader::Result Verdict(const std::string& stream) {
    HostFrameReader::Result last;
    ReadAll(stream, &last);
    return last;
}

std::vector<HostFrame> SampleFrames() {
    return {
        HostFrame::Initiate("Model", "Vexlor"),
        HostFrame::Ack("Model", "Vexlor", 0x8000),
        HostFrame::Ack("CheckTextOK", "", 0),
        HostFrame::Request("GetTitle"),
        HostFrame::Request("GetText", 0xBEEF),
        HostFrame::Data("GetText", "a = b;\nx = \xE0\xFF;\r\n"),
        HostFrame::Data("", std::string("with\0nul", 8)),
        HostFrame::Poke("CheckText", "y = ( ? );\n"),
        HostFrame::Execute("[showhelp]"),
        HostFrame::Terminate(),
    };
}

std::string Stream(const std::vector<HostFrame>& frames) {
    std::string out;
    for (const HostFrame& f : frames)
        out += f.Encode();
    return out;
}
} // namespace

TEST(HostFrameTest, EncodesEachMessageByteForByte) {
    EXPECT_EQ(HostFrame::Initiate("M", "Vexlor").Encode(),
              Bytes({16, 0, 0, 0, 1, 1, 0, 0, 0, 'M', 6, 0, 0, 0}) + "Vexlor");
    EXPECT_EQ(HostFrame::Ack("A", "", 0x1234).Encode(),
              Bytes({12, 0, 0, 0, 2, 1, 0, 0, 0, 'A', 0, 0, 0, 0, 0x34, 0x12}));
    EXPECT_EQ(HostFrame::Request("GetText").Encode(),
              Bytes({14, 0, 0, 0, 3, 1, 0, 7, 0, 0, 0}) + "GetText");
    EXPECT_EQ(HostFrame::Data("I", "d").Encode(),
              Bytes({11, 0, 0, 0, 4, 1, 0, 0, 0, 'I', 1, 0, 0, 0, 'd'}));
    EXPECT_EQ(HostFrame::Poke("I", "").Encode(),
              Bytes({10, 0, 0, 0, 5, 1, 0, 0, 0, 'I', 0, 0, 0, 0}));
    EXPECT_EQ(HostFrame::Execute("[showhelp]").Encode(),
              Bytes({15, 0, 0, 0, 6, 10, 0, 0, 0}) + "[showhelp]");
    EXPECT_EQ(HostFrame::Terminate().Encode(), Bytes({1, 0, 0, 0, 7}));
}

TEST(HostFrameTest, LongCountsAreLittleEndian) {
    const std::string data(0x010203, 'x');
    const std::string bytes = HostFrame::Data("", data).Encode();
    const uint32_t length = 1 + 4 + 4 + 0x010203;
    EXPECT_EQ(bytes.substr(0, 4),
              Bytes({static_cast<int>(length & 0xFF), static_cast<int>((length >> 8) & 0xFF),
                     static_cast<int>(length >> 16), 0}));
    EXPECT_EQ(bytes.substr(9, 4), Bytes({3, 2, 1, 0}));
}

TEST(HostFrameTest, EveryMessageReadsBackWhateverTheSplit) {
    const std::vector<HostFrame> frames = SampleFrames();
    const std::string stream = Stream(frames);

    HostFrameReader::Result last;
    EXPECT_EQ(ReadAll(stream, &last), frames);
    EXPECT_EQ(last, HostFrameReader::kNeedMore);

    // One byte at a time: nothing is handed out before its last byte.
    HostFrameReader reader;
    std::vector<HostFrame> got;
    HostFrame frame;
    for (char c : stream) {
        reader.Feed(&c, 1);
        while (reader.Next(&frame) == HostFrameReader::kFrame)
            got.push_back(frame);
    }
    EXPECT_EQ(got, frames);
    EXPECT_EQ(reader.Pending(), 0u);
    EXPECT_FALSE(reader.IsFailed());
}

TEST(HostFrameTest, AnIncompleteFrameWaitsForMore) {
    const std::string bytes = HostFrame::Data("GetText", "abc").Encode();
    HostFrameReader reader;
    reader.Feed(bytes.substr(0, bytes.size() - 1));
    HostFrame frame;
    EXPECT_EQ(reader.Next(&frame), HostFrameReader::kNeedMore);
    EXPECT_EQ(reader.Pending(), bytes.size() - 1);
    reader.Feed(bytes.substr(bytes.size() - 1));
    ASSERT_EQ(reader.Next(&frame), HostFrameReader::kFrame);
    EXPECT_EQ(frame.m_strText, "abc");
}

TEST(HostFrameTest, LengthLimitIsSixteenMebibytes) {
    // A DATA frame whose length field is exactly the limit passes.
    const size_t fill = HostFrame::kMaxLength - 1 - 4 - 4;
    const HostFrame largest = HostFrame::Data("", std::string(fill, 'a'));
    ASSERT_EQ(largest.BodyLength(), HostFrame::kMaxLength);
    const std::string bytes = largest.Encode();
    ASSERT_EQ(bytes.size(), HostFrame::kMaxLength + 4u);
    HostFrameReader::Result last;
    EXPECT_EQ(ReadAll(bytes, &last).size(), 1u);

    // One byte more cannot be encoded and is refused by its length alone.
    const HostFrame tooLarge = HostFrame::Data("", std::string(fill + 1, 'a'));
    EXPECT_EQ(tooLarge.Encode(), "");
    EXPECT_EQ(Verdict(Bytes({0x01, 0x00, 0x00, 0x01})), HostFrameReader::kError);
    EXPECT_EQ(Verdict(Bytes({0xFF, 0xFF, 0xFF, 0xFF})), HostFrameReader::kError);
}

TEST(HostFrameTest, BrokenFramesBreakTheStream) {
    const std::string terminate = HostFrame::Terminate().Encode();
    struct Case {
        const char* what;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"empty frame", Bytes({0, 0, 0, 0})},
        {"message byte 0", Bytes({1, 0, 0, 0, 0})},
        {"message byte 8", Bytes({1, 0, 0, 0, 8})},
        {"message byte 255, rest still missing", Bytes({100, 0, 0, 0, 255})},
        {"terminate with a field", Bytes({2, 0, 0, 0, 7, 0})},
        {"execute without its string", Bytes({1, 0, 0, 0, 6})},
        {"string count past the end", Bytes({6, 0, 0, 0, 6, 2, 0, 0, 0, 'x'})},
        {"string count near 4 GiB", Bytes({5, 0, 0, 0, 6, 0xFF, 0xFF, 0xFF, 0xFF})},
        {"byte left over", Bytes({7, 0, 0, 0, 6, 1, 0, 0, 0, 'x', 'y'})},
        {"ack without status", Bytes({9, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"ack with half a status", Bytes({10, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1})},
        {"request without item", Bytes({3, 0, 0, 0, 3, 1, 0})},
        {"data with one string", Bytes({9, 0, 0, 0, 4, 4, 0, 0, 0, 'G', 'e', 't', 'T'})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // A good frame before the broken one is still handed out.
        HostFrameReader::Result last;
        const std::vector<HostFrame> frames = ReadAll(terminate + c.bytes + terminate, &last);
        EXPECT_EQ(frames.size(), 1u);
        EXPECT_EQ(last, HostFrameReader::kError);
    }
}

TEST(HostFrameTest, BrokenStreamStaysBroken) {
    HostFrameReader reader;
    reader.Feed(Bytes({1, 0, 0, 0, 9}));
    HostFrame frame;
    EXPECT_EQ(reader.Next(&frame), HostFrameReader::kError);
    EXPECT_TRUE(reader.IsFailed());
    reader.Feed(HostFrame::Terminate().Encode());
    EXPECT_EQ(reader.Next(&frame), HostFrameReader::kError);
    EXPECT_EQ(reader.Pending(), 0u);
}

// Random streams, whole or cut from good frames: the reader never reads out
// of bounds (the sanitizer build watches), and what it hands out is exactly
// the frames whose bytes it consumed.
TEST(HostFrameTest, RandomStreamsNeverBreakTheReader) {
    std::mt19937 rng(20240611);
    const std::string good = Stream(SampleFrames());
    for (int round = 0; round < 3000; ++round) {
        std::string stream;
        if (round % 3 == 0) {
            std::uniform_int_distribution<int> len(0, 64);
            std::uniform_int_distribution<int> byte(0, 255);
            const int n = len(rng);
            for (int i = 0; i < n; ++i)
                stream.push_back(static_cast<char>(byte(rng)));
        } else {
            // Good frames with a few bytes changed and the end cut off.
            stream = good;
            std::uniform_int_distribution<size_t> pos(0, stream.size() - 1);
            std::uniform_int_distribution<int> byte(0, 255);
            for (int flips = round % 4; flips > 0; --flips)
                stream[pos(rng)] = static_cast<char>(byte(rng));
            stream.resize(pos(rng));
        }
        HostFrameReader reader;
        std::string consumed;
        size_t fed = 0;
        HostFrame frame;
        HostFrameReader::Result result = HostFrameReader::kNeedMore;
        std::uniform_int_distribution<size_t> piece(1, 17);
        while (fed < stream.size() && result != HostFrameReader::kError) {
            const size_t n = std::min(piece(rng), stream.size() - fed);
            reader.Feed(stream.data() + fed, n);
            fed += n;
            while ((result = reader.Next(&frame)) == HostFrameReader::kFrame)
                consumed += frame.Encode();
        }
        ASSERT_EQ(stream.compare(0, consumed.size(), consumed), 0) << "round " << round;
        if (result != HostFrameReader::kError) {
            ASSERT_EQ(consumed.size() + reader.Pending(), fed) << "round " << round;
        }
    }
}
