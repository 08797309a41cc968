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

void CVexlorData::RowChanged(int i) {
    if (i < 0 || i >= static_cast<int>(m_rows.size()))
        return;
    // A row laid out before comes to its place first, so that its redraw
    // starts from where a whole layout would have kept it.
    CEqExpr* row = RowAt(i);
    if (row->m_bMeasured)
        PlaceRow(i);
    row->m_bMeasured = false;
    RowReplaced(i);
}

void CVexlorData::RowsInserted(int i, int count) {
    if (count <= 0)
        return;
    if (i < 0 || i > m_nTopsValid) {
        RowsMovedFrom(i);
        return;
    }
    // 1. The tops of the rows from i on stay invalid until the next layout,
    //    as when they are read again.
    m_extents.Insert(i, count);
    m_nTopsValid += count;
    for (int& dirty : m_dirtyRows)
        if (dirty >= i)
            dirty += count;
    m_nFirstDirty = std::min(m_nFirstDirty, i);
    // 2. The new rows are measured then, as rows changed in place are.
    for (int k = i; k < i + count; ++k)
        RowReplaced(k);
}

void CVexlorData::RowsErased(int i, int count) {
    if (count <= 0)
        return;
    if (i < 0 || i + count > m_nTopsValid) {
        RowsMovedFrom(i);
        return;
    }
    m_extents.Erase(i, count);
    m_nTopsValid -= count;
    std::erase_if(m_dirtyRows, [&](int dirty) { return dirty >= i && dirty < i + count; });
    for (int& dirty : m_dirtyRows)
        if (dirty >= i + count)
            dirty -= count;
    m_nFirstDirty = std::min(m_nFirstDirty, i);
    m_bArranged = false;
}

void CVexlorData::MeasureRow(int i, std::vector<int>* remeasured, bool bPull) {
    RowSlot& slot = m_rows[static_cast<size_t>(i)];
    if (LatentRow* latent = slot.latent.get(); latent && !latent->measured) {
        // Measured through a tree of the moment, kept for the redraw that
        // may follow.
        m_pBuilt = BuildLatent(*latent);
        m_nBuilt = i;
        m_pBuilt->CalcSize();
        latent->sized = latent->measured = true;
        latent->size = m_pBuilt->m_size;
        latent->rect = m_pBuilt->m_rect;
        if (m_bTextsWhenMeasured && !latent->textKnown)
            KeepLatentText(latent, *m_pBuilt);
        remeasured->push_back(i);
    } else if (!slot.latent && !slot.tree->m_bMeasured) {
        slot.tree->CalcSize();
        slot.tree->m_bMeasured = true;
        remeasured->push_back(i);
    }
    // Tops and widths saturate at kMaxCoordinate however many rows there are.
    SIZE size = slot.latent ? slot.latent->size : slot.tree->m_size;
    int64_t step = int64_t{size.cy} + m_sizeM.cy / 2;
    int32_t width = ClampCoordinate(int64_t{size.cx} + m_sizeM.cx / 2);
    if (bPull)
        m_extents.Set(i, step, width);
    else
        m_extents.SetLeaf(i, step, width);
}

void CVexlorData::UpdateTops(SIZE m, std::vector<int>* remeasured, bool bPlace) {
    m_sizeM = m;
    int n = static_cast<int>(m_rows.size());
    int from = std::min(m_nTopsValid, n);
    m_extents.Resize(n);
    // 1. Rows changed in place before the first row that moved: one leaf
    //    and the sums above it each, in order.
    std::sort(m_dirtyRows.begin(), m_dirtyRows.end());
    m_dirtyRows.erase(std::unique(m_dirtyRows.begin(), m_dirtyRows.end()), m_dirtyRows.end());
    for (int i : m_dirtyRows)
        if (i >= 0 && i < from)
            MeasureRow(i, remeasured, true);
    m_pBuilt.reset(); // the trees of the moment serve only the redraw right after
    m_dirtyRows.clear();
    m_nFirstDirty = INT_MAX;
    // 2. The rows from there on: leaf by leaf while they are few, else all
    //    leaves and then every sum once.
    int depth = 1;
    while ((1 << depth) < n)
        ++depth;
    bool few = static_cast<int64_t>(n - from) * depth < n;
    int64_t stepsBefore = 0; // the steps above row i; bPlace comes only with from == 0
    for (int i = from; i < n; ++i) {
        size_t measured = remeasured->size();
        MeasureRow(i, remeasured, few);
        if (bPlace && i != n - 1 && remeasured->size() > measured)
            RedrawRowAt(i, ClampCoordinate(m_sizeM.cy / 2 + stepsBefore));
        m_pBuilt.reset();
        stepsBefore += m_extents.Step(i);
    }
    if (!few)
        m_extents.Rebuild();
    m_nTopsValid = n;
}

