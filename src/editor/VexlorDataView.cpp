// Layout of all rows, scroll bars, scrolling the caret into view, the
// selection highlight and the caret.
#include <algorithm>

#include "editor/VexlorData.h"
#include "elements/EqAtom.h"
#include "platform/DC.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"

namespace {
SIZE MeasureM(CEqWindow* wnd) {
    return wnd && wnd->m_pDC ? wnd->m_pDC->GetTextExtent("M") : SIZE{};
}

bool Fits(const RECT& r, int w, int h) {
    return RectWidth(r) <= w && RectHeight(r) <= h;
}

bool StrictlyInside(const RECT& r, const RECT& c) {
    return r.left > c.left && r.top > c.top && r.right < c.right && r.bottom < c.bottom;
}
} // namespace

void CVexlorData::Layout() {
    if (!m_pWnd || !m_pWnd->m_pDC)
        return;
    SIZE m = MeasureM(m_pWnd);
    m_sizeTotal = SIZE{m.cx / 2, m.cy / 2};
    // Extents saturate at kMaxCoordinate however many rows there are.
    for (CEqExpr* row : m_rows) {
        row->CalcSize();
        if (row->m_size.cx + m.cx / 2 >= m_sizeTotal.cx)
            m_sizeTotal.cx = ClampCoordinate(int64_t{row->m_size.cx} + m.cx / 2);
        m_sizeTotal.cy = ClampCoordinate(int64_t{m_sizeTotal.cy} + row->m_size.cy + m.cy / 2);
    }
    UpdateScrollBars();
    int x = m.cx / 2;
    int y = m.cy / 2;
    for (CEqExpr* row : m_rows) {
        row->Redraw(x - m_ptScroll.x, y - m_ptScroll.y, 1, 3);
        y = ClampCoordinate(int64_t{y} + row->m_size.cy + m.cy / 2);
    }
    for (CEqExpr* row : m_rows)
        row->Draw();
}

void CVexlorData::UpdateScrollBars() {
    if (!m_pWnd)
        return;
    int w = RectWidth(m_pWnd->m_rcClient);
    int h = RectHeight(m_pWnd->m_rcClient);
    if (w >= m_sizeTotal.cx)
        m_ptScroll.x = 0;
    else if (m_sizeTotal.cx - w + 1 < m_ptScroll.x)
        m_ptScroll.x = m_sizeTotal.cx - w + 1;
    if (h >= m_sizeTotal.cy)
        m_ptScroll.y = 0;
    else if (m_sizeTotal.cy - h + 1 < m_ptScroll.y)
        m_ptScroll.y = m_sizeTotal.cy - h + 1;
    m_pWnd->SetScrollInfo(SB_HORZ, SCROLLINFO{0, m_sizeTotal.cx,
                                              static_cast<unsigned>(std::max(w, 0)), m_ptScroll.x});
    m_pWnd->SetScrollInfo(SB_VERT, SCROLLINFO{0, m_sizeTotal.cy,
                                              static_cast<unsigned>(std::max(h, 0)), m_ptScroll.y});
}

// The largest enclosing row or atom around the caret that fits the window.
RECT CVexlorData::ScrollTarget() const {
    RECT target{};
    m_pCurRow->GetCaretRect(&target);
    int w = RectWidth(m_pWnd->m_rcClient);
    int h = RectHeight(m_pWnd->m_rcClient);
    const CEqExpr* row = m_pCurRow;
    while (row && Fits(row->m_rect, w, h)) {
        target = row->m_rect;
        const CEqAtom* atom = row->m_pOwnerAtom;
        if (!atom || !Fits(atom->m_rect, w, h))
            break;
        target = atom->m_rect;
        row = atom->m_pParent;
    }
    return target;
}

void CVexlorData::ScrollTo(const RECT& visible) {
    int w = RectWidth(m_pWnd->m_rcClient);
    int h = RectHeight(m_pWnd->m_rcClient);
    SIZE m = MeasureM(m_pWnd);
    RECT target = visible;
    OffsetRect(target, m_ptScroll.x, m_ptScroll.y);
    if (m_ptScroll.x < target.left) {
        if (target.right >= m_ptScroll.x + w)
            m_ptScroll.x = target.right - w + 1;
    } else {
        m_ptScroll.x = target.left - m.cx / 2;
    }
    if (m_ptScroll.y < target.top) {
        if (target.bottom >= m_ptScroll.y + h)
            m_ptScroll.y = target.bottom - h + 1;
    } else {
        m_ptScroll.y = target.top - m.cy;
    }
    Layout();
}

void CVexlorData::UpdateCaret(bool bLayout, bool bScroll) {
    if (!m_pWnd || !m_pCurRow) {
        m_bChanged = false;
        return;
    }
    if (m_pWnd->HasFocus())
        m_pWnd->DestroyCaret();
    if (bLayout) {
        InvertRect(m_rcSel);
        Layout();
        RECT target = ScrollTarget();
        if (bScroll && !StrictlyInside(target, m_pWnd->m_rcClient))
            ScrollTo(target);
    }
    RECT sel{};
    m_pCurRow->GetSelectionRect(&sel);
    if (bLayout) {
        m_rcSel = sel;
        InvertRect(m_rcSel);
    } else if (!EqualRect(sel, m_rcSel)) {
        InvertRect(m_rcSel);
        m_rcSel = sel;
        InvertRect(m_rcSel);
    }
    PlaceCaret();
    m_bChanged = false;
}

void CVexlorData::PlaceCaret() {
    if (!m_pWnd || !m_pWnd->HasFocus())
        return;
    m_pWnd->DestroyCaret();
    RECT r = GetCaretRect();
    m_pWnd->CreateCaret(1, RectHeight(r));
    m_pWnd->SetCaretPos(POINT{r.left, r.top});
    m_pWnd->ShowCaret();
}

void CVexlorData::InvertRect(const RECT& r) {
    if (m_pWnd && m_pWnd->m_pDC)
        m_pWnd->m_pDC->InvertRect(r);
}
