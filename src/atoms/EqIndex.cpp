#include "atoms/EqIndex.h"

#include "atoms/CompoundRows.h"
#include "atoms/EqBrackets.h"
#include "atoms/EqDerive.h"
#include "atoms/EqDerive2.h"
#include "atoms/EqFraction.h"
#include "atoms/EqPowIndex.h"
#include "atoms/EqRoot.h"
#include "elements/EqOwner.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqIndex)

namespace {
bool FirstIsBrackets(const CEqExpr* row) {
    return row->GetAt(0)->Is<CEqBrackets>();
}
} // namespace

CEqIndex::SmallFontScope::SmallFontScope(CEqWindow* wnd) : m_pDC(wnd ? wnd->m_pDC : nullptr) {
    if (m_pDC)
        m_pPrevious = m_pDC->SelectObject(&wnd->m_fontSmall);
}

CEqIndex::SmallFontScope::~SmallFontScope() {
    if (m_pDC)
        m_pDC->SelectObject(m_pPrevious);
}

CEqIndex::CEqIndex() : m_pBase(new CEqExpr), m_pIndex(new CEqExpr) {}

CEqExpr* CEqIndex::EmptyRow(CEqOwner* owner) {
    auto* row = new CEqExpr(owner);
    row->Clear();
    return row;
}

void CEqIndex::SetRows(CEqExpr* base, CEqExpr* index) {
    CompoundRows::Adopt(this, m_pBase, base ? base : EmptyRow(m_pOwner));
    CompoundRows::Adopt(this, m_pIndex, index ? index : EmptyRow(m_pOwner));
}

void CEqIndex::Serialize(CArchive& ar) {
    CEqObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(IsHigh() ? 1 : 0);
    } else {
        int32_t high = 0;
        ar >> high;
        // Only the two kinds exist; any other value is a damaged image.
        if (high != 0 && high != 1)
            ar.SetFailed();
        else
            m_bHigh = high;
    }
    SerializeRows(ar);
}

std::unique_ptr<CEqAtom> CEqIndex::Clone() const {
    auto copy = std::make_unique<CEqIndex>();
    CopyBaseTo(copy.get());
    copy->m_bHigh = m_bHigh;
    copy->SetRows(CompoundRows::CloneRow(m_pBase.get()), CompoundRows::CloneRow(m_pIndex.get()));
    return copy;
}

CEqExpr* CEqIndex::GetRow(int i) const {
    return CompoundRows::RowAt(i, {m_pBase.get(), m_pIndex.get()});
}

bool CEqIndex::HitTest(POINT* pt) {
    // The small index of a subscript overlaps the base's lower part, so it
    // gets the first chance there; a power's base is tried first. A row
    // that shows under the point comes before either.
    CEqExpr* first = IsHigh() ? m_pBase.get() : m_pIndex.get();
    CEqExpr* second = IsHigh() ? m_pIndex.get() : m_pBase.get();
    return HitRowHolding({first, second}, pt) || first->HitTest(pt) || second->HitTest(pt);
}

bool CEqIndex::LeaveRow(CEqExpr* row, UINT vk, int i) {
    if (row == m_pBase.get())
        return LeaveBase(vk, i);
    if (row == m_pIndex.get())
        return LeaveIndex(vk, i);
    return false;
}

// Up and Down reach the index only in the direction where it lies; the
// other way they travel on through the parent row.
bool CEqIndex::LeaveBase(UINT vk, int i) {
    switch (vk) {
    case VK_LEFT:
        m_pOwner->SetCaret(m_pParent, i);
        return true;
    case VK_RIGHT:
        m_pOwner->SetCaret(m_pIndex.get(), 0);
        return true;
    case VK_UP:
        if (!IsHigh())
            return m_pParent->HandleKey(VK_UP);
        m_pOwner->SetCaret(m_pIndex.get(), 0);
        return true;
    case VK_DOWN:
        if (IsHigh())
            return m_pParent->HandleKey(VK_DOWN);
        m_pOwner->SetCaret(m_pIndex.get(), 0);
        return true;
    default:
        return false;
    }
}

bool CEqIndex::LeaveIndex(UINT vk, int i) {
    switch (vk) {
    case VK_LEFT:
        CaretToEnd(m_pBase.get());
        return true;
    case VK_RIGHT:
        m_pOwner->SetCaret(m_pParent, i + 1);
        return true;
    case VK_UP:
        if (IsHigh())
            return m_pParent->HandleKey(VK_UP);
        CaretToEnd(m_pBase.get());
        return true;
    case VK_DOWN:
        if (!IsHigh())
            return m_pParent->HandleKey(VK_DOWN);
        CaretToEnd(m_pBase.get());
        return true;
    default:
        return false;
    }
}

