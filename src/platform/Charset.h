// Character classes of the single-byte Windows-1251 text: identifier
// characters and ASCII lower-casing, decided on the byte value 0-255.
#pragma once

#include <cstdint>
#include <string>

class Charset {
  public:
    // "." and "_" and every byte whose Windows-1251 character is a Unicode
    // letter or digit (Latin, Cyrillic and the code page's other Cyrillic
    // letters).
    static bool IsIdentChar(uint8_t byte);
    // The same for a character as a symbol atom reports it (bytes above 127
    // come as negative values, so -1 is the letter 0xFF). Callers make sure
    // the atom is a symbol; 0 is never an identifier character.
    static bool IsIdentCharCode(int ch);
    static bool IsLetter(uint8_t byte);
    static char ToLowerAscii(char c);
    static std::string ToLowerAscii(const std::string& s);
};
