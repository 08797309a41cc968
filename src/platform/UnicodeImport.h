// Text from other programs (the clipboard, an input method) into the
// editor's Windows-1251, by a fixed mapping where the meaning is plain:
//
//   U+2212 minus, U+2013 en dash             -
//   U+00D7 ×, U+00B7 ·, U+22C5 ⋅, U+2219 ∙   *
//   U+00F7 ÷, U+2215 ∕                      /
//   Greek letters                            their Latin names: α alpha,
//                                            Ω Omega, ς sigma, ϑ theta,
//                                            ϕ phi, ϵ epsilon
//   U+00B2 ², U+00B3 ³                       **2, **3
//   any Unicode space (U+00A0, U+2000-U+200A, U+1680, U+202F, U+205F,
//   U+3000)                                  a blank
//
// Any other character takes its Windows-1251 byte; one the code page does
// not have, and malformed UTF-8 (each stray byte, each forbidden sequence),
// becomes '?' and is counted.
#pragma once

#include <string>

class UnicodeImport {
  public:
    struct Result {
        std::string text;       // Windows-1251
        int replaced = 0;       // characters that became '?'
        bool moreLines = false; // lines with text followed the first one
    };

    // The first line of a UTF-8 text; a line ends at CR, LF, U+2028 or U+2029.
    static Result FirstLine(const std::string& utf8);
    // One character's Windows-1251 text; empty when it has none.
    static std::string Map(char32_t ch);
    // The message pane's note on a result in Windows-1251; empty when every
    // character came over and the text was one line.
    static std::string Notice(const Result& result);
};
