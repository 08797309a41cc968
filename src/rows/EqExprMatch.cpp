// The three vocabulary recognisers. Each reads a window of atoms, joins
// their texts and compares case-insensitively; none changes the row.
#include <algorithm>

#include "atoms/EqBrackets.h"
#include "elements/EqAtom.h"
#include "elements/EqSymbol.h"
#include "platform/Charset.h"
#include "rows/EqExpr.h"
#include "rows/Vocabulary.h"

namespace {
bool StartsWith(const std::string& w, const std::string& s) {
    return w.size() >= s.size() && w.compare(0, s.size(), s) == 0;
}

// Whether word, read forward or backward, may start w: a cheap look at its
// first character before it is lowered and compared as a whole.
bool MayStart(const std::string& w, std::string_view word, bool backward = false) {
    if (word.empty())
        return true;
    char edge = backward ? word.back() : word.front();
    return !w.empty() && Charset::ToLowerAscii(edge) == w[0];
}

bool IdentByte(char c) {
    return Charset::IsIdentChar(static_cast<uint8_t>(c));
}

// Whether some keyword starts with c (ends with it, read backward): the
// symbol at the position is the first character a match compares.
bool MayEndKeyword(char c, bool backward) {
    char lower = Charset::ToLowerAscii(c);
    for (std::string_view keyword : Vocabulary::kKeywords) {
        char edge = backward ? keyword.back() : keyword.front();
        if (Charset::ToLowerAscii(edge) == lower)
            return true;
    }
    return false;
}
} // namespace

// An atom with rows of its own stands for one blank: its text begins and
// ends with a blank or a bracket, and no vocabulary word holds either, so
// no match reads further into it than its first (or, backward, its last)
// character. Writing the text of a whole nested tree at every position
// would cost its size each time.
std::string CEqExpr::WindowText(int from, int to) const {
    from = std::max(from, 0);
    to = std::min(to, GetCount() - 1);
    std::string w;
    for (int i = from; i < to; ++i) {
        const CEqAtom* atom = m_atoms[static_cast<size_t>(i)].get();
        if (atom->IsSymbol())
            w += static_cast<char>(static_cast<const CEqSymbol*>(atom)->TextByte());
        else
            w += atom->GetRowCount() > 0 ? std::string(1, ' ') : atom->PeekText();
    }
    return w;
}

int CEqExpr::MatchKeyword(int pos, bool backward) const {
    if (SymbolAt(pos) < 0 || !MayEndKeyword(static_cast<char>(SymbolAt(pos)), backward))
        return 0;
    std::string w = backward ? WindowText(pos - Vocabulary::kKeywordLongest, pos + 1)
                             : WindowText(pos, pos + Vocabulary::kKeywordLongest + 1);
    if (backward)
        std::reverse(w.begin(), w.end());
    w = Charset::ToLowerAscii(w);
    for (std::string_view keyword : Vocabulary::kKeywords) {
        if (!MayStart(w, keyword, backward))
            continue;
        std::string s = Charset::ToLowerAscii(std::string(keyword));
        if (backward)
            std::reverse(s.begin(), s.end());
        if (!StartsWith(w, s))
            continue;
        int len = static_cast<int>(s.size());
        if (len == 1)
            return 1;
        if (backward ? (pos < GetCount() - 2 && IsIdentAt(pos + 1))
                     : (pos > 0 && IsIdentAt(pos - 1)))
            return 0;
        if (w.size() == s.size() || !IdentByte(w[s.size()]))
            return len;
    }
    return 0;
}

int CEqExpr::MatchName(int pos) const {
    if (SymbolAt(pos) < 0)
        return 0;
    std::string w = Charset::ToLowerAscii(WindowText(pos, pos + Vocabulary::kNameLongest + 1));
    for (std::string_view name : Vocabulary::kNames) {
        if (!MayStart(w, name))
            continue;
        std::string s = Charset::ToLowerAscii(std::string(name));
        if (!StartsWith(w, s))
            continue;
        if (pos > 0 && IsIdentAt(pos - 1))
            return 0;
        if (w.size() > s.size() && IdentByte(w[s.size()]))
            continue;
        return static_cast<int>(s.size());
    }
    return 0;
}

int CEqExpr::MatchFunction(int pos) const {
    if (SymbolAt(pos) < 0)
        return 0;
    std::string w = Charset::ToLowerAscii(WindowText(pos, pos + Vocabulary::kFunctionLongest));
    for (std::string_view function : Vocabulary::kFunctions) {
        if (!MayStart(w, function))
            continue;
        std::string s = Charset::ToLowerAscii(std::string(function));
        if (!StartsWith(w, s))
            continue;
        if (pos > 0 && IsIdentAt(pos - 1))
            return 0;
        int len = static_cast<int>(s.size());
        int j = pos + len;
        while (j < GetCount() - 1 && IsSpaceAt(j))
            ++j;
        if (j < GetCount() - 1 && (SymbolAt(j) == '(' || GetAt(j)->Is<CEqBrackets>()))
            return len;
    }
    return 0;
}
