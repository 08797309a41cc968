#include "atoms/EqBrackets.h"

#include "platform/DC.h"
#include "rows/EqExpr.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqBrackets)

std::unique_ptr<CEqAtom> CEqBrackets::Clone() const {
    return CopyRowInto(std::make_unique<CEqBrackets>());
}

void CEqBrackets::CalcSize() {
    m_pRow->CalcSize();
    SIZE m = MeasureM();
    m_size.cy = m_pRow->m_size.cy + m.cy / 2;
    m_size.cx = m_pRow->m_size.cx + m_size.cy / 3 + 2;
    m_ptAnchor = POINT{m_size.cx / 2, m_pRow->m_ptAnchor.y + m.cy / 4};
}

void CEqBrackets::Redraw(int x, int y, int hAlign, int vAlign) {
    if (!CEqObject::Redraw(x, y, hAlign, vAlign))
        EraseInvalid();
    m_pRow->Redraw(x + m_ptAnchor.x, y + m_ptAnchor.y, 0, 0);
}

void CEqBrackets::Draw() {
    if (!IsVisible())
        return;
    m_pRow->Draw();
    CDC* dc = DC();
    CPen pen(PS_SOLID, 2, dc->GetSysColor(COLOR_WINDOWTEXT));
    CPen* old = dc->SelectObject(&pen);
    int w3 = m_size.cy / 3;
    int w6 = w3 / 2;
    int l = m_rect.left, t = m_rect.top, r = m_rect.right, b = m_rect.bottom;
    dc->Arc(l + 1, t + 1, l + 1 + w3, b - 1, l + 1 + w6, t + 1, l + 1 + w6, b - 1);
    dc->Arc(r - 1 - w3, t + 1, r - 1, b - 1, r - 1 - w6, b - 1, r - 1 - w6, t + 1);
    dc->SelectObject(old);
}

// Trims the inner row (the tree changes), then frames its text.
std::string CEqBrackets::ToText() {
    m_pRow->Trim();
    return BracketedText(m_pRow.get());
}
