#include "atoms/EqRoot.h"

#include "platform/DC.h"
#include "rows/EqExpr.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqRoot)

std::unique_ptr<CEqAtom> CEqRoot::Clone() const {
    return CopyRowInto(std::make_unique<CEqRoot>());
}

// The content sits at the bottom with half an M of room above it for the
// overline; the radical sign takes a third of the height in width.
void CEqRoot::CalcSize() {
    m_pRow->CalcSize();
    SIZE m = MeasureM();
    int e = m.cy / 2;
    m_size.cy = m_pRow->m_size.cy + e;
    m_size.cx = m_pRow->m_size.cx + m_size.cy / 3 + 3;
    m_ptAnchor = POINT{m_size.cx / 2, m_pRow->m_ptAnchor.y + e};
}

void CEqRoot::Redraw(int x, int y, int hAlign, int vAlign) {
    if (!CEqObject::Redraw(x, y, hAlign, vAlign))
        EraseInvalid();
    m_pRow->Redraw(x + m_size.cy / 3, y + m_size.cy, 1, 4);
}

void CEqRoot::Draw() {
    if (!IsVisible())
        return;
    m_pRow->Draw();
    CDC* dc = DC();
    SIZE m = MeasureM();
    CPen pen(PS_SOLID, 2, dc->GetSysColor(COLOR_WINDOWTEXT));
    CPen* old = dc->SelectObject(&pen);
    DrawSign(dc, m);
    dc->SelectObject(old);
}

// Lead-in at mid height, down to the bottom, the long rising stroke, the
// overline and a short tick at its right end.
void CEqRoot::DrawSign(CDC* dc, SIZE m) const {
    int h = m_size.cy;
    int s = h / 9;
    int l = m_rect.left, t = m_rect.top, r = m_rect.right, b = m_rect.bottom;
    dc->MoveTo(l + 1, t + h / 2);
    dc->LineTo(l + s, t + h / 2);
    dc->LineTo(l + 2 * s, b - 1);
    dc->LineTo(l + 3 * s, t + 1);
    dc->LineTo(r - 1, t + 1);
    dc->LineTo(r - 1, t + m.cy / 6);
}

// The argument in the brackets atom's frame, trimmed on the way.
std::string CEqRoot::ToText() {
    m_pRow->Trim();
    return " sqrt" + BracketedText(m_pRow.get());
}
