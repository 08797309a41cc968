#include "platform/Cp1251Codec.h"

#include <array>
#include <cstddef>
#include <utility>

namespace {
constexpr char32_t kReplacement = 0xFFFD;

// Characters of the bytes 0x80-0xBF; 0xC0-0xFF are U+0410-U+044F in order.
// clang-format off
constexpr std::array<char32_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 0x98 unassigned
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // 0xB8
};
// clang-format on

void AppendUtf8(char32_t ch, std::string* out) {
    if (ch < 0x80) {
        out->push_back(static_cast<char>(ch));
    } else if (ch < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (ch >> 6)));
        out->push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else {
        // The table holds nothing above the Basic Multilingual Plane.
        out->push_back(static_cast<char>(0xE0 | (ch >> 12)));
        out->push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    }
}

// Length of the sequence a lead byte starts, 0 for a byte that cannot lead.
size_t SequenceLength(uint8_t lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Overlong forms are refused. Surrogates and values past U+10FFFF need no
// test here: they have no byte, so the table lookup refuses them.
bool IsShortestForm(char32_t ch, size_t length) {
    constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    return ch >= kMinimum[length];
}

// Decodes the character at *pos and advances past it; false when the bytes
// there are not a well-formed UTF-8 sequence.
bool DecodeOne(const std::string& s, size_t* pos, char32_t* ch) {
    const uint8_t lead = static_cast<uint8_t>(s[*pos]);
    const size_t length = SequenceLength(lead);
    if (length == 0 || s.size() - *pos < length)
        return false;
    constexpr uint8_t kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t value = lead & kLeadMask[length];
    for (size_t i = 1; i < length; ++i) {
        const uint8_t next = static_cast<uint8_t>(s[*pos + i]);
        if ((next & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (next & 0x3F);
    }
    if (!IsShortestForm(value, length))
        return false;
    *pos += length;
    *ch = value;
    return true;
}
} // namespace

char32_t Cp1251Codec::CharOf(uint8_t byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return 0x0410 + (byte - 0xC0);
    return kUpperHalf[byte - 0x80];
}

int Cp1251Codec::ByteOf(char32_t ch) {
    if (ch < 0x80)
        return static_cast<int>(ch);
    if (ch >= 0x0410 && ch <= 0x044F)
        return static_cast<int>(ch - 0x0410) + 0xC0;
    if (ch == kReplacement)
        return -1;
    for (size_t i = 0; i < kUpperHalf.size(); ++i) {
        if (kUpperHalf[i] == ch)
            return static_cast<int>(i) + 0x80;
    }
    return -1;
}

std::string Cp1251Codec::ToUtf8(const std::string& cp1251) {
    std::string out;
    out.reserve(cp1251.size());
    for (char c : cp1251)
        AppendUtf8(CharOf(static_cast<uint8_t>(c)), &out);
    return out;
}

bool Cp1251Codec::FromUtf8(const std::string& utf8, std::string* out) {
    if (out == nullptr)
        return false;
    out->clear();
    std::string result;
    result.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t ch = 0;
        if (!DecodeOne(utf8, &pos, &ch))
            return false;
        const int byte = ByteOf(ch);
        if (byte < 0)
            return false;
        result.push_back(static_cast<char>(byte));
    }
    *out = std::move(result);
    return true;
}
