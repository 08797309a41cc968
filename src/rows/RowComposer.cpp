#include "rows/RowComposer.h"

#include <algorithm>
#include <memory>

#include "atoms/EqBrackets.h"
#include "atoms/EqDerive.h"
#include "atoms/EqDerive2.h"
#include "atoms/EqFraction.h"
#include "atoms/EqIndex.h"
#include "atoms/EqPowIndex.h"
#include "atoms/EqRoot.h"
#include "elements/EqOwner.h"
#include "elements/EqSymbol.h"
#include "platform/Archive.h"
#include "platform/Charset.h"
#include "rows/EqExpr.h"
#include "rows/OperandScan.h"
#include "rows/TreeDepth.h"

namespace {
using RowPtr = std::unique_ptr<CEqExpr>;

RowPtr NewRow(const CEqExpr& row) {
    return RowPtr(OperandScan::NewRow(row));
}

CEqSymbol* NewSymbol(char ch) {
    auto* symbol = new CEqSymbol;
    symbol->SetChar(ch);
    return symbol;
}

// A row holding the single symbol ch.
RowPtr RowOfChar(const CEqExpr& row, char ch) {
    RowPtr op = NewRow(row);
    op->Append(NewSymbol(ch));
    return op;
}

template <typename T> T* NewAtom(CEqOwner* owner) {
    auto* atom = new T;
    atom->m_pOwner = owner;
    return atom;
}

bool IsLowIndex(const CEqAtom* atom) {
    const CEqIndex* index = atom ? atom->As<CEqIndex>() : nullptr;
    return index && index->m_bHigh == 0;
}

} // namespace

int RowComposer::Compose() {
    m_nCount = 0;
    BracketsAndIndexes();
    NamedFunctions();
    Powers();
    Fractions();
    return m_nCount;
}

// ---------------------------------------------------------------------------
// Pass 1

void RowComposer::BracketsAndIndexes() {
    int w = 0;
    while (w < m_row.GetCount() - 1) {
        CEqAtom* atom = m_row.GetAt(w);
        if (atom->IsCompound()) {
            m_nCount += atom->Compose();
            ++w;
        } else if (m_row.SymbolAt(w) == '(') {
            w = FormBrackets(w);
        } else if (m_row.SymbolAt(w) == '[') {
            w = FormLowIndex(w);
        } else {
            ++w;
        }
    }
}

int RowComposer::FormBrackets(int w) {
    int j = MatchingClose(w + 1, '(', ')');
    if (j < 0)
        return w + 1;
    RowPtr inner(OperandScan::CloneRange(m_row, w + 1, j));
    inner->TrimUnwrap();
    auto* atom = NewAtom<CEqBrackets>(m_row.m_pOwner);
    Caret caret = CaretFor(inner.get(), nullptr);
    atom->SetRow(inner.release());
    Form(w, j + 1, atom, caret);
    return w + 1;
}

int RowComposer::FormLowIndex(int w) {
    int k = MatchingClose(w + 1, '[', ']');
    if (k < 0)
        return w + 1;
    int g = OperandScan::SkipSpacesLeft(m_row, w - 1);
    if (g < 0 || !(m_row.GetAt(g)->IsCompound() || m_row.IsIdentAt(g)) ||
        m_row.MatchKeyword(g, true) >= 1)
        return w + 1;
    RowPtr base = NewRow(m_row);
    int g2 = OperandScan::Leftward(m_row, g, *base);
    base->TrimUnwrap();
    base->WrapIfNeeded();
    RowPtr index(OperandScan::CloneRange(m_row, w + 1, k));
    index->TrimUnwrap();
    auto* atom = NewAtom<CEqIndex>(m_row.m_pOwner);
    Caret caret = CaretFor(base.get(), index.get());
    atom->SetRows(base.release(), index.release());
    if (!Form(g2 + 1, k + 1, atom, caret))
        return w + 1;
    return g2 + 2;
}

int RowComposer::MatchingClose(int from, char open, char close) const {
    int depth = 1;
    for (int j = std::max(from, 0); j < m_row.GetCount() - 1; ++j) {
        int ch = m_row.SymbolAt(j);
        if (ch == open) {
            ++depth;
        } else if (ch == close && --depth == 0) {
            return j;
        }
    }
    return -1;
}

