#include "atoms/EqPowIndex.h"

#include <algorithm>

#include "atoms/CompoundRows.h"
#include "atoms/EqIndex.h"
#include "elements/EqOwner.h"
#include "platform/DC.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqPowIndex)

CEqPowIndex::CEqPowIndex() : m_pBase(new CEqExpr), m_pLow(new CEqExpr), m_pHigh(new CEqExpr) {}

void CEqPowIndex::SetRows(CEqExpr* base, CEqExpr* low, CEqExpr* high) {
    CompoundRows::Adopt(this, m_pBase, base ? base : CEqIndex::EmptyRow(m_pOwner));
    CompoundRows::Adopt(this, m_pLow, low ? low : CEqIndex::EmptyRow(m_pOwner));
    CompoundRows::Adopt(this, m_pHigh, high ? high : CEqIndex::EmptyRow(m_pOwner));
}

int CEqPowIndex::Compose() {
    int formed = m_pLow->Compose();
    formed += m_pHigh->Compose();
    return formed + m_pBase->Compose();
}

std::unique_ptr<CEqAtom> CEqPowIndex::Clone() const {
    auto copy = std::make_unique<CEqPowIndex>();
    CopyBaseTo(copy.get());
    copy->SetRows(CompoundRows::CloneRow(m_pBase.get()), CompoundRows::CloneRow(m_pLow.get()),
                  CompoundRows::CloneRow(m_pHigh.get()));
    return copy;
}

CEqExpr* CEqPowIndex::GetRow(int i) const {
    return CompoundRows::RowAt(i, {m_pBase.get(), m_pLow.get(), m_pHigh.get()});
}

bool CEqPowIndex::HitTest(POINT* pt) {
    return HitRowHolding({m_pLow.get(), m_pBase.get(), m_pHigh.get()}, pt) || m_pLow->HitTest(pt) ||
           m_pBase->HitTest(pt) || m_pHigh->HitTest(pt);
}

bool CEqPowIndex::LeaveRow(CEqExpr* row, UINT vk, int i) {
    if (row == m_pBase.get())
        return LeaveBase(vk, i);
    if (row == m_pLow.get())
        return LeaveLow(vk, i);
    if (row == m_pHigh.get())
        return LeaveHigh(vk, i);
    return false;
}

// Right walks base, low, high and out; Left walks back the same way.
bool CEqPowIndex::LeaveBase(UINT vk, int i) {
    switch (vk) {
    case VK_LEFT:
        m_pOwner->SetCaret(m_pParent, i);
        return true;
    case VK_UP:
        m_pOwner->SetCaret(m_pHigh.get(), 0);
        return true;
    case VK_RIGHT:
    case VK_DOWN:
        m_pOwner->SetCaret(m_pLow.get(), 0);
        return true;
    default:
        return false;
    }
}

bool CEqPowIndex::LeaveLow(UINT vk, int) {
    switch (vk) {
    case VK_LEFT:
    case VK_UP:
        CaretToEnd(m_pBase.get());
        return true;
    case VK_RIGHT:
        m_pOwner->SetCaret(m_pHigh.get(), 0);
        return true;
    case VK_DOWN:
        return m_pParent->HandleKey(VK_DOWN);
    default:
        return false;
    }
}

bool CEqPowIndex::LeaveHigh(UINT vk, int i) {
    switch (vk) {
    case VK_LEFT:
    case VK_DOWN:
        CaretToEnd(m_pLow.get());
        return true;
    case VK_UP:
        return m_pParent->HandleKey(VK_UP);
    case VK_RIGHT:
        m_pOwner->SetCaret(m_pParent, i + 1);
        return true;
    default:
        return false;
    }
}

void CEqPowIndex::CalcSize() {
    m_pBase->CalcSize();
    SIZE s;
    {
        CEqIndex::SmallFontScope small(Window());
        m_pLow->CalcSize();
        m_pHigh->CalcSize();
        s = MeasureM();
    }
    SIZE m = MeasureM();
    const int bh = m_pBase->m_size.cy;
    const int ba = m_pBase->m_ptAnchor.y;
    const int lh = m_pLow->m_size.cy;
    const int la = m_pLow->m_ptAnchor.y;
    const int hh = m_pHigh->m_size.cy;
    const int ha = m_pHigh->m_ptAnchor.y;
    const int t = s.cy / 2;
    const int q = t / 2;

    m_size.cx = std::max(m_pLow->m_size.cx, m_pHigh->m_size.cx) + m_pBase->m_size.cx + m.cx / 4 + 1;
    m_ptAnchor.x = m_size.cx / 2;
    // Start from the three rows stacked, then let each index overlap the base.
    m_size.cy = bh + lh + hh - t;
    if (la < bh - ba)
        m_size.cy -= la;
    else
        m_size.cy -= bh - ba - 3;
    if (ba > hh - ha) {
        m_size.cy += ha - hh;
        m_ptAnchor.y = ba - q + ha;
    } else {
        m_size.cy += 3 - ba;
        m_ptAnchor.y = hh - q + 3;
    }
}

void CEqPowIndex::Redraw(int x, int y, int hAlign, int vAlign) {
    if (!CEqObject::Redraw(x, y, hAlign, vAlign))
        EraseInvalid();
    m_pBase->Redraw(x + 1, y + m_ptAnchor.y, 1, 0);
    SIZE m = MeasureM();
    int c = m_pBase->m_size.cx + m.cx / 4 + 1;
    CEqIndex::SmallFontScope small(Window());
    m_pLow->Redraw(x + c, y + m_size.cy, 1, 4);
    m_pHigh->Redraw(x + c, y, 1, 3);
}

void CEqPowIndex::Draw() {
    if (!IsVisible())
        return;
    m_pBase->Draw();
    CEqIndex::SmallFontScope small(Window());
    m_pLow->Draw();
    m_pHigh->Draw();
}

std::string CEqPowIndex::ToText() {
    m_pBase->Trim();
    m_pLow->Trim();
    m_pHigh->Trim();
    std::string base = CEqIndex::BaseText(m_pBase.get());
    std::string low = CEqIndex::LowText(m_pLow.get());
    return base + "[" + low + "] ** " + CEqIndex::PowerText(m_pHigh.get());
}
