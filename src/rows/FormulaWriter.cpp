#include "rows/FormulaWriter.h"

#include "atoms/EqIndex.h"
#include "elements/EqAtom.h"
#include "platform/Cp1251Codec.h"
#include "rows/EqExpr.h"

namespace {
bool IsDigit(int byte) {
    return byte >= '0' && byte <= '9';
}

// The length of the number at the start of an identifier run: digits and
// points; 0 when the run starts with a letter.
int NumberLength(const CEqExpr& row, int i, int end) {
    int k = i;
    while (k < end && (IsDigit(row.SymbolAt(k)) || row.SymbolAt(k) == '.'))
        ++k;
    return IsDigit(row.SymbolAt(i)) ? k - i : 0;
}
} // namespace

std::string FormulaWriter::Row(const CEqExpr& row) {
    return Join(Items(row));
}

std::string FormulaWriter::TextOf(const CEqExpr& row, int from, int to) {
    std::string text;
    for (int k = from; k < to; ++k)
        text += row.GetAt(k)->PeekText();
    return Cp1251Codec::ToUtf8(text);
}

// 1. A blank row is an empty slot.
// 2. Blanks are skipped; "--" starts the comment, which runs to the end.
// 3. Compound atoms go to their steps, identifier runs become words and
//    numbers, anything else is an operator.
std::vector<std::string> FormulaWriter::Items(const CEqExpr& row) {
    if (row.IsBlank())
        return {Blank()};
    std::vector<std::string> items;
    int last = row.GetCount() - 1; // the end atom
    int i = 0;
    while (i < last) {
        const CEqAtom* atom = row.GetAt(i);
        if (row.IsSpaceAt(i)) {
            ++i;
        } else if (row.SymbolAt(i) == '-' && row.SymbolAt(i + 1) == '-') {
            int from = i + 2;
            while (from < last && row.IsSpaceAt(from))
                ++from;
            items.push_back(Comment(TextOf(row, from, last)));
            break;
        } else if (atom->IsCompound()) {
            items.push_back(Atom(*atom));
            ++i;
        } else if (row.IsIdentAt(i)) {
            i = Words(row, i, IdentifierRun(row, i), items);
        } else {
            i = OperatorAt(row, i, items);
        }
    }
    return items;
}

int FormulaWriter::IdentifierRun(const CEqExpr& row, int i) const {
    int end = i;
    while (end < row.GetCount() - 1 && row.IsIdentAt(end))
        ++end;
    return end;
}

// Within a run: a leading number, then words; a bold word of the vocabulary
// stands alone, the rest of the run is one identifier.
int FormulaWriter::Words(const CEqExpr& row, int i, int end, std::vector<std::string>& items) {
    int number = NumberLength(row, i, end);
    if (number > 0) {
        items.push_back(WordOf(Word::Number, TextOf(row, i, i + number)));
        i += number;
    }
    if (i >= end)
        return end;
    if (int n = row.MatchKeyword(i, false); n > 0 && i + n <= end) {
        items.push_back(WordOf(Word::Keyword, TextOf(row, i, i + n)));
        return Words(row, i + n, end, items);
    }
    int n = row.MatchName(i);
    Word kind = Word::Keyword;
    if (n == 0) {
        n = row.MatchFunction(i);
        kind = Word::Function;
    }
    if (n > 0 && i + n <= end) {
        items.push_back(WordOf(kind, TextOf(row, i, i + n)));
        return Words(row, i + n, end, items);
    }
    items.push_back(WordOf(Word::Identifier, TextOf(row, i, end)));
    return end;
}

int FormulaWriter::OperatorAt(const CEqExpr& row, int i, std::vector<std::string>& items) {
    if (row.MatchKeyword(i, false) == 1) {
        items.push_back(WordOf(Word::Keyword, TextOf(row, i, i + 1)));
        return i + 1;
    }
    int first = row.SymbolAt(i);
    int second = row.SymbolAt(i + 1);
    bool pair =
        (first == '<' && (second == '=' || second == '>')) || (first == '>' && second == '=');
    int n = pair ? 2 : 1;
    items.push_back(Operator(TextOf(row, i, i + n)));
    return i + n;
}

std::string FormulaWriter::Atom(const CEqAtom& atom) {
    auto row = [&atom](int k) -> const CEqExpr& { return *atom.GetRow(k); };
    for (int k = 0; k < atom.GetRowCount(); ++k)
        if (!atom.GetRow(k))
            return Blank();
    if (atom.IsClass("CEqFraction"))
        return Fraction(row(0), row(1));
    if (atom.IsClass("CEqRoot"))
        return Root(row(0));
    if (atom.IsClass("CEqBrackets"))
        return Brackets(row(0));
    if (atom.IsClass("CEqDerive"))
        return Derivative(row(0), row(1), 1);
    if (atom.IsClass("CEqDerive2"))
        return Derivative(row(0), row(1), 2);
    if (const auto* index = dynamic_cast<const CEqIndex*>(&atom)) {
        bool high = index->m_bHigh != 0;
        return Scripts(row(0), high ? nullptr : &row(1), high ? &row(1) : nullptr,
                       high && index->IsExponential());
    }
    if (atom.IsClass("CEqPowIndex"))
        return Scripts(row(0), &row(1), &row(2), false);
    return Blank();
}
