// Conversion between single-byte Windows-1251 text and UTF-8, by a fixed
// table of the code page's 256 bytes.
//
// Byte 0x98 has no character in the code page. It reads as U+FFFD (the
// replacement character), so it stays visible on output, and no character
// converts back to it: ByteOf(U+FFFD) is -1.
#pragma once

#include <cstdint>
#include <string>

class Cp1251Codec {
  public:
    // Every byte becomes its character; 0x98 becomes U+FFFD.
    static std::string ToUtf8(const std::string& cp1251);
    // Converts well-formed UTF-8 whose every character has a Windows-1251
    // byte. Returns false, and leaves *out empty, when the UTF-8 is malformed
    // (stray or missing continuation bytes, overlong forms, surrogates, values
    // above U+10FFFF) or a character has no byte, or when out is null.
    static bool FromUtf8(const std::string& utf8, std::string* out);
    // The byte of a character, or -1 when the code page has none.
    static int ByteOf(char32_t ch);
    // The character of a byte; U+FFFD for the unassigned byte 0x98.
    static char32_t CharOf(uint8_t byte);
};