// ---------------------------------------------------------------------------
// Pass 2

void RowComposer::NamedFunctions() {
    for (int t = 0; t < m_row.GetCount() - 1; ++t) {
        if (t > 0 && m_row.IsIdentAt(t - 1))
            continue; // inside a longer name
        switch (Charset::ToLowerAscii(static_cast<char>(m_row.SymbolAt(t)))) {
        case 'e':
            FormExp(t);
            break;
        case 'p':
            FormPow(t);
            break;
        case 's':
            FormSqrt(t);
            break;
        default:
            break;
        }
    }
}

bool RowComposer::FormExp(int t) {
    if (!(t + 3 < m_row.GetCount() - 1) || !WordAt(t, "exp"))
        return false;
    int y = BracketsAfter(t + 3);
    if (y < 0)
        return false;
    auto* brackets = static_cast<CEqBrackets*>(m_row.GetAt(y));
    RowPtr index(brackets->m_pRow->Clone());
    index->TrimUnwrap();
    Caret caret = CaretFor(nullptr, index.get());
    return Form(t, y + 1, NewPower(RowOfChar(m_row, 'e').release(), nullptr, index.release()),
                caret);
}

bool RowComposer::FormPow(int t) {
    if (!(t + 3 < m_row.GetCount() - 1) || !WordAt(t, "pow"))
        return false;
    int y = BracketsAfter(t + 3);
    if (y < 0)
        return false;
    const CEqExpr& b = *static_cast<CEqBrackets*>(m_row.GetAt(y))->m_pRow;
    int comma = 0;
    while (comma < b.GetCount() - 1 && b.SymbolAt(comma) != ',')
        ++comma;
    CEqExpr* a = OperandScan::CloneRange(b, 0, comma);
    a->Trim();
    RowPtr power(OperandScan::CloneRange(b, comma + 1, b.GetCount() - 1));
    power->TrimUnwrap();
    CEqExpr* low = SplitLowIndex(a);
    a->TrimUnwrap();
    a->WrapIfNeeded();
    Caret caret = CaretFor(a, power.get());
    return Form(t, y + 1, NewPower(a, low, power.release()), caret);
}

bool RowComposer::FormSqrt(int t) {
    if (!(t + 4 < m_row.GetCount() - 1) || !WordAt(t, "sqrt"))
        return false;
    int y = BracketsAfter(t + 4);
    if (y < 0)
        return false;
    RowPtr radicand(static_cast<CEqBrackets*>(m_row.GetAt(y))->m_pRow->Clone());
    radicand->TrimUnwrap();
    auto* atom = NewAtom<CEqRoot>(m_row.m_pOwner);
    Caret caret = CaretFor(radicand.get(), nullptr);
    atom->SetRow(radicand.release());
    return Form(t, y + 1, atom, caret);
}

bool RowComposer::WordAt(int t, const char* lowerWord) const {
    for (int k = 0; lowerWord[k]; ++k) {
        int ch = m_row.SymbolAt(t + k);
        if (ch < 0 || Charset::ToLowerAscii(static_cast<char>(ch)) != lowerWord[k])
            return false;
    }
    return true;
}

int RowComposer::BracketsAfter(int from) const {
    int y = OperandScan::SkipSpacesRight(m_row, from);
    const CEqAtom* atom = m_row.GetAt(y);
    bool ok = atom && atom->Is<CEqBrackets>() && static_cast<const CEqBrackets*>(atom)->m_pRow;
    return ok ? y : -1;
}

// ---------------------------------------------------------------------------
// Pass 3

void RowComposer::Powers() {
    int i = 0;
    while (i < m_row.GetCount() - 1) {
        if (m_row.SymbolAt(i) == '*' && i + 1 < m_row.GetCount() - 1 &&
            m_row.SymbolAt(i + 1) == '*')
            i = FormPower(i);
        else
            ++i;
    }
}

