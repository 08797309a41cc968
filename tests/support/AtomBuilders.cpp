#include "AtomBuilders.h"

#include <gtest/gtest.h>

#include "platform/Archive.h"

CEqBrackets* BracketsAround(const TestEditor& t, CEqExpr* inner) {
    return NewAtom<CEqBrackets>(t, inner);
}

CEqRoot* RootOf(const TestEditor& t, CEqExpr* inner) {
    return NewAtom<CEqRoot>(t, inner);
}

CEqFraction* FractionOf(const TestEditor& t, CEqExpr* num, CEqExpr* den) {
    return NewAtom<CEqFraction>(t, num, den);
}

CEqIndex* NewIndex(const TestEditor& t, CEqExpr* base, CEqExpr* index, bool high) {
    auto* atom = new CEqIndex;
    atom->m_pOwner = t.data.get();
    atom->m_bHigh = high ? 1 : 0;
    atom->SetRows(base, index);
    return atom;
}

CEqIndex* NewIndex(const TestEditor& t, const std::string& base, const std::string& index,
                   bool high) {
    return NewIndex(t, t.RowOf(base), t.RowOf(index), high);
}

CEqPowIndex* NewPow(const TestEditor& t, CEqExpr* base, CEqExpr* low, CEqExpr* high) {
    return NewAtom<CEqPowIndex>(t, base, low, high);
}

CEqPowIndex* NewPow(const TestEditor& t, const std::string& base, const std::string& low,
                    const std::string& high) {
    return NewPow(t, t.RowOf(base), t.RowOf(low), t.RowOf(high));
}

CEqSymbol* SymbolOf(char c) {
    auto* symbol = new CEqSymbol;
    symbol->SetChar(c);
    return symbol;
}

CEqExpr* RowWith(const TestEditor& t, CEqAtom* atom) {
    CEqExpr* row = t.NewRow();
    row->Append(atom);
    return row;
}

std::string TextOf(const TestEditor& t, CEqAtom* atom) {
    RowPtr top(RowWith(t, atom));
    std::string text = top->ToText(false);
    EXPECT_EQ(CheckTree(*top, t.data.get()), "");
    return text;
}

std::vector<uint8_t> Store(CEqExpr& row) {
    CArchive ar;
    row.Serialize(ar);
    return ar.TakeBuffer();
}

RowPtr Load(const TestEditor& t, const std::vector<uint8_t>& image, bool* complete) {
    RowPtr row(new CEqExpr(t.data.get()));
    CArchive ar(image);
    row->Serialize(ar);
    *complete = !ar.IsFailed() && ar.AtEnd();
    return row;
}

RowPtr LoadWhole(const TestEditor& t, const std::vector<uint8_t>& image) {
    bool complete = false;
    RowPtr row = Load(t, image, &complete);
    return complete ? std::move(row) : nullptr;
}

void ExpectCutImagesRejected(const TestEditor& t, const std::vector<uint8_t>& image) {
    for (size_t n = 0; n < image.size(); ++n) {
        std::vector<uint8_t> cut(image.begin(), image.begin() + static_cast<long>(n));
        EXPECT_EQ(LoadWhole(t, cut), nullptr) << n;
    }
}

void ExpectSameAtom(const CEqAtom& a, const CEqAtom& b) {
    EXPECT_STREQ(a.ClassName(), b.ClassName());
    EXPECT_EQ(a.m_size, b.m_size);
    EXPECT_EQ(a.m_ptAnchor, b.m_ptAnchor);
    EXPECT_EQ(a.m_rect, b.m_rect);
    EXPECT_EQ(a.GetChar(), b.GetChar());
    if (a.IsClass("CEqIndex") && b.IsClass("CEqIndex")) {
        EXPECT_EQ(static_cast<const CEqIndex&>(a).m_bHigh, static_cast<const CEqIndex&>(b).m_bHigh);
    }
    ASSERT_EQ(a.GetRowCount(), b.GetRowCount());
    for (int k = 0; k < a.GetRowCount(); ++k)
        ExpectSameRow(*a.GetRow(k), *b.GetRow(k));
}

void ExpectSameRow(const CEqExpr& a, const CEqExpr& b) {
    ASSERT_EQ(a.GetCount(), b.GetCount());
    EXPECT_EQ(a.m_size, b.m_size);
    EXPECT_EQ(a.m_ptAnchor, b.m_ptAnchor);
    EXPECT_EQ(a.m_rect, b.m_rect);
    for (int i = 0; i < a.GetCount(); ++i)
        ExpectSameAtom(*a.GetAt(i), *b.GetAt(i));
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}
