#include "platform/Charset.h"

#include <array>

namespace {
// Letters of the upper half of Windows-1251 outside the block 0xC0-0xFF.
constexpr uint8_t kUpperHalfLetters[] = {
    0x80, 0x81, 0x83, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x9A, 0x9C, 0x9D, 0x9E, 0x9F, 0xA1, 0xA2,
    0xA3, 0xA5, 0xA8, 0xAA, 0xAF, 0xB2, 0xB3, 0xB4, 0xB5, 0xB8, 0xBA, 0xBC, 0xBD, 0xBE, 0xBF};

constexpr std::array<bool, 256> MakeLetterTable() {
    std::array<bool, 256> t{};
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = true;
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = true;
    for (int c = 0xC0; c <= 0xFF; ++c)
        t[c] = true;
    for (uint8_t c : kUpperHalfLetters)
        t[c] = true;
    return t;
}

constexpr std::array<bool, 256> kLetters = MakeLetterTable();
} // namespace

bool Charset::IsLetter(uint8_t byte) {
    return kLetters[byte];
}

bool Charset::IsIdentChar(uint8_t byte) {
    return kLetters[byte] || (byte >= '0' && byte <= '9') || byte == '.' || byte == '_';
}

bool Charset::IsIdentCharCode(int ch) {
    if (ch == 0 || ch < -128 || ch > 255)
        return false;
    return IsIdentChar(static_cast<uint8_t>(ch));
}

char Charset::ToLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

std::string Charset::ToLowerAscii(const std::string& s) {
    std::string out(s);
    for (char& c : out)
        c = ToLowerAscii(c);
    return out;
}
