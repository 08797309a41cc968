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
    // The first '\r' or '\n' of s at or after from, or std::string::npos
    // (one comparison per byte, where find_first_of searches a set).
    static size_t FindLineBreak(const std::string& s, size_t from = 0) {
        for (size_t i = from; i < s.size(); ++i)
            if (s[i] == '\r' || s[i] == '\n')
                return i;
        return std::string::npos;
    }
    static char ToLowerAscii(char c);
    static std::string ToLowerAscii(const std::string& s);
};
