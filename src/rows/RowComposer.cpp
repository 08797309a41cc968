#include "rows/RowComposer.h"

#include <algorithm>
#include <cassert>
#include <memory>
#include <typeinfo>

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
CEqSymbol* NewSymbol(char ch) {
    auto* symbol = new CEqSymbol;
    symbol->SetChar(ch);
    return symbol;
}

// A row holding the single symbol ch.
std::unique_ptr<CEqExpr> RowOfChar(const CEqExpr& row, char ch) {
    std::unique_ptr<CEqExpr> op(OperandScan::NewRow(row));
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

bool IsBracketsWithRow(const CEqAtom* atom) {
    const CEqBrackets* brackets = atom ? atom->As<CEqBrackets>() : nullptr;
    return brackets && brackets->m_pRow;
}

// The atoms whose Compose() is CEqCompoundAtom's or CEqPowIndex's.
bool IsPlainCompound(const CEqAtom& atom) {
    const std::type_info& type = typeid(atom);
    return type == typeid(CEqBrackets) || type == typeid(CEqRoot) || type == typeid(CEqFraction) ||
           type == typeid(CEqDerive) || type == typeid(CEqDerive2) || type == typeid(CEqIndex) ||
           type == typeid(CEqPowIndex);
}

bool AllIdent(const CEqExpr& row, int from, int to) {
    for (int i = from; i < to; ++i)
        if (!row.IsIdentAt(i))
            return false;
    return true;
}

} // namespace

int RowComposer::Compose() {
    m_nCount = 0;
    if (m_settled == &m_ownSettled) // the outermost composer of the tree
        m_bSurelyFits = SurelyFits();
    BracketsAndIndexes();
    NamedFunctions();
    Powers();
    Fractions();
    return m_nCount;
}

int RowComposer::Level() {
    if (m_nLevel == 0)
        m_nLevel = TreeDepth::Level(m_row);
    return m_nLevel;
}

bool RowComposer::CanForm() {
    // Every new atom has a row, so it reaches at least one level down.
    return TreeDepth::Fits(Level() + 1, 1);
}

// Each formation takes at least one symbol out of the tree for good (an
// operator, a bracket, a name), net of any letter it writes, and puts at
// most two rows above what it takes: the atom's own and brackets around an
// operand. So from a row of n symbols no branch ever grows more than 2n
// rows below it, and when that fits every formation moves its operands.
bool RowComposer::SurelyFits() {
    int n = m_row.GetCount() - 1;
    for (int i = 0; i < n; ++i)
        if (!m_row.GetAt(i)->IsSymbol())
            return false;
    return TreeDepth::Fits(Level() + 1, 2 * n + 2);
}

int RowComposer::ComposeAtom(CEqAtom& atom) {
    // Atoms and rows of other classes may compose in their own way: they
    // are asked, and never taken as settled.
    if (!IsPlainCompound(atom))
        return atom.Compose();
    int level = Level();
    auto settled = m_settled->find(&atom);
    if (settled != m_settled->end() && settled->second <= level)
        return 0;
    int formed = 0;
    bool plain = true;
    auto compose = [&](CEqExpr* row) {
        if (!row)
            return;
        if (typeid(*row) != typeid(CEqExpr)) {
            plain = false;
            formed += row->Compose();
            return;
        }
        formed += RowComposer(*row, m_settled, level + 1, m_bSurelyFits).Compose();
    };
    if (auto* pow = atom.As<CEqPowIndex>()) { // its Compose() takes low, high, base
        compose(pow->m_pLow.get());
        compose(pow->m_pHigh.get());
        compose(pow->m_pBase.get());
    } else {
        for (CEqExpr* row : atom.Rows())
            compose(row);
    }
    if (formed == 0 && plain)
        (*m_settled)[&atom] = level;
    return formed;
}

void RowComposer::Unwrap(CEqExpr& row) {
    for (int i = 0; i + 1 < row.GetCount(); ++i)
        if (!row.IsSpaceAt(i)) {
            Forget(row.GetAt(i));
            break;
        }
    row.TrimUnwrap();
}

// ---------------------------------------------------------------------------
// Pass 1

