#include "atoms/EqStackedAtom.h"

#include "atoms/CompoundRows.h"
#include "elements/EqOwner.h"
#include "platform/DC.h"
#include "rows/EqExpr.h"

CEqStackedAtom::CEqStackedAtom() : m_pNumerator(new CEqExpr), m_pDenominator(new CEqExpr) {}

void CEqStackedAtom::SetRows(CEqExpr* numerator, CEqExpr* denominator) {
    CompoundRows::Adopt(this, m_pNumerator, numerator);
    CompoundRows::Adopt(this, m_pDenominator, denominator);
}

CEqExpr* CEqStackedAtom::GetRow(int i) const {
    return CompoundRows::RowAt(i, {m_pNumerator.get(), m_pDenominator.get()});
}

std::unique_ptr<CEqAtom> CEqStackedAtom::CopyRowsInto(std::unique_ptr<CEqStackedAtom> copy) const {
    CopyBaseTo(copy.get());
    copy->SetRows(CompoundRows::CloneRow(m_pNumerator.get()),
                  CompoundRows::CloneRow(m_pDenominator.get()));
    return copy;
}

bool CEqStackedAtom::LeaveChild(CEqExpr* row, UINT vk) {
    if (row != Numerator() && row != Denominator())
        return false;
    return CEqCompoundAtom::LeaveChild(row, vk);
}

bool CEqStackedAtom::LeaveRow(CEqExpr* row, UINT vk, int i) {
    return row == Numerator() ? LeaveNumerator(i, vk) : LeaveDenominator(i, vk);
}

bool CEqStackedAtom::LeaveNumerator(int i, UINT vk) {
    switch (vk) {
    case VK_LEFT:
        m_pOwner->SetCaret(m_pParent, i);
        return true;
    case VK_UP:
        return m_pParent->HandleKey(VK_UP);
    case VK_RIGHT:
    case VK_DOWN:
        m_pOwner->SetCaret(Denominator(), 0);
        return true;
    default:
        return false;
    }
}

bool CEqStackedAtom::LeaveDenominator(int i, UINT vk) {
    switch (vk) {
    case VK_LEFT:
    case VK_UP:
        CaretToEnd(Numerator());
        return true;
    case VK_RIGHT:
        m_pOwner->SetCaret(m_pParent, i + 1);
        return true;
    case VK_DOWN:
        return m_pParent->HandleKey(VK_DOWN);
    default:
        return false;
    }
}

void CEqStackedAtom::DrawBar() const {
    CDC* dc = DC();
    CPen pen(PS_SOLID, 2, dc->GetSysColor(COLOR_WINDOWTEXT));
    CPen* old = dc->SelectObject(&pen);
    int y = m_rect.top + m_ptAnchor.y;
    dc->MoveTo(m_rect.left + 2, y);
    dc->LineTo(m_rect.right - 2, y);
    dc->SelectObject(old);
}