int RowComposer::FormPower(int i) {
    // 1. The base: the operand that ends before the operator.
    CEqExpr* base = OperandScan::NewRow(m_row);
    int g2 = OperandScan::Leftward(m_row, OperandScan::SkipSpacesLeft(m_row, i - 1), *base);
    int x = base->IsBlank() ? i - 1 : g2;
    // 2. The power: the operand that starts after it.
    RowPtr power = NewRow(m_row);
    int m2 = OperandScan::Rightward(m_row, OperandScan::SkipSpacesRight(m_row, i + 2), *power);
    bool blankPower = power->IsBlank();
    power->TrimUnwrap();
    // 3-4. A base that is one low index gives a power index.
    CEqExpr* low = SplitLowIndex(base);
    base->TrimUnwrap();
    base->WrapIfNeeded();
    // 5. Replace the operands and the operator.
    int end = blankPower ? i + 2 : m2;
    Caret caret = CaretFor(base, power.get());
    if (!Form(x + 1, end, NewPower(base, low, power.release()), caret))
        return i + 1;
    return x + 2;
}

CEqAtom* RowComposer::NewPower(CEqExpr* base, CEqExpr* low, CEqExpr* high) const {
    if (low) {
        auto* atom = NewAtom<CEqPowIndex>(m_row.m_pOwner);
        atom->SetRows(base, low, high);
        return atom;
    }
    auto* atom = NewAtom<CEqIndex>(m_row.m_pOwner);
    atom->m_bHigh = 1;
    atom->SetRows(base, high);
    return atom;
}

CEqExpr* RowComposer::SplitLowIndex(CEqExpr*& base) {
    if (!base->IsSimple() || !IsLowIndex(base->GetAt(0)))
        return nullptr;
    const auto* index = static_cast<const CEqIndex*>(base->GetAt(0));
    CEqExpr* low = index->m_pIndex->Clone();
    low->m_pOwnerAtom = nullptr;
    low->TrimUnwrap();
    CEqExpr* inner = index->m_pBase->Clone();
    inner->m_pOwnerAtom = nullptr;
    delete base;
    base = inner;
    return low;
}

// ---------------------------------------------------------------------------
// Pass 4

void RowComposer::Fractions() {
    int c = 0;
    while (c < m_row.GetCount() - 1) {
        if (m_row.SymbolAt(c) == '/')
            c = FormFraction(c);
        else
            ++c;
    }
}

int RowComposer::FormFraction(int s) {
    int after = s + 1;
    CEqExpr* num = OperandScan::NewRow(m_row);
    int start = 0;
    Mark mark = TakeNumerator(s, *num, &start);
    CEqExpr* den = OperandScan::NewRow(m_row);
    int h = TakeDenominator(after, mark, *den);
    bool blankDen = den->IsBlank();
    den->TrimUnwrap();
    int end = blankDen ? after : h;

    CEqAtom* atom = nullptr;
    Caret caret = Caret::After;
    if (mark == Mark::None) {
        caret = CaretFor(num, den);
        auto* fraction = NewAtom<CEqFraction>(m_row.m_pOwner);
        fraction->SetRows(num, den);
        atom = fraction;
    } else {
        num->WrapIfNeeded();
        if (den->IsBlank())
            den->Append(NewSymbol('t'));
        den->WrapIfNeeded();
        caret = CaretFor(num, nullptr);
        CEqDerive* derive = mark == Mark::Second ? NewAtom<CEqDerive2>(m_row.m_pOwner)
                                                 : NewAtom<CEqDerive>(m_row.m_pOwner);
        derive->SetRows(num, den);
        atom = derive;
    }
    if (!Form(start + 1, end, atom, caret))
        return s + 1;
    return start + 2;
}

RowComposer::Mark RowComposer::TakeNumerator(int s, CEqExpr& num, int* start) const {
    int o = OperandScan::SkipSpacesLeft(m_row, s - 1);
    // 1. A compound atom right before the slash.
    if (o >= 0 && m_row.GetAt(o)->IsCompound()) {
        num.Append(m_row.GetAt(o)->Clone());
        --o;
    }
    // 2. Otherwise a run of identifier characters, unless a keyword ends there.
    if (num.IsBlank() && o >= 0 && m_row.MatchKeyword(o, true) == 0) {
        for (; o >= 0 && m_row.IsIdentAt(o); --o)
            num.InsertAt(m_row.GetAt(o)->Clone(), 0);
    }
    // 3. A derivative mark d or d2 before a simple numerator.
    Mark mark = Mark::None;
    if (num.IsSimple())
        mark = FindMark(o, &o);
    // 4. Without a mark the numerator grows leftwards like any operand.
    if (mark == Mark::None)
        o = OperandScan::Leftward(m_row, o, num);
    // 5. Where the formation begins.
    *start = num.IsBlank() ? s - 1 : o;
    num.TrimUnwrap();
    return mark;
}

