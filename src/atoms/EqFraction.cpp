#include "atoms/EqFraction.h"

#include <algorithm>

#include "atoms/CompoundRows.h"
#include "rows/EqExpr.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqFraction)

CEqFraction::CEqFraction() : m_pNumerator(new CEqExpr), m_pDenominator(new CEqExpr) {}

CEqFraction::~CEqFraction() {
    delete m_pNumerator;
    delete m_pDenominator;
}

void CEqFraction::SetRows(CEqExpr* numerator, CEqExpr* denominator) {
    CompoundRows::Adopt(this, m_pNumerator, numerator);
    CompoundRows::Adopt(this, m_pDenominator, denominator);
}

CEqExpr* CEqFraction::GetRow(int i) const {
    return CompoundRows::RowAt(i, {m_pNumerator, m_pDenominator});
}

CEqAtom* CEqFraction::Clone() const {
    auto* copy = new CEqFraction;
    CopyBaseTo(copy);
    copy->SetRows(CompoundRows::CloneRow(m_pNumerator), CompoundRows::CloneRow(m_pDenominator));
    return copy;
}

// The bar lies M.cy/6 below the numerator; the rows keep the current font.
void CEqFraction::CalcSize() {
    m_pNumerator->CalcSize();
    m_pDenominator->CalcSize();
    SIZE m = MeasureM();
    const SIZE& num = m_pNumerator->m_size;
    const SIZE& den = m_pDenominator->m_size;
    m_size.cx = std::max(num.cx, den.cx) + m.cx;
    m_size.cy = num.cy + den.cy + m.cy / 3;
    m_ptAnchor = POINT{m_size.cx / 2, num.cy + m.cy / 6};
}

// Both rows centred on the anchor x, M.cy/6 above and below the bar.
void CEqFraction::Redraw(int x, int y, int hAlign, int vAlign) {
    if (!CEqObject::Redraw(x, y, hAlign, vAlign))
        EraseInvalid();
    SIZE m = MeasureM();
    m_pNumerator->Redraw(x + m_ptAnchor.x, y + m_ptAnchor.y - m.cy / 6, 0, 4);
    m_pDenominator->Redraw(x + m_ptAnchor.x, y + m_ptAnchor.y + m.cy / 6, 0, 3);
}

void CEqFraction::Draw() {
    if (!IsVisible())
        return;
    m_pNumerator->Draw();
    m_pDenominator->Draw();
    DrawBar();
}

// Trims both rows (the tree changes), then writes numerator " / " denominator.
std::string CEqFraction::ToText() {
    m_pNumerator->Trim();
    m_pDenominator->Trim();
    std::string numerator = NumeratorText();
    return numerator + " / " + DenominatorText();
}

// A simple numerator is written bare after a blank (a fraction or
// derivative there needs no brackets: division associates to the left).
std::string CEqFraction::NumeratorText() {
    CEqExpr* row = m_pNumerator;
    if (row->IsBlank())
        return "( ? )";
    if (!row->IsSimple())
        return "( " + row->ToText(false) + " )";
    if (row->GetAt(0)->IsClass("CEqBrackets"))
        return row->ToText(false);
    return row->ToText(false).insert(0, 1, ' ');
}

// A simple denominator is written bare before a blank, except a fraction or
// derivative, which must be bracketed to keep its grouping.
std::string CEqFraction::DenominatorText() {
    CEqExpr* row = m_pDenominator;
    if (row->IsBlank())
        return "( ? )";
    const CEqAtom* first = row->GetAt(0);
    bool grouped = first->IsClass("CEqDerive") || first->IsClass("CEqDerive2") ||
                   first->IsClass("CEqFraction");
    if (!row->IsSimple() || grouped)
        return "( " + row->ToText(false) + " )";
    if (first->IsClass("CEqBrackets"))
        return row->ToText(false);
    return row->ToText(false) + " ";
}