int CVexlorData::TopOf(int i) const {
    return ClampCoordinate(m_sizeM.cy / 2 + m_extents.StepsBefore(i));
}

void CVexlorData::PlaceRow(int i) const {
    if (i < 0 || i >= RowsWithValidTops())
        return;
    const RECT& box = RowBox(i);
    int dx = m_sizeM.cx / 2 - m_ptScroll.x - box.left;
    int dy = TopOf(i) - m_ptScroll.y - box.top;
    if (dx || dy)
        OffsetRow(i, dx, dy);
}

void CVexlorData::PlaceAll() const {
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i)
        PlaceRow(i);
}

void CVexlorData::RedrawRow(int i) {
    RedrawRowAt(i, TopOf(i));
}

void CVexlorData::RedrawRowAt(int i, int top) {
    POINT at{m_sizeM.cx / 2 - m_ptScroll.x, top - m_ptScroll.y};
    LatentRow* latent = m_rows[static_cast<size_t>(i)].latent.get();
    if (!latent) {
        RowAt(i)->Redraw(at.x, at.y, 1, 3);
        return;
    }
    // 1. Laid out for the first time, a latent row only notes where it went:
    //    the boxes of a tree just measured are all empty, so laying it out
    //    would erase nothing and leave the invalid rectangle empty.
    if (latent->sized && !latent->placed && latent->offset.x == 0 && latent->offset.y == 0) {
        RECT box = CEqObject::BoxAt(at, latent->size);
        if (!EqualRect(box, RECT{})) {
            SetInvalid(RECT{});
            latent->Placed(at, box);
            return;
        }
    }
    // 2. Otherwise it is laid out through a tree of the moment, owned by the
    //    document for this step: the old boxes it leaves are erased as a
    //    kept tree's would be.
    std::unique_ptr<CEqExpr> tree =
        m_nBuilt == i && m_pBuilt ? std::move(m_pBuilt) : BuildLatent(*latent);
    tree->SetOwner(this); // the tree MeasureRow built has the quiet owner
    tree->Redraw(at.x, at.y, 1, 3);
    latent->Placed(at, tree->m_rect);
}

int CVexlorData::FirstRowReaching(int y) const {
    // Row i ends where row i+1 starts, less the gap; any row whose next top
    // lies beyond y reaches it. Tops saturate at the bound.
    if (y >= kMaxCoordinate)
        return m_extents.Count();
    return m_extents.RowsWithin(int64_t{y} - m_sizeM.cy / 2);
}

// Produces what measuring and placing every row would, visiting only rows
// that changed, the rows in the window, the current row and its
// neighbours, and the last row (whose redraw leaves the invalid rectangle
// as a whole layout would).
void CVexlorData::Arrange() {
    if (!m_pWnd || !m_pWnd->m_pDC)
        return;
    int n = static_cast<int>(m_rows.size());
    // 1. Other fonts, or rows removed behind our back: all anew.
    SIZE m = MeasureM(m_pWnd);
    if (m_bWholeModel || m.cx != m_sizeM.cx || m.cy != m_sizeM.cy || m_nTopsValid > n) {
        // A latent row measured in another font is built afresh: the boxes
        // of its old layout are not erased on the way, as the window is
        // painted anew after a change of font anyway.
        bool otherFont = m.cx != m_sizeM.cx || m.cy != m_sizeM.cy;
        for (RowSlot& slot : m_rows) {
            if (!slot.latent)
                slot.tree->m_bMeasured = false;
            else if (otherFont)
                slot.latent->Forget();
            else
                slot.latent->measured = false;
        }
        m_nTopsValid = 0;
        m_sizeM = m;
    }
    // 2. The rows edits may have changed since the last layout (the row
    //    laid out was a tree: a latent row in its place is another row).
    if (m_pLaidOutRow && m_nLaidOutRow >= 0 && m_nLaidOutRow < n &&
        m_rows[static_cast<size_t>(m_nLaidOutRow)].tree.get() == m_pLaidOutRow)
        RowChanged(m_nLaidOutRow);
    RowChanged(m_nCurRow);
    // 3. Sizes, tops and the total size. A view at the origin stays there
    //    whatever the total size, so when every row is measured anew, each
    //    is also laid out while its atoms are fresh in the cache: step 4
    //    would lay it out at the same place, in the same order.
    bool placeEarly = m_nTopsValid == 0 && m_ptScroll.x == 0 && m_ptScroll.y == 0;
    std::vector<int> remeasured;
    UpdateTops(m, &remeasured, placeEarly);
    m_sizeTotal = SIZE{std::max(m.cx / 2, m_extents.MaxWidth()), TopOf(n)};
    UpdateScrollBars();
    // 4. Rows whose boxes may change, in order; the last row last.
    if (!placeEarly)
        for (int i : remeasured)
            if (i != n - 1)
                RedrawRow(i);
    // The last row is laid out at every layout, so it is kept as a tree.
    if (n > 0) {
        RowAt(n - 1);
        RedrawRow(n - 1);
    }
    for (int i : {m_nCurRow - 1, m_nCurRow, m_nCurRow + 1, n - 2})
        PlaceRow(i);
    m_nLaidOutRow = m_nCurRow;
    m_pLaidOutRow = m_nCurRow >= 0 && m_nCurRow < n ? RowAt(m_nCurRow) : nullptr;
    m_bArranged = true;
    m_nArrangedRows = n;
    m_ptArranged = m_ptScroll;
    m_rcArrangedClient = m_pWnd->m_rcClient;
    ++m_nArranges;
}