RowComposer::Mark RowComposer::FindMark(int o, int* markStart) const {
    int e = OperandScan::SkipSpacesLeft(m_row, o);
    if (e < 0 || m_row.MatchKeyword(e, true) != 0)
        return Mark::None;
    auto isD = [this](int p) { return m_row.SymbolAt(p) == 'd' || m_row.SymbolAt(p) == 'D'; };
    if (m_row.SymbolAt(e) == '2' && e - 1 >= 0 && isD(e - 1) &&
        (e - 2 < 0 || !m_row.IsIdentAt(e - 2))) {
        *markStart = e - 2;
        return Mark::Second;
    }
    if (isD(e) && (e - 1 < 0 || !m_row.IsIdentAt(e - 1))) {
        *markStart = e - 1;
        return Mark::First;
    }
    return Mark::None;
}

int RowComposer::TakeDenominator(int after, Mark mark, CEqExpr& den) const {
    int h = OperandScan::SkipSpacesRight(m_row, after);
    if (mark == Mark::None)
        return OperandScan::Rightward(m_row, h, den);
    int last = m_row.GetCount() - 1;
    bool isD = m_row.SymbolAt(h) == 'd' || m_row.SymbolAt(h) == 'D';
    if (h >= last || m_row.MatchKeyword(h, false) > 0 || !isD)
        return h; // nothing after the slash is taken
    return TakeVariable(h + 1, den);
}

int RowComposer::TakeVariable(int h, CEqExpr& den) const {
    int last = m_row.GetCount() - 1;
    if (h >= last)
        return h;
    if (!m_row.IsIdentAt(h)) // "d tau", "d(t)"
        return OperandScan::Rightward(m_row, OperandScan::SkipSpacesRight(m_row, h), den);
    if (m_row.SymbolAt(h) == 't' || m_row.SymbolAt(h) == 'T') {
        ++h;
        if (h >= last || !m_row.IsIdentAt(h))
            den.Append(NewSymbol('t'));
        return h; // "dtau" and the like leave the variable empty
    }
    return h; // "dx": no variable
}

// ---------------------------------------------------------------------------
// Forming

bool RowComposer::Form(int from, int to, CEqAtom* atom, Caret caret) {
    if (!WithinDepth(*atom)) {
        delete atom;
        return false;
    }
    int last = m_row.GetCount() - 1;
    from = std::clamp(from, 0, last);
    to = std::clamp(to, from, last);
    m_row.RemoveRange(from, to, true);
    if (CEqOwner* owner = m_row.m_pOwner) {
        owner->SetCaret(&m_row, from);
        owner->EndRun();
    }
    m_row.InsertAt(atom, from);
    PlaceCaret(atom, from, caret);
    m_nCount += 1 + atom->Compose();
    return true;
}

void RowComposer::PlaceCaret(CEqAtom* atom, int pos, Caret caret) {
    switch (caret) {
    case Caret::Start:
        atom->EnterFrom(VK_RIGHT);
        break;
    case Caret::End:
        atom->EnterFrom(VK_LEFT);
        break;
    case Caret::After:
        if (m_row.m_pOwner)
            m_row.m_pOwner->SetCaret(&m_row, pos + 1);
        break;
    }
}

RowComposer::Caret RowComposer::CaretFor(const CEqExpr* first, const CEqExpr* last) {
    if (first && first->IsBlank())
        return Caret::Start;
    if (last && last->IsBlank())
        return Caret::End;
    return Caret::After;
}

bool RowComposer::WithinDepth(const CEqAtom& atom) const {
    return TreeDepth::Fits(TreeDepth::Level(m_row) + 1, TreeDepth::AtomDepth(atom));
}
