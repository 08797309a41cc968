#include "elements/EqAtom.h"

#include <algorithm>
#include <memory>

#include "elements/EqEmpty.h"
#include "elements/EqOwner.h"
#include "elements/EqSymbol.h"
#include "platform/DC.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqAtom)

void CEqAtom::ClampPoint(POINT* pt) {
    if (!pt || pt->x < m_rect.left || pt->x >= m_rect.right)
        return;
    if (pt->y < m_rect.top)
        pt->y = m_rect.top;
    else if (pt->y >= m_rect.bottom)
        pt->y = m_rect.bottom - 1;
}

void CEqAtom::CalcSize() {
    // At least a pixel each way, so that a click or a caret can find it.
    m_size =
        SIZE{std::clamp(m_size.cx, 1, kMaxPlainExtent), std::clamp(m_size.cy, 1, kMaxPlainExtent)};
    m_ptAnchor =
        POINT{std::clamp(m_ptAnchor.x, 0, m_size.cx), std::clamp(m_ptAnchor.y, 0, m_size.cy)};
}

std::unique_ptr<CEqAtom> CEqAtom::Clone() const {
    auto copy = std::make_unique<CEqAtom>();
    CopyBaseTo(copy.get());
    return copy;
}

void CEqAtom::Redraw(int x, int y, int hAlign, int vAlign) {
    if (!CEqObject::Redraw(x, y, hAlign, vAlign))
        EraseInvalid();
}

std::string CEqAtom::PeekText() const {
    // The copy has no owner, so trimming it neither erases the original's
    // boxes on the screen nor touches the caret.
    std::unique_ptr<CEqAtom> copy(Clone());
    copy->SetOwner(nullptr);
    return copy->ToText();
}

void CEqAtom::CopyBaseTo(CEqAtom* copy) const {
    copy->m_pOwner = m_pOwner;
    copy->m_size = m_size;
    copy->m_ptAnchor = m_ptAnchor;
    copy->m_rect = m_rect;
    copy->m_pParent = m_pParent;
}

void CEqAtom::EraseInvalid() {
    if (!m_pOwner || IsRectEmpty(m_pOwner->Invalid())) // an atom placed for the first time
        return;
    CDC* dc = DC();
    if (dc)
        dc->FillSolidRect(m_pOwner->Invalid(), dc->GetBkColor());
}
