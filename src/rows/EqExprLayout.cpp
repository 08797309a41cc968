// Row layout, placement, drawing with bold words, caret and selection
// rectangles, and mouse hit tests.
#include <algorithm>

#include "elements/EqAtom.h"
#include "elements/EqOwner.h"
#include "platform/DC.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"

void CEqExpr::CalcSize() {
    for (const auto& atom : m_atoms)
        atom->CalcSize();
    if (m_atoms.empty()) {
        m_size = SIZE{};
        m_ptAnchor = POINT{};
        return;
    }
    // Summed in 64 bits and bounded to kMaxCoordinate: atoms that keep a
    // stored size may hold anything an image held, and compound atoms add
    // their rows' extents level by level.
    int64_t width = m_atoms[0]->m_size.cx;
    int64_t ascent = m_atoms[0]->m_ptAnchor.y;
    int64_t descent = int64_t{m_atoms[0]->m_size.cy} - ascent;
    for (size_t i = 1; i < m_atoms.size(); ++i) {
        const CEqAtom* a = m_atoms[i].get();
        width = ClampCoordinate(width + a->m_size.cx);
        descent = ClampCoordinate(std::max(descent, int64_t{a->m_size.cy} - a->m_ptAnchor.y));
        ascent = std::max<int64_t>(ascent, a->m_ptAnchor.y);
    }
    m_size.cx = ClampCoordinate(width);
    m_ptAnchor.y = ClampCoordinate(ascent);
    m_size.cy = ClampCoordinate(m_ptAnchor.y + descent);
    m_ptAnchor.x = m_atoms.size() > 1 ? m_size.cx / 2 : ClampCoordinate(m_atoms[0]->m_ptAnchor.x);
}

void CEqExpr::Redraw(int x, int y, int hAlign, int vAlign) {
    CEqObject::Redraw(x, y, hAlign, vAlign);
    for (const auto& atom : m_atoms) {
        atom->Redraw(x, y + m_ptAnchor.y, 1, 0);
        x = ClampCoordinate(int64_t{x} + atom->m_size.cx);
    }
}

void CEqExpr::Draw() {
    if (!IsVisible())
        return;
    CEqWindow* wnd = Window();
    CDC* dc = wnd->m_pDC;
    int i = 0;
    while (i < GetCount()) {
        int n = MatchKeyword(i, false);
        if (n == 0)
            n = MatchName(i);
        if (n == 0)
            n = MatchFunction(i);
        if (n <= 0) {
            m_atoms[static_cast<size_t>(i)]->Draw();
            ++i;
            continue;
        }
        CFont* previous = dc->SelectObject(&wnd->m_fontBold);
        if (previous == &wnd->m_fontSmall)
            dc->SelectObject(&wnd->m_fontSmallBold);
        for (int k = i; k < i + n && k < GetCount(); ++k)
            m_atoms[static_cast<size_t>(k)]->Draw();
        dc->SelectObject(previous);
        i += n;
    }
}

void CEqExpr::GetCaretRect(RECT* r) const {
    if (!r)
        return;
    *r = RECT{};
    const CEqAtom* atom =
        m_pOwner ? GetAt(std::clamp(m_pOwner->CaretPos(), 0, GetCount() - 1)) : GetAt(0);
    if (!atom)
        return;
    r->left = atom->m_rect.left;
    if (GetCount() == 1)
        r->left += 1;
    r->top = m_rect.top;
    r->bottom = m_rect.bottom;
    r->right = r->left + 1;
    if (r->top == 0 && r->bottom == 0)
        *r = RECT{};
}

void CEqExpr::GetSelectionRect(RECT* r) const {
    if (!r)
        return;
    *r = RECT{};
    int lo = 0;
    int hi = 0;
    SelectionBounds(&lo, &hi);
    const CEqAtom* first = GetAt(lo);
    if (!first)
        return;
    *r = first->m_rect;
    r->right = r->left;
    for (int i = lo; i < hi; ++i) {
        const RECT& a = m_atoms[static_cast<size_t>(i)]->m_rect;
        r->right = a.right;
        r->top = std::min(r->top, a.top);
        r->bottom = std::max(r->bottom, a.bottom);
    }
}

int CEqExpr::CaretPosAt(const POINT* pt, int index) const {
    const CEqAtom* atom = GetAt(index);
    if (!atom || !pt)
        return std::clamp(index, 0, std::max(GetCount() - 1, 0));
    if (pt->x < atom->m_rect.left + atom->m_ptAnchor.x)
        return index;
    return index == GetCount() - 1 ? index : index + 1;
}

bool CEqExpr::HitTest(POINT* pt) {
    if (!pt || !m_pOwner)
        return false;
    ClampPoint(pt);
    if (!PtInRect(m_rect, *pt))
        return false;
    for (int i = 0; i < GetCount(); ++i) {
        CEqAtom* atom = m_atoms[static_cast<size_t>(i)].get();
        atom->ClampPoint(pt);
        if (!PtInRect(atom->m_rect, *pt))
            continue;
        if (!atom->HitTest(pt))
            m_pOwner->SetCaret(this, CaretPosAt(pt, i));
        return true;
    }
    return false;
}

bool CEqExpr::HitTestRange(POINT* from, POINT* to) {
    if (!from || !to || !m_pOwner)
        return false;
    ClampPoint(from);
    if (!PtInRect(m_rect, *from))
        return false;
    ClampPoint(to);
    if (!PtInRect(m_rect, *to))
        return false;
    int a = -1;
    int b = -1;
    for (int i = 0; i < GetCount(); ++i) {
        CEqAtom* atom = m_atoms[static_cast<size_t>(i)].get();
        atom->ClampPoint(from);
        bool fromIn = PtInRect(atom->m_rect, *from);
        atom->ClampPoint(to);
        bool toIn = PtInRect(atom->m_rect, *to);
        if (fromIn && toIn && atom->HitTestRange(from, to))
            return true;
        if (fromIn)
            b = CaretPosAt(from, i);
        if (toIn)
            a = CaretPosAt(to, i);
    }
    if (a < 0 || b < 0)
        return false;
    m_pOwner->SetSelection(this, b, a);
    return true;
}
