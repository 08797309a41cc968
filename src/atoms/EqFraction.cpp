#include "atoms/EqFraction.h"

#include <algorithm>

#include "atoms/CompoundRows.h"
#include "editor/VexlorData.h"
#include "platform/DC.h"
#include "platform/EqWindow.h"
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
    switch (i) {
    case 0:
        return m_pNumerator;
    case 1:
        return m_pDenominator;
    default:
        return nullptr;
    }
}

void CEqFraction::Serialize(CArchive& ar) {
    CEqObject::Serialize(ar);
    CompoundRows::Serialize(this, ar, {m_pNumerator, m_pDenominator});
}

void CEqFraction::SetOwner(CVexlorData* owner) {
    m_pOwner = owner;
    if (m_pNumerator)
        m_pNumerator->SetOwner(owner);
    if (m_pDenominator)
        m_pDenominator->SetOwner(owner);
}

int CEqFraction::Compose() {
    int formed = m_pNumerator->Compose();
    return formed + m_pDenominator->Compose();
}

CEqAtom* CEqFraction::Clone() const {
    auto* copy = new CEqFraction;
    CopyBaseTo(copy);
    copy->SetRows(CompoundRows::CloneRow(m_pNumerator), CompoundRows::CloneRow(m_pDenominator));
    return copy;
}

bool CEqFraction::HitTest(POINT* pt) {
    return m_pNumerator->HitTest(pt) || m_pDenominator->HitTest(pt);
}

bool CEqFraction::HitTestRange(POINT* from, POINT* to) {
    return m_pNumerator->HitTestRange(from, to) || m_pDenominator->HitTestRange(from, to);
}

bool CEqFraction::IsBlank() const {
    return m_pNumerator->IsBlank() && m_pDenominator->IsBlank();
}

bool CEqFraction::EnterFrom(UINT vk) {
    if (!m_pOwner)
        return false;
    if (vk == VK_LEFT) {
        m_pOwner->SetCaret(m_pDenominator, m_pDenominator->GetCount() - 1);
        return true;
    }
    if (vk == VK_RIGHT) {
        m_pOwner->SetCaret(m_pNumerator, 0);
        return true;
    }
    return false;
}

bool CEqFraction::LeaveChild(CEqExpr* row, UINT vk) {
    if (!m_pParent || !m_pOwner)
        return false;
    int i = m_pParent->IndexOf(this);
    if (i < 0 || (row != m_pNumerator && row != m_pDenominator))
        return false;
    CEqWindow* wnd = Window();
    if (wnd && wnd->IsKeyDown(VK_SHIFT)) {
        if (vk == VK_LEFT || vk == VK_UP)
            m_pOwner->SetSelection(m_pParent, i + 1, i);
        else
            m_pOwner->SetSelection(m_pParent, i, i + 1);
        return true;
    }
    return row == m_pNumerator ? LeaveNumerator(i, vk) : LeaveDenominator(i, vk);
}

bool CEqFraction::LeaveNumerator(int i, UINT vk) {
    switch (vk) {
    case VK_LEFT:
        m_pOwner->SetCaret(m_pParent, i);
        return true;
    case VK_UP:
        return m_pParent->HandleKey(VK_UP);
    case VK_RIGHT:
    case VK_DOWN:
        m_pOwner->SetCaret(m_pDenominator, 0);
        return true;
    default:
        return false;
    }
}

bool CEqFraction::LeaveDenominator(int i, UINT vk) {
    switch (vk) {
    case VK_LEFT:
    case VK_UP:
        m_pOwner->SetCaret(m_pNumerator, m_pNumerator->GetCount() - 1);
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
    CDC* dc = DC();
    CPen pen(PS_SOLID, 2, dc->GetSysColor(COLOR_WINDOWTEXT));
    CPen* old = dc->SelectObject(&pen);
    int y = m_rect.top + m_ptAnchor.y;
    dc->MoveTo(m_rect.left + 2, y);
    dc->LineTo(m_rect.right - 2, y);
    dc->SelectObject(old);
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
    return " " + row->ToText(false);
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
