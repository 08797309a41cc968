#include "platform/Cp1251Codec.h"
#include "platform/Charset.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iconv.h>
#include <random>
#include <string>

namespace {
constexpr uint8_t kUnassigned = 0x98;

std::string AllMappedBytes() {
    std::string s;
    for (int b = 0; b < 256; ++b) {
        if (b != kUnassigned)
            s.push_back(static_cast<char>(b));
    }
    return s;
}

bool IsCyrillicOrMicro(char32_t ch) {
    return (ch >= 0x0400 && ch <= 0x04FF) || ch == 0x00B5;
}
} // namespace

TEST(Cp1251CodecTest, EveryMappedByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        if (b == kUnassigned)
            continue;
        EXPECT_EQ(Cp1251Codec::ByteOf(Cp1251Codec::CharOf(static_cast<uint8_t>(b))), b) << b;
    }
    const std::string bytes = AllMappedBytes();
    std::string back;
    ASSERT_TRUE(Cp1251Codec::FromUtf8(Cp1251Codec::ToUtf8(bytes), &back));
    EXPECT_EQ(back, bytes);
}

TEST(Cp1251CodecTest, AgreesWithSystemConverter) {
    iconv_t cd = iconv_open("UTF-8", "CP1251");
    if (cd == reinterpret_cast<iconv_t>(-1))
        GTEST_SKIP() << "no CP1251 converter in the C library";
    for (int b = 0; b < 256; ++b) {
        if (b == kUnassigned)
            continue;
        char in = static_cast<char>(b);
        char buffer[8] = {};
        char* inPtr = &in;
        char* outPtr = buffer;
        size_t inLeft = 1;
        size_t outLeft = sizeof buffer;
        ASSERT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<size_t>(-1)) << b;
        EXPECT_EQ(Cp1251Codec::ToUtf8(std::string(1, in)),
                  std::string(buffer, sizeof buffer - outLeft))
            << b;
    }
    iconv_close(cd);
}

TEST(Cp1251CodecTest, KnownCharacters) {
    EXPECT_EQ(Cp1251Codec::CharOf(0x88), U'\u20AC');
    EXPECT_EQ(Cp1251Codec::CharOf(0xA8), U'\u0401');
    EXPECT_EQ(Cp1251Codec::CharOf(0xB8), U'\u0451');
    EXPECT_EQ(Cp1251Codec::CharOf(0xB9), U'\u2116');
    EXPECT_EQ(Cp1251Codec::CharOf(0xC0), U'\u0410');
    EXPECT_EQ(Cp1251Codec::CharOf(0xFF), U'\u044F');
    EXPECT_EQ(Cp1251Codec::ToUtf8("\xCF\xF0\xE8\xE2\xE5\xF2 \x88"),
              "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE2\x82\xAC");
    std::string out;
    ASSERT_TRUE(Cp1251Codec::FromUtf8("\xE2\x80\x94\xC2\xA0\xD2\x90", &out));
    EXPECT_EQ(out, "\x97\xA0\xA5");
}

TEST(Cp1251CodecTest, UnassignedByteReadsAsReplacementOnly) {
    EXPECT_EQ(Cp1251Codec::CharOf(kUnassigned), U'\uFFFD');
    EXPECT_EQ(Cp1251Codec::ToUtf8("a\x98"), "a\xEF\xBF\xBD");
    EXPECT_EQ(Cp1251Codec::ByteOf(U'\uFFFD'), -1);
    std::string out = "old";
    EXPECT_FALSE(Cp1251Codec::FromUtf8("a\xEF\xBF\xBD", &out));
    EXPECT_TRUE(out.empty());
}

TEST(Cp1251CodecTest, LettersAgreeWithCharset) {
    // Outside ASCII, the code page's letters are exactly its Cyrillic
    // characters and the micro sign.
    for (int b = 0x80; b < 256; ++b) {
        const char32_t ch = Cp1251Codec::CharOf(static_cast<uint8_t>(b));
        EXPECT_EQ(Charset::IsLetter(static_cast<uint8_t>(b)), IsCyrillicOrMicro(ch)) << b;
    }
}

TEST(Cp1251CodecTest, CharactersWithoutByteAreRejected) {
    EXPECT_EQ(Cp1251Codec::ByteOf(U'\u4E2D'), -1);
    EXPECT_EQ(Cp1251Codec::ByteOf(U'\u00E9'), -1);
    EXPECT_EQ(Cp1251Codec::ByteOf(0x110000), -1);
    EXPECT_EQ(Cp1251Codec::ByteOf(0xFFFFFFFF), -1);
    for (const char* s : {"\xE4\xB8\xAD", "ab\xC3\xA9", "\xF0\x9F\x98\x80"}) {
        std::string out;
        EXPECT_FALSE(Cp1251Codec::FromUtf8(s, &out)) << s;
        EXPECT_TRUE(out.empty());
    }
}

TEST(Cp1251CodecTest, MalformedUtf8IsRejected) {
    const char* const cases[] = {
        "\x80",  // continuation without lead
        "a\xD0", // truncated
        "\xD0"
        "A",                // bad continuation
        "\xC0\x80",         // overlong NUL
        "\xE0\x80\xAF",     // overlong "/"
        "\xED\xA0\x80",     // surrogate
        "\xF4\x90\x80\x80", // above U+10FFFF
        "\xFF",             // never a lead byte
    };
    for (const char* s : cases) {
        std::string out;
        EXPECT_FALSE(Cp1251Codec::FromUtf8(s, &out)) << s;
    }
    EXPECT_FALSE(Cp1251Codec::FromUtf8("a", nullptr));
}

TEST(Cp1251CodecTest, RandomBytesConvertBackExactlyOrFail) {
    std::mt19937 rng(1251);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 24);
    int accepted = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string input;
        for (int n = length(rng); n > 0; --n) {
            // Favour bytes that build Cyrillic UTF-8 so that many succeed.
            const int b = byte(rng);
            input.push_back(static_cast<char>(b < 64 ? 0xD0 + (b & 1) : b));
        }
        std::string out;
        if (Cp1251Codec::FromUtf8(input, &out)) {
            ++accepted;
            ASSERT_EQ(Cp1251Codec::ToUtf8(out), input);
        }
    }
    EXPECT_GT(accepted, 100);
}