bool CVexlorData::IsArranged() const {
    int n = static_cast<int>(m_rows.size());
    const CEqExpr* current = m_nCurRow >= 0 && m_nCurRow < n ? RowAt(m_nCurRow) : nullptr;
    return m_bArranged && !m_bWholeModel && m_pWnd && n == m_nArrangedRows && m_nTopsValid == n &&
           m_dirtyRows.empty() && m_nLaidOutRow == m_nCurRow && m_pLaidOutRow == current &&
           EqualRect(m_pWnd->m_rcClient, m_rcArrangedClient);
}

// With nothing changed, Arrange would measure the current row to the size
// it has, so its redraw after placing it moves nothing; what remains is
// placing the rows it places and redrawing the last row, whose redraw
// leaves the invalid rectangle.
void CVexlorData::ArrangeView() {
    if (!IsArranged() || !m_pWnd->m_pDC) {
        Arrange();
        return;
    }
    int n = static_cast<int>(m_rows.size());
    PlaceRow(m_nCurRow);
    UpdateScrollBars();
    // The last row is laid out at every layout, so it is kept as a tree.
    if (n > 0) {
        RowAt(n - 1);
        RedrawRow(n - 1);
    }
    for (int i : {m_nCurRow - 1, m_nCurRow, m_nCurRow + 1, n - 2})
        PlaceRow(i);
    m_ptArranged = m_ptScroll;
}

void CVexlorData::Layout() {
    Arrange();
    if (m_pWnd)
        DrawRows(m_pWnd->m_rcClient);
}

// A row's ink may pass its box a little: rows within a line of area are
// drawn too.
void CVexlorData::DrawRows(const RECT& area) {
    if (!m_pWnd || !m_pWnd->m_pDC)
        return;
    int n = RowsWithValidTops();
    if (n <= 0 || m_extents.Count() < n)
        return;
    const RECT& client = m_pWnd->m_rcClient;
    int top = std::max(area.top - std::max(m_sizeM.cy, 0), client.top);
    int bottom = std::min(area.bottom + std::max(m_sizeM.cy, 0), client.bottom);
    for (int i = FirstRowReaching(top + m_ptScroll.y - 1);
         i < n && TopOf(i) - m_ptScroll.y < bottom; ++i) {
        PlaceRow(i);
        if (const LatentRow* latent = m_rows[static_cast<size_t>(i)].latent.get();
            latent && m_bDrawingApart) {
            BuildOwned(*latent)->Draw();
            continue;
        }
        RowAt(i)->Draw();
    }
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
    SetScroll(m_ptScroll);
    Arrange();
}

void CVexlorData::UpdateCaret(bool bLayout, bool bScroll) {
    UpdateCaretWith(bLayout ? &CVexlorData::Arrange : nullptr, bScroll);
}

void CVexlorData::Scrolled() {
    UpdateCaretWith(&CVexlorData::ArrangeView, false);
}

void CVexlorData::UpdateCaretWith(void (CVexlorData::*arrange)(), bool bScroll) {
    bool bLayout = arrange != nullptr;
    if (!m_pWnd || !m_pCurRow) {
        m_bChanged = false;
        return;
    }
    if (m_pWnd->HasFocus())
        m_pWnd->DestroyCaret();
    if (bLayout) {
        InvertRect(m_rcSel);
        (this->*arrange)();
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
