#include "elements/EqObject.h"

#include <string>

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

void CEqObject::BadAlignment(const char* which) const {
    if (CEqWindow* wnd = Window())
        wnd->MessageBox(std::string("Invalid ") + which + " alignment parameter in Redraw()");
}

void CEqObject::Moved(const RECT& box) {
    if (m_pOwner)
        m_pOwner->SetInvalid(m_rect);
    m_rect = box;
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
