#include "elements/EqObject.h"

#include "elements/EqOwner.h"
#include "platform/Archive.h"
#include "platform/EqWindow.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqObject)

void CEqObject::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        const int32_t fields[8] = {m_size.cx,   m_size.cy,  m_ptAnchor.x, m_ptAnchor.y,
                                   m_rect.left, m_rect.top, m_rect.right, m_rect.bottom};
        for (int32_t x : fields)
            ar << x;
        return;
    }
    int32_t v[8];
    for (int32_t& x : v)
        ar >> x;
    m_size = SIZE{v[0], v[1]};
    m_ptAnchor = POINT{v[2], v[3]};
    m_rect = RECT{v[4], v[5], v[6], v[7]};
}

void CEqObject::SetOwner(CEqOwner* owner) {
    m_pOwner = owner;
}

bool CEqObject::Redraw(int& x, int& y, int hAlign, int vAlign) {
    switch (hAlign) {
    case 0:
        x -= m_ptAnchor.x;
        break;
    case 1:
        break;
    case 2:
        x -= m_size.cx;
        break;
    default:
        if (CEqWindow* wnd = Window())
            wnd->MessageBox("Invalid horizontal alignment parameter in Redraw()");
        break;
    }
    switch (vAlign) {
    case 0:
        y -= m_ptAnchor.y;
        break;
    case 3:
        break;
    case 4:
        y -= m_size.cy;
        break;
    default:
        if (CEqWindow* wnd = Window())
            wnd->MessageBox("Invalid vertical alignment parameter in Redraw()");
        break;
    }
    RECT box{x, y, x + m_size.cx, y + m_size.cy};
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
