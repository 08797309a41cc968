#include "elements/EqObject.h"

#include "elements/EqOwner.h"
#include "platform/Archive.h"
#include "platform/EqWindow.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqObject)

// Geometry is bounded both ways: a block from another program may hold any
// values, and whatever is stored loads back as the same bytes.
void CEqObject::Serialize(CArchive& ar) {
    int32_t* fields[8] = {&m_size.cx,   &m_size.cy,  &m_ptAnchor.x, &m_ptAnchor.y,
                          &m_rect.left, &m_rect.top, &m_rect.right, &m_rect.bottom};
    for (int32_t* field : fields) {
        if (ar.IsStoring()) {
            ar << ClampCoordinate(*field);
        } else {
            ar >> *field;
            *field = ClampCoordinate(*field);
        }
    }
}

void CEqObject::SetOwner(CEqOwner* owner) {
    m_pOwner = owner;
}

bool CEqObject::Redraw(int& x, int& y, int hAlign, int vAlign) {
    switch (hAlign) {
    case 0:
        x = ClampCoordinate(int64_t{x} - m_ptAnchor.x);
        break;
    case 1:
        break;
    case 2:
        x = ClampCoordinate(int64_t{x} - m_size.cx);
        break;
    default:
        if (CEqWindow* wnd = Window())
            wnd->MessageBox("Invalid horizontal alignment parameter in Redraw()");
        break;
    }
    switch (vAlign) {
    case 0:
        y = ClampCoordinate(int64_t{y} - m_ptAnchor.y);
        break;
    case 3:
        break;
    case 4:
        y = ClampCoordinate(int64_t{y} - m_size.cy);
        break;
    default:
        if (CEqWindow* wnd = Window())
            wnd->MessageBox("Invalid vertical alignment parameter in Redraw()");
        break;
    }
    // Positions saturate, so nested atoms never carry a sum past the bound.
    x = ClampCoordinate(x);
    y = ClampCoordinate(y);
    RECT box{x, y, ClampCoordinate(int64_t{x} + m_size.cx),
             ClampCoordinate(int64_t{y} + m_size.cy)};
    if (EqualRect(box, m_rect))
        return true;
    if (m_pOwner)
        m_pOwner->SetInvalid(m_rect);
    m_rect = box;
    return false;
}

bool CEqObject::IsVisible() const {
    CEqWindow* wnd = Window();
    if (!wnd)
        return false;
    const RECT& c = wnd->m_rcClient;
    return m_rect.left < c.right && m_rect.right >= c.left && m_rect.top < c.bottom &&
           m_rect.bottom >= c.top;
}

CEqWindow* CEqObject::Window() const {
    return m_pOwner ? m_pOwner->Window() : nullptr;
}

CDC* CEqObject::DC() const {
    CEqWindow* wnd = Window();
    return wnd ? wnd->m_pDC : nullptr;
}

SIZE CEqObject::MeasureM() const {
    CDC* dc = DC();
    return dc ? dc->GetTextExtent("M") : SIZE{};
}
