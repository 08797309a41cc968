// Windows-1251 bytes to Qt strings and back, by the code page's table.
#pragma once

#include <QString>
#include <string>

class QtText {
  public:
    // Every byte becomes its character (0x98, which has none, shows as U+FFFD).
    static QString FromCp1251(const std::string& bytes);
    // Characters without a Windows-1251 byte are left out.
    static std::string ToCp1251(const QString& text);
    // The byte of one character, or -1 when the code page has none.
    static int ByteOf(char32_t ch);
};
