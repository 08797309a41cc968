// Rows kept as the lines they were loaded from until something needs their
// trees: a large model holds its lines, and trees only for the rows seen or
// edited. The layout measures and places a latent row through a tree built
// for the moment and remembers what it did (LatentRow).
#include <memory>

#include "editor/VexlorData.h"
#include "rows/EqExpr.h"
#include "rows/TextScanner.h"

CEqExpr* RowList::operator[](size_t i) const {
    return m_data.RowAt(static_cast<int>(i));
}

CEqExpr* CVexlorData::RowAt(int i) const {
    RowSlot& slot = m_rows[static_cast<size_t>(i)];
    if (slot.latent) {
        slot.tree = BuildOwned(*slot.latent);
        slot.tree->m_bMeasured = slot.latent->measured;
        slot.latent.reset();
    }
    return slot.tree.get();
}

// Takes the steps the row went through again, in their order, through the
// quiet owner: their effects on the document and the screen are past.
std::unique_ptr<CEqExpr> CVexlorData::BuildLatent(const LatentRow& latent) const {
    TextScanner scanner;
    std::unique_ptr<CEqExpr> tree(scanner.ParseRow(latent.text, &m_quiet));
    if (latent.sized)
        tree->CalcSize();
    if (latent.placed)
        tree->Redraw(latent.at.x, latent.at.y, 1, 3);
    if (latent.offset.x || latent.offset.y)
        OffsetTree(*tree, latent.offset.x, latent.offset.y);
    return tree;
}

std::unique_ptr<CEqExpr> CVexlorData::BuildOwned(const LatentRow& latent) const {
    std::unique_ptr<CEqExpr> tree = BuildLatent(latent);
    tree->SetOwner(const_cast<CVexlorData*>(this));
    return tree;
}

const RECT& CVexlorData::RowBox(int i) const {
    const RowSlot& slot = m_rows[static_cast<size_t>(i)];
    return slot.latent ? slot.latent->rect : slot.tree->m_rect;
}

void CVexlorData::VisitRows(const std::function<void(const CEqExpr&)>& visit) const {
    for (const RowSlot& slot : m_rows)
        visit(slot.latent ? *BuildLatent(*slot.latent) : *slot.tree);
}

std::vector<RECT> CVexlorData::RowBoxes() const {
    PlaceAll();
    std::vector<RECT> boxes;
    boxes.reserve(m_rows.size());
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i)
        boxes.push_back(RowBox(i));
    return boxes;
}

void CVexlorData::OffsetRow(int i, int dx, int dy) const {
    RowSlot& slot = m_rows[static_cast<size_t>(i)];
    if (slot.latent)
        slot.latent->Move(dx, dy);
    else
        OffsetTree(*slot.tree, dx, dy);
}

bool CVexlorData::MayHit(size_t i, POINT* pt) const {
    const LatentRow* latent = m_rows[i].latent.get();
    if (!latent)
        return true;
    CEqExpr::ClampPointTo(latent->rect, pt);
    return PtInRect(latent->rect, *pt);
}

void CVexlorData::SetWholeModel(bool whole) {
    m_bWholeModel = whole;
    if (whole)
        for (size_t i = 0; i < m_rows.size(); ++i)
            RowAt(static_cast<int>(i));
}

size_t CVexlorData::LatentCount() const {
    size_t n = 0;
    for (const RowSlot& slot : m_rows)
        n += slot.latent ? 1 : 0;
    return n;
}
