#include "atoms/EqDerive.h"

#include <algorithm>

#include "atoms/CompoundRows.h"
#include "atoms/EqIndex.h"
#include "editor/VexlorData.h"
#include "platform/DC.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqDerive)

CEqDerive::CEqDerive() : m_pNumerator(new CEqExpr), m_pDenominator(new CEqExpr) {}

CEqDerive::~CEqDerive() {
    delete m_pNumerator;
    delete m_pDenominator;
}

void CEqDerive::SetRows(CEqExpr* numerator, CEqExpr* denominator) {
    CompoundRows::Adopt(this, m_pNumerator, numerator);
    CompoundRows::Adopt(this, m_pDenominator, denominator);
}

CEqExpr* CEqDerive::GetRow(int i) const {
    switch (i) {
    case 0:
        return m_pNumerator;
    case 1:
        return m_pDenominator;
    default:
        return nullptr;
    }
}

void CEqDerive::Serialize(CArchive& ar) {
    CEqObject::Serialize(ar);
    CompoundRows::Serialize(this, ar, {m_pNumerator, m_pDenominator});
}

void CEqDerive::SetOwner(CVexlorData* owner) {
    m_pOwner = owner;
    if (m_pNumerator)
        m_pNumerator->SetOwner(owner);
    if (m_pDenominator)
        m_pDenominator->SetOwner(owner);
}

int CEqDerive::Compose() {
    int formed = m_pNumerator->Compose();
    return formed + m_pDenominator->Compose();
}

CEqAtom* CEqDerive::Clone() const {
    auto* copy = new CEqDerive;
    CopyBaseTo(copy);
    copy->SetRows(CompoundRows::CloneRow(m_pNumerator), CompoundRows::CloneRow(m_pDenominator));
    return copy;
}

bool CEqDerive::HitTest(POINT* pt) {
    return m_pNumerator->HitTest(pt) || m_pDenominator->HitTest(pt);
}

bool CEqDerive::HitTestRange(POINT* from, POINT* to) {
    return m_pNumerator->HitTestRange(from, to) || m_pDenominator->HitTestRange(from, to);
}

bool CEqDerive::IsBlank() const {
    return m_pNumerator->IsBlank() && m_pDenominator->IsBlank();
}

