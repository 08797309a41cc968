#include <gtest/gtest.h>

#include "platform/Archive.h"

namespace {

std::vector<uint8_t> StoreString(const std::string& s) {
    CArchive ar;
    ar.WriteString(s);
    return ar.TakeBuffer();
}

TEST(ArchiveEncoding, IntegersAreLittleEndian) {
    CArchive ar;
    ar << int32_t{-2} << int32_t{0x01020304};
    std::vector<uint8_t> expected = {0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(ar.GetBuffer(), expected);
    CArchive in(ar.GetBuffer());
    int32_t a = 0, b = 0;
    in >> a >> b;
    EXPECT_EQ(a, -2);
    EXPECT_EQ(b, 0x01020304);
    EXPECT_FALSE(in.IsFailed());
    EXPECT_TRUE(in.AtEnd());
}

TEST(ArchiveEncoding, StringLengthForms) {
    // Below 255: one length byte.
    auto s254 = StoreString(std::string(254, 'a'));
    ASSERT_EQ(s254.size(), 1u + 254);
    EXPECT_EQ(s254[0], 254);
    // 255 .. 0xFFFD: 0xFF then two bytes.
    auto s255 = StoreString(std::string(255, 'b'));
    ASSERT_EQ(s255.size(), 3u + 255);
    EXPECT_EQ(s255[0], 0xFF);
    EXPECT_EQ(s255[1], 0xFF);
    EXPECT_EQ(s255[2], 0x00);
    auto s0xFFFD = StoreString(std::string(0xFFFD, 'c'));
    ASSERT_EQ(s0xFFFD.size(), 3u + 0xFFFD);
    EXPECT_EQ(s0xFFFD[1], 0xFD);
    EXPECT_EQ(s0xFFFD[2], 0xFF);
    // From 0xFFFE: 0xFF, 0xFFFF, then four bytes.
    auto s0xFFFE = StoreString(std::string(0xFFFE, 'd'));
    ASSERT_EQ(s0xFFFE.size(), 7u + 0xFFFE);
    EXPECT_EQ(s0xFFFE[0], 0xFF);
    EXPECT_EQ(s0xFFFE[1], 0xFF);
    EXPECT_EQ(s0xFFFE[2], 0xFF);
    EXPECT_EQ(s0xFFFE[3], 0xFE);
    EXPECT_EQ(s0xFFFE[4], 0xFF);
    EXPECT_EQ(s0xFFFE[5], 0x00);
    EXPECT_EQ(s0xFFFE[6], 0x00);

    for (size_t n :
         {size_t{0}, size_t{254}, size_t{255}, size_t{0xFFFD}, size_t{0xFFFE}, size_t{70000}}) {
        std::string original(n, '\xE0');
        CArchive in(StoreString(original));
        EXPECT_EQ(in.ReadString(), original) << n;
        EXPECT_FALSE(in.IsFailed()) << n;
        EXPECT_TRUE(in.AtEnd()) << n;
    }
}

TEST(ArchiveBadInput, ShortReadsFailAndYieldZeros) {
    CArchive in(std::vector<uint8_t>{0x01, 0x02});
    int32_t v = 77;
    in >> v;
    EXPECT_TRUE(in.IsFailed());
    EXPECT_EQ(v, 0);
    uint8_t b = 9;
    in >> b; // nothing more is read once failed
    EXPECT_EQ(b, 0);
}

TEST(ArchiveBadInput, StringLongerThanImageFails) {
    // Claims 0xFFFFFFFF bytes: must fail without allocating them.
    CArchive in(std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'x'});
    EXPECT_EQ(in.ReadString(), "");
    EXPECT_TRUE(in.IsFailed());
}

TEST(ArchiveBadInput, EveryTruncationOfAStringFails) {
    auto image = StoreString(std::string(300, 'q'));
    for (size_t cut = 0; cut < image.size(); ++cut) {
        CArchive in(std::vector<uint8_t>(image.begin(), image.begin() + static_cast<long>(cut)));
        in.ReadString();
        EXPECT_TRUE(in.IsFailed()) << cut;
    }
}

TEST(ArchiveBadInput, NestingDeeperThanTheLimitFails) {
    CArchive in(std::vector<uint8_t>{});
    for (int i = 0; i < CArchive::kMaxDepth; ++i)
        ASSERT_TRUE(in.EnterNested());
    EXPECT_FALSE(in.EnterNested());
    EXPECT_TRUE(in.IsFailed());
}

} // namespace
