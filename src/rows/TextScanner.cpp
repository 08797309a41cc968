#include "rows/TextScanner.h"

#include <algorithm>

#include "elements/EqSymbol.h"
#include "platform/Charset.h"
#include "rows/EqExpr.h"

void TextScanner::Start(const std::string& text) {
    m_strParse = text;
    std::replace(m_strParse.begin(), m_strParse.end(), '\t', ' ');
    m_strParse.push_back('\0');
    m_nParsePos = 0;
}

void TextScanner::SkipRow(const std::string& text) {
    Start(text);
    if (text.empty()) {
        m_nCharClass = kEnd;
        return;
    }
    for (ScanChar(); m_nCharClass != kLineEnd && m_nCharClass != kEnd; ScanChar())
        ++m_nParsePos;
}

CEqExpr* TextScanner::ParseRow(const std::string& text, CEqOwner* owner) {
    Start(text);
    auto* row = new CEqExpr(owner);
    if (text.empty()) {
        // An empty text is an empty row, and the load ends with it.
        row->Clear();
        m_nCharClass = kEnd;
        return row;
    }
    // The line's symbols go into the row in one step, with room for its end atom.
    std::vector<std::unique_ptr<CEqAtom>> symbols;
    symbols.reserve(std::min(Charset::FindLineBreak(text), text.size()) + 1);
    for (;;) {
        ScanChar();
        if (m_nCharClass == kLineEnd || m_nCharClass == kEnd)
            break;
        auto symbol = std::make_unique<CEqSymbol>();
        symbol->m_pOwner = owner;
        symbol->SetChar(m_strParse[static_cast<size_t>(m_nParsePos)]);
        symbols.push_back(std::move(symbol));
        ++m_nParsePos;
    }
    row->ClearWith(std::move(symbols));
    row->Trim();
    row->Compose();
    return row;
}

// Classes the character at the scan position. The NUL appended to the line
// is the only end: other control characters stay in the row as symbols and
// are written back unchanged, so a load never drops the rest of a file.
void TextScanner::ScanChar() {
    const std::string& s = m_strParse;
    size_t pos = static_cast<size_t>(m_nParsePos);
    size_t sentinel = s.empty() ? 0 : s.size() - 1;
    auto at = [&](size_t p) -> unsigned char {
        return p < s.size() ? static_cast<unsigned char>(s[p]) : 0;
    };
    if (pos >= sentinel) {
        m_nCharClass = kEnd;
        return;
    }
    unsigned char c = at(pos);
    m_nCharClass = kOrdinary;
    if (c == '\n' || c == '\r') {
        m_nCharClass = kLineEnd;
        if (at(pos + 1) == (c == '\n' ? '\r' : '\n'))
            ++m_nParsePos;
        return;
    }
    if (c != ';')
        return;
    size_t dash = s.find("--");
    if (dash != std::string::npos && dash <= pos)
        return; // a ";" inside a comment
    unsigned char next = at(pos + 1);
    if (next == '\n' || next == '\r') {
        m_nCharClass = kLineEnd;
        ++m_nParsePos;
        if (at(pos + 2) == (next == '\n' ? '\r' : '\n'))
            ++m_nParsePos;
    } else if (pos + 1 == sentinel) {
        m_nCharClass = kEnd;
        ++m_nParsePos;
    }
}

void TextScanner::Clear() {
    m_strParse.clear();
}
