#include "elements/EqEmpty.h"

#include "elements/EqOwner.h"
#include "platform/DC.h"
#include "platform/EqWindow.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqEmpty)

std::unique_ptr<CEqAtom> CEqEmpty::Clone() const {
    auto copy = std::make_unique<CEqEmpty>();
    CopyBaseTo(copy.get());
    return copy;
}

void CEqEmpty::SetPlaceholder(bool show) {
    if (!DC()) {
        m_size.cx = show ? 0 : kCollapsedWidth;
        return;
    }
    SIZE m = MeasureM();
    m_size = show ? m : SIZE{kCollapsedWidth, m.cy};
    m_ptAnchor = POINT{m_size.cx / 2, m_size.cy / 2};
}

void CEqEmpty::CalcSize() {
    SIZE m = MeasureM();
    m_size = IsCollapsed() ? SIZE{kCollapsedWidth, m.cy} : m;
    m_ptAnchor = POINT{m_size.cx / 2, m_size.cy / 2};
}

void CEqEmpty::Draw() {
    if (!IsVisible() || IsCollapsed())
        return;
    CDC* dc = DC();
    CPen pen(PS_DOT, 1, dc->GetSysColor(COLOR_WINDOWTEXT));
    CPen* old = dc->SelectObject(&pen);
    dc->Rectangle(m_rect);
    dc->SelectObject(old);
}
