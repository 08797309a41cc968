// Reads one line of an expressions file into a row of symbols: classes
// each character as ordinary, a line end (a break, or a ";" right before a
// break or the end of the text) or the end of the text.
#pragma once

#include <string>

class CEqExpr;
class CEqOwner;

class TextScanner {
  public:
    enum CharClass { kEnd = 0, kLineEnd = 10, kOrdinary = 11 };

    // A composed row of owner holding the symbols of text up to its first
    // line end; Pos() is then at that line end. Tabs read as blanks, and
    // so does "~" (see CEqSymbol).
    CEqExpr* ParseRow(const std::string& text, CEqOwner* owner);
    // Reads text as ParseRow does, to the same position and class, without
    // making its row: a loader may keep the line and build its row later.
    void SkipRow(const std::string& text);
    // Classes the character at the scan position, stepping over the second
    // character of a two-character break.
    void ScanChar();
    // Forgets the text last read.
    void Clear();

    int Class() const { return m_nCharClass; }
    int Pos() const { return m_nParsePos; }

  private:
    // Takes text to read from its start.
    void Start(const std::string& text);

    int m_nCharClass = kEnd;
    std::string m_strParse;
    int m_nParsePos = 0;
};