void CEqIndex::CalcSize() {
    m_pBase->CalcSize();
    SIZE s;
    {
        SmallFontScope small(Window());
        m_pIndex->CalcSize();
        s = MeasureM();
    }
    SIZE m = MeasureM();
    const int bh = m_pBase->m_size.cy;
    const int ba = m_pBase->m_ptAnchor.y;
    const int ih = m_pIndex->m_size.cy;
    const int ia = m_pIndex->m_ptAnchor.y;
    const int q = s.cy / 4; // how far the index overlaps the base

    m_size.cx = m_pBase->m_size.cx + m_pIndex->m_size.cx + m.cx / 4 + 1;
    m_ptAnchor.x = m_size.cx / 2;
    if (!IsHigh()) {
        m_ptAnchor.y = ba;
        m_size.cy = ia < bh - ba ? bh + ih - q - ia : ih - q + ba + 3;
    } else if (ba > ih - ia) {
        m_size.cy = bh - q + ia;
        m_ptAnchor.y = ba - q + ia;
    } else {
        m_size.cy = bh + ih - q - ba + 3;
        m_ptAnchor.y = ih - q + 3;
    }
}

void CEqIndex::Redraw(int x, int y, int hAlign, int vAlign) {
    if (!CEqObject::Redraw(x, y, hAlign, vAlign))
        EraseInvalid();
    m_pBase->Redraw(x + 1, y + m_ptAnchor.y, 1, 0);
    SIZE m = MeasureM();
    int indexLeft = x + m_pBase->m_size.cx + m.cx / 4 + 1;
    SmallFontScope small(Window());
    if (IsHigh())
        m_pIndex->Redraw(indexLeft, y, 1, 3);
    else
        m_pIndex->Redraw(indexLeft, y + m_size.cy, 1, 4);
}

void CEqIndex::Draw() {
    if (!IsVisible())
        return;
    CEqWindow* wnd = Window();
    CDC* dc = wnd->m_pDC;
    CFont* previous = dc->GetCurrentFont();
    // The "e" of the exponential function stands out in bold italic, in the
    // size of its surroundings.
    if (IsHigh() && IsExponential()) {
        bool small = previous == &wnd->m_fontSmall;
        dc->SelectObject(small ? &wnd->m_fontSmallBoldItalic : &wnd->m_fontBoldItalic);
    }
    m_pBase->Draw();
    dc->SelectObject(&wnd->m_fontSmall);
    m_pIndex->Draw();
    dc->SelectObject(previous);
}

bool CEqIndex::IsExponential() const {
    // The text the base would write once trimmed, read without trimming it.
    int first = 0;
    int last = m_pBase->GetCount() - 2; // the last atom before the end atom
    while (first <= last && m_pBase->IsSpaceAt(first))
        ++first;
    while (last >= first && m_pBase->IsSpaceAt(last))
        --last;
    std::string text;
    for (int k = first; k <= last; ++k) {
        const CEqAtom* atom = m_pBase->GetAt(k);
        // Every atom that holds rows writes a frame around them, never a
        // lone letter.
        if (atom->GetRowCount() > 0)
            return false;
        text += atom->PeekText();
        if (text.size() > 1)
            return false;
    }
    return text == "e";
}

std::string CEqIndex::ToText() {
    m_pBase->Trim();
    m_pIndex->Trim();
    if (IsHigh() && IsExponential())
        return " exp" + BracketedText(m_pIndex.get());
    std::string base = BaseText(m_pBase.get());
    if (!IsHigh()) {
        // Read back, "sqrt( x )[i]" takes the name and its brackets as the
        // base and brackets them; a root keeps brackets of its own, which
        // reading takes away again.
        if (m_pBase->IsSimple() && m_pBase->GetAt(0)->Is<CEqRoot>())
            base = "( " + m_pBase->ToText(false) + " )";
        return base + "[" + LowText(m_pIndex.get()) + "]";
    }
    return base + " ** " + PowerText(m_pIndex.get());
}

bool CEqIndex::IsBareOperand(const CEqExpr* row) {
    if (!row->IsSimple())
        return false;
    const CEqAtom* atom = row->GetAt(0);
    if (atom->Is<CEqIndex>())
        return !static_cast<const CEqIndex*>(atom)->IsHigh();
    return !atom->Is<CEqDerive>() && !atom->Is<CEqDerive2>() && !atom->Is<CEqFraction>() &&
           !atom->Is<CEqPowIndex>();
}

std::string CEqIndex::BaseText(CEqExpr* row) {
    if (row->IsBlank())
        return "( ? )";
    std::string text = row->ToText(false);
    if (!IsBareOperand(row))
        return "( " + text + " )";
    return FirstIsBrackets(row) ? text : " " + text;
}

std::string CEqIndex::PowerText(CEqExpr* row) {
    if (row->IsBlank())
        return "( ? )";
    std::string text = row->ToText(false);
    if (!IsBareOperand(row))
        return "( " + text + " )";
    return FirstIsBrackets(row) ? text : text + " ";
}

std::string CEqIndex::LowText(CEqExpr* row) {
    if (row->IsBlank())
        return "?";
    return row->ToText(false);
}