void RowComposer::BracketsAndIndexes() {
    FindPartners();
    int w = 0;
    while (w < m_row.GetCount() - 1) {
        CEqAtom* atom = m_row.GetAt(w);
        if (atom->IsCompound()) {
            m_depths.erase(atom); // composing may change it
            m_nCount += ComposeAtom(*atom);
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
    int j = MatchingClose(w, m_roundPartners);
    if (j < 0 || !CanForm())
        return w + 1;
    Span inside{w + 1, j};
    m_build = BuildFor({RowDepths(m_row, inside, kUnwrap)});
    if (m_build == Build::Refuse)
        return w + 1;
    RowPtr inner = Take(m_row, inside);
    Unwrap(*inner);
    auto* atom = NewAtom<CEqBrackets>(m_row.m_pOwner);
    Caret caret = CaretFor(inner.get(), nullptr);
    atom->SetRow(inner.release());
    Form(w, j + 1, atom, caret);
    return w + 1;
}

int RowComposer::FormLowIndex(int w) {
    int k = MatchingClose(w, m_squarePartners);
    if (k < 0 || !CanForm())
        return w + 1;
    int g = OperandScan::SkipSpacesLeft(m_row, w - 1);
    if (g < 0 || !(m_row.GetAt(g)->IsCompound() || m_row.IsIdentAt(g)) ||
        m_row.MatchKeyword(g, true) >= 1)
        return w + 1;
    int g2 = OperandScan::LeftwardStop(m_row, g);
    Span baseSpan{g2 + 1, g + 1};
    Span indexSpan{w + 1, k};
    m_build = BuildFor(
        {RowDepths(m_row, baseSpan, kUnwrap | kWrap), RowDepths(m_row, indexSpan, kUnwrap)});
    if (m_build == Build::Refuse)
        return w + 1;
    RowPtr base = Take(m_row, baseSpan);
    Unwrap(*base);
    base->WrapIfNeeded();
    RowPtr index = Take(m_row, indexSpan);
    Unwrap(*index);
    auto* atom = NewAtom<CEqIndex>(m_row.m_pOwner);
    Caret caret = CaretFor(base.get(), index.get());
    atom->SetRows(base.release(), index.release());
    if (!Form(g2 + 1, k + 1, atom, caret))
        return w + 1;
    return g2 + 2;
}

// The partners were found once for the whole row; formations only ever
// replace atoms left of the partner, so its distance from the end holds.
int RowComposer::MatchingClose(int w, const std::vector<int>& partners) const {
    int fromEnd = m_row.GetCount() - 1 - w;
    if (fromEnd < 0 || fromEnd >= static_cast<int>(partners.size()))
        return -1;
    int partner = partners[static_cast<size_t>(fromEnd)];
    return partner < 0 ? -1 : m_row.GetCount() - 1 - partner;
}

// For each open symbol (indexed by its distance from the end atom) the
// distance of the close symbol that brings the count of its kind back to
// zero, or -1; round and square brackets in one scan of the row. The same
// scan notes which later passes may form anything: formations only ever
// take symbols out of the row, so a symbol missing now stays missing.
void RowComposer::FindPartners() {
    int last = m_row.GetCount() - 1;
    m_roundPartners.clear();
    m_squarePartners.clear();
    m_passes = {};
    std::vector<int> rounds;
    std::vector<int> squares;
    // A table is made when its first pair closes; without one, no symbol
    // has a partner (MatchingClose reads past its end as none).
    auto close = [last](std::vector<int>& opens, std::vector<int>& partners, int j) {
        if (opens.empty())
            return;
        if (partners.empty())
            partners.assign(static_cast<size_t>(last + 1), -1);
        partners[static_cast<size_t>(last - opens.back())] = last - j;
        opens.pop_back();
    };
    for (int j = 0; j < last; ++j) {
        const CEqAtom* atom = m_row.m_atoms[static_cast<size_t>(j)].get();
        if (!atom || !atom->IsSymbol())
            continue;
        switch (static_cast<const CEqSymbol*>(atom)->TextByte()) {
        case '(':
            rounds.push_back(j);
            break;
        case ')':
            close(rounds, m_roundPartners, j);
            break;
        case '[':
            squares.push_back(j);
            break;
        case ']':
            close(squares, m_squarePartners, j);
            break;
        case 'e':
        case 'E':
        case 'p':
        case 'P':
        case 's':
        case 'S':
            m_passes.functions = true;
            break;
        case '*':
            m_passes.powers = m_passes.powers || m_row.SymbolAt(j + 1) == '*';
            break;
        case '/':
            m_passes.fractions = true;
            break;
        default:
            break;
        }
    }
}

// Entries at distances the shortened row no longer has are let go before
// the new atom is composed (deep nesting would hold them at every level).
void RowComposer::ShrinkPartners() {
    size_t count = static_cast<size_t>(std::max(m_row.GetCount(), 0));
    for (std::vector<int>* partners : {&m_roundPartners, &m_squarePartners}) {
        if (partners->size() > 2 * count + 16) {
            partners->resize(count);
            partners->shrink_to_fit();
        }
    }
}

// ---------------------------------------------------------------------------
// Pass 2

void RowComposer::NamedFunctions() {
    if (!m_passes.functions)
        return;
    for (int t = 0; t < m_row.GetCount() - 1; ++t) {
        char lower = Charset::ToLowerAscii(static_cast<char>(m_row.SymbolAt(t)));
        if (lower != 'e' && lower != 'p' && lower != 's')
            continue;
        if (t > 0 && m_row.IsIdentAt(t - 1))
            continue; // inside a longer name
        switch (lower) {
        case 'e':
            FormExp(t);
            break;
        case 'p':
            FormPow(t);
            break;
        default:
            FormSqrt(t);
            break;
        }
    }
}

bool RowComposer::FormExp(int t) {
    if (!(t + 3 < m_row.GetCount() - 1) || !WordAt(t, "exp"))
        return false;
    int y = BracketsAfter(t + 3);
    if (y < 0 || !CanForm())
        return false;
    const CEqExpr& inner = *static_cast<CEqBrackets*>(m_row.GetAt(y))->m_pRow;
    m_build = BuildFor({Depths{}, RowDepths(inner, Span{0, inner.GetCount() - 1}, kUnwrap)});
    if (m_build == Build::Refuse)
        return false;
    RowPtr index = TakeBracketsRow(y);
    Unwrap(*index);
    Caret caret = CaretFor(nullptr, index.get());
    return Form(t, y + 1, NewPower(RowOfChar(m_row, 'e').release(), nullptr, index.release()),
                caret);
}

bool RowComposer::FormPow(int t) {
    if (!(t + 3 < m_row.GetCount() - 1) || !WordAt(t, "pow"))
        return false;
    int y = BracketsAfter(t + 3);
    if (y < 0 || !CanForm())
        return false;
    CEqExpr& b = *static_cast<CEqBrackets*>(m_row.GetAt(y))->m_pRow;
    int comma = 0;
    while (comma < b.GetCount() - 1 && b.SymbolAt(comma) != ',')
        ++comma;
    Span aSpan{0, comma};
    Span powerSpan{comma + 1, b.GetCount() - 1};
    m_build =
        BuildFor({RowDepths(b, aSpan, kSplit | kUnwrap | kWrap), RowDepths(b, powerSpan, kUnwrap)});
    if (m_build == Build::Refuse)
        return false;
    RowPtr a = Take(b, aSpan);
    a->Trim();
    RowPtr power = Take(b, powerSpan);
    Unwrap(*power);
    CEqExpr* base = a.release();
    CEqExpr* low = SplitLowIndex(base);
    Unwrap(*base);
    base->WrapIfNeeded();
    Caret caret = CaretFor(base, power.get());
    return Form(t, y + 1, NewPower(base, low, power.release()), caret);
}

bool RowComposer::FormSqrt(int t) {
    if (!(t + 4 < m_row.GetCount() - 1) || !WordAt(t, "sqrt"))
        return false;
    int y = BracketsAfter(t + 4);
    if (y < 0 || !CanForm())
        return false;
    const CEqExpr& inner = *static_cast<CEqBrackets*>(m_row.GetAt(y))->m_pRow;
    m_build = BuildFor({RowDepths(inner, Span{0, inner.GetCount() - 1}, kUnwrap)});
    if (m_build == Build::Refuse)
        return false;
    RowPtr radicand = TakeBracketsRow(y);
    Unwrap(*radicand);
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
    return IsBracketsWithRow(m_row.GetAt(y)) ? y : -1;
}

RowComposer::RowPtr RowComposer::TakeBracketsRow(int y) {
    auto* brackets = static_cast<CEqBrackets*>(m_row.GetAt(y));
    if (m_build != Build::Move)
        return brackets->m_pRow->Clone();
    m_depths.erase(brackets);
    return std::move(brackets->m_pRow);
}

// ---------------------------------------------------------------------------
// Pass 3

void RowComposer::Powers() {
    if (!m_passes.powers)
        return;
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
    if (!CanForm())
        return i + 1;
    // 1. The base: the operand that ends before the operator.
    int g = OperandScan::SkipSpacesLeft(m_row, i - 1);
    int g2 = OperandScan::LeftwardStop(m_row, g);
    Span baseSpan{g2 + 1, g + 1};
    int x = g2 == g ? i - 1 : g2;
    // 2. The power: the operand that starts after it.
    int m = OperandScan::SkipSpacesRight(m_row, i + 2);
    int m2 = OperandScan::RightwardStop(m_row, m);
    Span powerSpan{m, m2};
    bool blankPower = m2 == m;
    // 3. Whether the atom may nest that deep.
    m_build = BuildFor({RowDepths(m_row, baseSpan, kSplit | kUnwrap | kWrap),
                        RowDepths(m_row, powerSpan, kUnwrap)});
    if (m_build == Build::Refuse)
        return i + 1;
    RowPtr power = Take(m_row, powerSpan);
    Unwrap(*power);
    // 4. A base that is one low index gives a power index.
    CEqExpr* base = Take(m_row, baseSpan).release();
    CEqExpr* low = SplitLowIndex(base);
    Unwrap(*base);
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
    auto* index = static_cast<CEqIndex*>(base->GetAt(0));
    Forget(index);
    CEqExpr* low = index->m_pIndex.release();
    low->m_pOwnerAtom = nullptr;
    Unwrap(*low);
    CEqExpr* inner = index->m_pBase.release();
    inner->m_pOwnerAtom = nullptr;
    delete base;
    base = inner;
    return low;
}

// ---------------------------------------------------------------------------
// Pass 4

// A formation shifts every atom after it, so in a line of many fractions
// each would shift the whole rest. The atoms past the first slash after
// the one looked at wait aside instead: a slash ends every operand, so no
// scan of a formation reaches them, and the row reads as if they were there.
void RowComposer::Fractions() {
    // 0. Only a slash forms anything; the atoms past the first slash after
    //    the row's first atom wait aside.
    if (!m_passes.fractions)
        return;
    int first = FirstSlashFrom(1);
    if (first < 0 && m_row.SymbolAt(0) != '/')
        return;
    std::vector<std::unique_ptr<CEqAtom>> aside;
    if (first >= 0)
        m_row.SetAside(first + 1, &aside);
    int c = 0;
    for (;;) {
        // 1. A slash after c in the row, or every atom back.
        while (!aside.empty() && !SlashAfter(c))
            PutBackThroughSlash(&aside);
        if (c >= m_row.GetCount() - 1)
            break;
        // 2. A fraction or derivative at a slash.
        c = m_row.SymbolAt(c) == '/' ? FormFraction(c) : c + 1;
    }
}

int RowComposer::FirstSlashFrom(int from) const {
    for (int i = std::max(from, 0); i < m_row.GetCount() - 1; ++i)
        if (m_row.SymbolAt(i) == '/')
            return i;
    return -1;
}

bool RowComposer::SlashAfter(int c) const {
    int k = m_row.GetCount() - 2;
    return k > c && m_row.SymbolAt(k) == '/';
}

void RowComposer::PutBackThroughSlash(std::vector<std::unique_ptr<CEqAtom>>* aside) {
    do
        m_row.PutBack(aside);
    while (!aside->empty() && m_row.SymbolAt(m_row.GetCount() - 2) != '/');
}

int RowComposer::FormFraction(int s) {
    if (!CanForm())
        return s + 1;
    // 1. The operands, and whether the atom may nest that deep.
    int after = s + 1;
    Span numSpan;
    int start = 0;
    Mark mark = TakeNumerator(s, &numSpan, &start);
    Span denSpan;
    bool letterT = false;
    int h = TakeDenominator(after, mark, &denSpan, &letterT);
    unsigned shaping = mark == Mark::None ? kUnwrap : kUnwrap | kWrap;
    m_build = BuildFor({RowDepths(m_row, numSpan, shaping),
                        letterT ? Depths{} : RowDepths(m_row, denSpan, shaping)});
    if (m_build == Build::Refuse)
        return s + 1;
    // 2. Their rows.
    CEqExpr* num = Take(m_row, numSpan).release();
    Unwrap(*num);
    CEqExpr* den = letterT ? RowOfChar(m_row, 't').release() : Take(m_row, denSpan).release();
    bool blankDen = den->IsBlank();
    Unwrap(*den);
    int end = blankDen ? after : h;

    // 3. A fraction, or a derivative of the marked numerator.
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

RowComposer::Mark RowComposer::TakeNumerator(int s, Span* num, int* start) const {
    int o = OperandScan::SkipSpacesLeft(m_row, s - 1);
    int end = o + 1;
    // 1. A compound atom right before the slash.
    if (o >= 0 && m_row.GetAt(o)->IsCompound())
        --o;
    // 2. Otherwise a run of identifier characters, unless a keyword ends there.
    if (o + 1 == end && o >= 0 && m_row.MatchKeyword(o, true) == 0) {
        while (o >= 0 && m_row.IsIdentAt(o))
            --o;
    }
    // 3. A derivative mark d or d2 before a simple (here: any taken) numerator.
    int from = o + 1;
    Mark mark = Mark::None;
    if (from < end)
        mark = FindMark(o, &o);
    // 4. Without a mark the numerator grows leftwards like any operand.
    if (mark == Mark::None) {
        o = OperandScan::LeftwardStop(m_row, o);
        from = o + 1;
    }
    // 5. Where the formation begins.
    *start = from == end ? s - 1 : o;
    *num = Span{from, end};
    return mark;
}

RowComposer::Mark RowComposer::FindMark(int o, int* markStart) const {
    return MarkBefore(m_row, o, markStart);
}

RowComposer::Mark RowComposer::MarkBefore(const CEqExpr& row, int o, int* markStart) {
    int e = OperandScan::SkipSpacesLeft(row, o);
    if (e < 0 || row.MatchKeyword(e, true) != 0)
        return Mark::None;
    auto isD = [&row](int p) { return row.SymbolAt(p) == 'd' || row.SymbolAt(p) == 'D'; };
    if (row.SymbolAt(e) == '2' && e - 1 >= 0 && isD(e - 1) &&
        (e - 2 < 0 || !row.IsIdentAt(e - 2))) {
        *markStart = e - 2;
        return Mark::Second;
    }
    if (isD(e) && (e - 1 < 0 || !row.IsIdentAt(e - 1))) {
        *markStart = e - 1;
        return Mark::First;
    }
    return Mark::None;
}

int RowComposer::TakeDenominator(int after, Mark mark, Span* den, bool* letterT) const {
    int h = OperandScan::SkipSpacesRight(m_row, after);
    *den = Span{h, h};
    if (mark == Mark::None) {
        den->to = OperandScan::RightwardStop(m_row, h);
        return den->to;
    }
    int last = m_row.GetCount() - 1;
    bool isD = m_row.SymbolAt(h) == 'd' || m_row.SymbolAt(h) == 'D';
    if (h >= last || m_row.MatchKeyword(h, false) > 0 || !isD)
        return h; // nothing after the slash is taken
    return TakeVariable(h + 1, den, letterT);
}

int RowComposer::TakeVariable(int h, Span* den, bool* letterT) const {
    int last = m_row.GetCount() - 1;
    *den = Span{h, h};
    if (h >= last)
        return h;
    if (!m_row.IsIdentAt(h)) { // "d tau", "d(t)"
        int m = OperandScan::SkipSpacesRight(m_row, h);
        *den = Span{m, OperandScan::RightwardStop(m_row, m)};
        return den->to;
    }
    if (m_row.SymbolAt(h) == 't' || m_row.SymbolAt(h) == 'T') {
        ++h;
        if (h >= last || !m_row.IsIdentAt(h))
            *letterT = true;
        return h; // "dtau" and the like leave the variable empty
    }
    return h; // "dx": no variable
}

// ---------------------------------------------------------------------------
// Depth

// The shaping steps, in the order the formations apply them: spaces
// trimmed; a lone low index split into base and index; a lone bracket atom
// replaced by its row; the rest, when not simple, wrapped in brackets
// (unless its text is a lone "?", hence a range rather than one value).
RowComposer::Depths RowComposer::RowDepths(const CEqExpr& row, Span span, unsigned shaping) const {
    if (m_bSurelyFits)
        return Depths{};
    // 1. Trim.
    int from = std::max(span.from, 0);
    int to = std::min(span.to, row.GetCount() - 1);
    while (from < to && row.IsSpaceAt(from))
        ++from;
    while (to > from && row.IsSpaceAt(to - 1))
        --to;
    if (from >= to)
        return Depths{};
    // 2. The deepest atom.
    int deepest = RangeDepth(row, from, to);
    const CEqAtom* first = row.GetAt(from);
    bool single = to - from == 1 && first->IsCompound();
    // 3. Split: the index's rows, each perhaps unwrapped or wrapped.
    if ((shaping & kSplit) && single && IsLowIndex(first))
        return Depths{1, deepest + 2};
    // 4. Unwrap.
    bool unwrap = (shaping & kUnwrap) && single && IsBracketsWithRow(first);
    int depth = unwrap ? deepest : deepest + 1;
    // 5. Wrap.
    bool simple = !unwrap && (single || AllIdent(row, from, to));
    bool mayWrap = (shaping & kWrap) && !simple;
    return Depths{depth, mayWrap ? depth + 1 : depth};
}

RowComposer::Build RowComposer::BuildFor(std::initializer_list<Depths> rows) {
    int lo = 0;
    int hi = 0;
    for (const Depths& d : rows) {
        lo = std::max(lo, d.lo);
        hi = std::max(hi, d.hi);
    }
    m_predicted = Depths{lo, hi};
    if (TreeDepth::Fits(m_nLevel + 1, hi))
        return Build::Move;
    if (!TreeDepth::Fits(m_nLevel + 1, lo))
        return Build::Refuse;
    return Build::Copy;
}

int RowComposer::AtomDepth(const CEqAtom& atom) const {
    auto it = m_depths.find(&atom);
    if (it != m_depths.end())
        return it->second;
    int depth = TreeDepth::AtomDepth(atom);
    m_depths.emplace(&atom, depth);
    return depth;
}

// Depths of the row's own compound atoms are kept until they change.
int RowComposer::RangeDepth(const CEqExpr& row, int from, int to) const {
    if (&row != &m_row)
        return TreeDepth::RangeDepth(row, from, to);
    int depth = 0;
    for (int i = from; i < to; ++i)
        if (const CEqAtom* atom = m_row.GetAt(i); atom && atom->IsCompound())
            depth = std::max(depth, AtomDepth(*atom));
    return depth;
}

void RowComposer::Forget(const CEqAtom* atom) const {
    if (atom && atom->IsCompound()) {
        m_depths.erase(atom);
        m_settled->erase(atom);
    }
}

RowComposer::RowPtr RowComposer::Take(CEqExpr& row, Span span) {
    if (m_build != Build::Move)
        return RowPtr(OperandScan::CloneRange(row, span.from, span.to));
    RowPtr op = std::make_unique<CEqExpr>(row.m_pOwner);
    int from = std::max(span.from, 0);
    int to = std::min(span.to, row.GetCount() - 1);
    bool own = &row == &m_row; // only the row's own boxes are erased
    if (own && !m_depths.empty())
        for (int i = from; i < to; ++i)
            if (const CEqAtom* atom = row.GetAt(i); atom && !atom->IsSymbol())
                m_depths.erase(atom); // composed as it was: only its depth here goes
    std::vector<std::unique_ptr<CEqAtom>> atoms;
    atoms.reserve(static_cast<size_t>(std::max(to - from, 0)) + 1); // and op's end atom
    row.TakeRange(from, to, own, &atoms);
    op->ClearWith(std::move(atoms));
    return op;
}

// ---------------------------------------------------------------------------
// Forming

bool RowComposer::Form(int from, int to, CEqAtom* atom, Caret caret) {
    assert(m_build != Build::Move || WithinDepth(*atom));
    if (m_build == Build::Copy && !WithinDepth(*atom)) {
        delete atom;
        return false;
    }
    int last = m_row.GetCount() - 1;
    from = std::clamp(from, 0, last);
    to = std::clamp(to, from, last);
    for (int i = from; i < to; ++i)
        Forget(m_row.GetAt(i));
    if (m_build == Build::Copy)
        m_settled->clear(); // the originals go, with all they hold
    m_row.ReplaceRange(from, to, std::unique_ptr<CEqAtom>(atom));
    if (CEqOwner* owner = m_row.m_pOwner) {
        owner->SetCaret(&m_row, from);
        owner->EndRun();
    }
    PlaceCaret(atom, from, caret);
    ShrinkPartners();
    int inside = ComposeAtom(*atom);
    m_nCount += 1 + inside;
    // Built as predicted and left as built: its depth is known.
    if (inside == 0 && m_predicted.lo == m_predicted.hi && !m_bSurelyFits)
        m_depths[atom] = m_predicted.hi;
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
    return TreeDepth::Fits(m_nLevel + 1, TreeDepth::AtomDepth(atom));
}