bool CEqDerive::EnterFrom(UINT vk) {
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

bool CEqDerive::LeaveChild(CEqExpr* row, UINT vk) {
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

bool CEqDerive::LeaveNumerator(int i, UINT vk) {
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

bool CEqDerive::LeaveDenominator(int i, UINT vk) {
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

// Room for the "d" in front of the wider row; the bar lies M.cy/6 below
// the numerator.
void CEqDerive::CalcSize() {
    m_pNumerator->CalcSize();
    m_pDenominator->CalcSize();
    SIZE m = MeasureM();
    const SIZE& num = m_pNumerator->m_size;
    const SIZE& den = m_pDenominator->m_size;
    m_size.cx = m.cx + LetterWidth(m) + std::max(num.cx, den.cx);
    m_size.cy = num.cy + den.cy + m.cy / 3;
    m_ptAnchor = POINT{m_size.cx / 2, num.cy + m.cy / 6};
}

// Both rows centred W3/2 right of the atom's centre, leaving the "d" room.
void CEqDerive::Redraw(int x, int y, int hAlign, int vAlign) {
    SIZE m = MeasureM();
    if (!CEqObject::Redraw(x, y, hAlign, vAlign))
        EraseInvalid();
    RECT oldNum = m_pNumerator->m_rect;
    RECT oldDen = m_pDenominator->m_rect;
    int cx = x + m_ptAnchor.x + LetterWidth(m) / 2;
    m_pNumerator->Redraw(cx, y + m_ptAnchor.y - m.cy / 6, 0, 4);
    m_pDenominator->Redraw(cx, y + m_ptAnchor.y + m.cy / 6, 0, 3);
    EraseMovedBands(oldNum, oldDen);
}

void CEqDerive::Draw() {
    if (!IsVisible())
        return;
    m_pNumerator->Draw();
    m_pDenominator->Draw();
    CDC* dc = DC();
    SIZE m = MeasureM();
    int w3 = LetterWidth(m);
    CFont* previous = SelectBoldItalic();
    unsigned align = dc->SetTextAlign(TA_BOTTOM);
    const CEqExpr& num = *m_pNumerator;
    const CEqExpr& den = *m_pDenominator;
    int centre = m_rect.left + m_ptAnchor.x;
    dc->TextOut(centre - (num.m_size.cx + w3) / 2, m_rect.top + num.m_ptAnchor.y + m.cy / 2, "d");
    dc->TextOut(centre - (den.m_size.cx + w3) / 2,
                m_rect.bottom - den.m_size.cy + den.m_ptAnchor.y + m.cy / 2, "d");
    dc->SetTextAlign(align);
    dc->SelectObject(previous);
    DrawBar();
}

// Trims both rows (the tree changes), then writes " d" function " / d" variable.
std::string CEqDerive::ToText() {
    m_pNumerator->Trim();
    m_pDenominator->Trim();
    std::string function = FunctionText();
    return " d" + function + " / d" + VariableText();
}

int CEqDerive::LetterWidth(SIZE m) {
    return (3 * m.cx) / 2;
}

// The bold italic font of the current size: the small one inside an index.
CFont* CEqDerive::SelectBoldItalic() const {
    CEqWindow* wnd = Window();
    CDC* dc = wnd->m_pDC;
    CFont* previous = dc->SelectObject(&wnd->m_fontBoldItalic);
    if (previous == &wnd->m_fontSmall)
        dc->SelectObject(&wnd->m_fontSmallBoldItalic);
    return previous;
}

// When a row moved, the strip of its old height at the atom's top (or
// bottom) is cleared, since rows do not erase themselves.
void CEqDerive::EraseMovedBands(const RECT& oldNum, const RECT& oldDen) const {
    CDC* dc = DC();
    if (!dc)
        return;
    if (!EqualRect(oldNum, m_pNumerator->m_rect)) {
        RECT band{m_rect.left, m_rect.top, m_rect.right, m_rect.top + RectHeight(oldNum)};
        dc->FillSolidRect(band, dc->GetBkColor());
    }
    if (!EqualRect(oldDen, m_pDenominator->m_rect)) {
        RECT band{m_rect.left, m_rect.bottom - RectHeight(oldDen), m_rect.right, m_rect.bottom};
        dc->FillSolidRect(band, dc->GetBkColor());
    }
}

// The bar on the axis, 2 pixels short of each side.
void CEqDerive::DrawBar() const {
    CDC* dc = DC();
    CPen pen(PS_SOLID, 2, dc->GetSysColor(COLOR_WINDOWTEXT));
    CPen* old = dc->SelectObject(&pen);
    int y = m_rect.top + m_ptAnchor.y;
    dc->MoveTo(m_rect.left + 2, y);
    dc->LineTo(m_rect.right - 2, y);
    dc->SelectObject(old);
}

// The differentiated expression is always in brackets.
std::string CEqDerive::FunctionText() {
    CEqExpr* row = m_pNumerator;
    if (row->IsBlank())
        return "( ? )";
    if (row->IsSimple() && row->GetAt(0)->IsClass("CEqBrackets"))
        return row->ToText(false);
    return "( " + row->ToText(false) + " )";
}

// A simple variable is written bare and followed by a blank; one other than
// "t" also gets a blank between it and the "d".
std::string CEqDerive::VariableText() {
    CEqExpr* row = m_pDenominator;
    if (row->IsBlank())
        return "( ? )";
    if (!row->IsSimple() || !IsBareVariable(row->GetAt(0)))
        return "( " + row->ToText(false) + " )";
    std::string text = row->ToText(false);
    if (!row->GetAt(0)->IsClass("CEqBrackets") && text != "t")
        text = " " + text;
    return text + " ";
}

// Whether a variable row starting with this atom can be written without
// brackets: anything but an index, power index, fraction or derivative,
// except that a low index can.
bool CEqDerive::IsBareVariable(const CEqAtom* first) {
    if (first->IsClass("CEqIndex"))
        return static_cast<const CEqIndex*>(first)->m_bHigh == 0;
    return !first->IsClass("CEqDerive") && !first->IsClass("CEqDerive2") &&
           !first->IsClass("CEqFraction") && !first->IsClass("CEqPowIndex");
}
