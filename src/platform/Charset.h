// Character classes of the single-byte Windows-1251 text: identifier
// characters and ASCII lower-casing, decided on the byte value 0-255.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace charset_tables {
// Letters of the upper half of Windows-1251 outside the block 0xC0-0xFF.
constexpr uint8_t kUpperHalfLetters[] = {
    0x80, 0x81, 0x83, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x9A, 0x9C, 0x9D, 0x9E, 0x9F, 0xA1, 0xA2,
    0xA3, 0xA5, 0xA8, 0xAA, 0xAF, 0xB2, 0xB3, 0xB4, 0xB5, 0xB8, 0xBA, 0xBC, 0xBD, 0xBE, 0xBF};

constexpr std::array<bool, 256> MakeCharTable(bool ident) {
    std::array<bool, 256> t{};
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = true;
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = true;
    for (int c = 0xC0; c <= 0xFF; ++c)
        t[c] = true;
    for (uint8_t c : kUpperHalfLetters)
        t[c] = true;
    if (ident) {
        for (int c = '0'; c <= '9'; ++c)
            t[c] = true;
        t['.'] = true;
        t['_'] = true;
    }
    return t;
}

} // namespace charset_tables

class Charset {
  public:
    // "." and "_" and every byte whose Windows-1251 character is a Unicode
    // letter or digit (Latin, Cyrillic and the code page's other Cyrillic
    // letters).
    static bool IsIdentChar(uint8_t byte) { return kIdentChars[byte]; }
    // The same for a character as a symbol atom reports it (bytes above 127
    // come as negative values, so -1 is the letter 0xFF). Callers make sure
    // the atom is a symbol; 0 is never an identifier character.
    static bool IsIdentCharCode(int ch);
    static bool IsLetter(uint8_t byte);
    // The first '\r' or '\n' of s at or after from, or std::string::npos
    // (one comparison per byte, where find_first_of searches a set).
    static size_t FindLineBreak(const std::string& s, size_t from = 0) {
        for (size_t i = from; i < s.size(); ++i)
            if (s[i] == '\r' || s[i] == '\n')
                return i;
        return std::string::npos;
    }
    static char ToLowerAscii(char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    }
    static std::string ToLowerAscii(const std::string& s);

  private:
    static constexpr std::array<bool, 256> kLetters = charset_tables::MakeCharTable(false);
    static constexpr std::array<bool, 256> kIdentChars = charset_tables::MakeCharTable(true);
};
