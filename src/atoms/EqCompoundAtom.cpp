#include "atoms/EqCompoundAtom.h"

#include "atoms/EqBrackets.h"
#include "elements/EqOwner.h"
#include "platform/Archive.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"

void CEqCompoundAtom::Serialize(CArchive& ar) {
    CEqObject::Serialize(ar);
    SerializeRows(ar);
}

void CEqCompoundAtom::SerializeRows(CArchive& ar) {
    RowRange rows = Rows();
    if (ar.IsStoring()) {
        for (CEqExpr* row : rows)
            row->Serialize(ar);
        return;
    }
    for (CEqExpr* row : rows)
        row->SetOwner(m_pOwner);
    for (CEqExpr* row : rows)
        row->Serialize(ar);
    for (CEqExpr* row : rows)
        row->m_pOwnerAtom = this;
}

void CEqCompoundAtom::SetOwner(CEqOwner* owner) {
    m_pOwner = owner;
    for (CEqExpr* row : Rows())
        row->SetOwner(owner);
}

int CEqCompoundAtom::Compose() {
    int formed = 0;
    for (CEqExpr* row : Rows())
        formed += row->Compose();
    return formed;
}

bool CEqCompoundAtom::HitRowHolding(const std::vector<CEqExpr*>& rows, POINT* pt) {
    for (CEqExpr* row : rows) {
        POINT p = *pt;
        if (!row || !PtInRect(row->m_rect, p))
            continue;
        if (row->HitTest(&p)) {
            *pt = p;
            return true;
        }
    }
    return false;
}

std::vector<CEqExpr*> CEqCompoundAtom::RowList() const {
    std::vector<CEqExpr*> rows;
    for (CEqExpr* row : Rows())
        rows.push_back(row);
    return rows;
}

bool CEqCompoundAtom::HitTest(POINT* pt) {
    const std::vector<CEqExpr*> rows = RowList();
    if (HitRowHolding(rows, pt))
        return true;
    for (CEqExpr* row : rows)
        if (row->HitTest(pt))
            return true;
    return false;
}

bool CEqCompoundAtom::HitTestRange(POINT* from, POINT* to) {
    const std::vector<CEqExpr*> rows = RowList();
    for (CEqExpr* row : rows) {
        POINT a = *from;
        POINT b = *to;
        if (PtInRect(row->m_rect, a) && PtInRect(row->m_rect, b) && row->HitTestRange(&a, &b))
            return true;
    }
    for (CEqExpr* row : rows)
        if (row->HitTestRange(from, to))
            return true;
    return false;
}

bool CEqCompoundAtom::IsBlank() const {
    for (CEqExpr* row : Rows())
        if (!row->IsBlank())
            return false;
    return true;
}

bool CEqCompoundAtom::EnterFrom(UINT vk) {
    if (!m_pOwner || GetRowCount() == 0)
        return false;
    if (vk == VK_LEFT) {
        CaretToEnd(GetRow(GetRowCount() - 1));
        return true;
    }
    if (vk == VK_RIGHT) {
        m_pOwner->SetCaret(GetRow(0), 0);
        return true;
    }
    return false;
}

bool CEqCompoundAtom::LeaveChild(CEqExpr* row, UINT vk) {
    if (!m_pParent || !m_pOwner)
        return false;
    int i = m_pParent->IndexOf(this);
    if (i < 0)
        return false;
    CEqWindow* wnd = Window();
    if (wnd && wnd->IsKeyDown(VK_SHIFT)) {
        SelectWhole(i, vk);
        return true;
    }
    return LeaveRow(row, vk, i);
}

void CEqCompoundAtom::SelectWhole(int i, UINT vk) {
    if (vk == VK_LEFT || vk == VK_UP)
        m_pOwner->SetSelection(m_pParent, i + 1, i);
    else
        m_pOwner->SetSelection(m_pParent, i, i + 1);
}

bool CEqCompoundAtom::LeaveRow(CEqExpr*, UINT vk, int i) {
    switch (vk) {
    case VK_LEFT:
        m_pOwner->SetCaret(m_pParent, i);
        return true;
    case VK_RIGHT:
        m_pOwner->SetCaret(m_pParent, i + 1);
        return true;
    case VK_UP:
    case VK_DOWN:
        return m_pParent->HandleKey(vk);
    default:
        return false;
    }
}

void CEqCompoundAtom::CaretToEnd(CEqExpr* row) {
    m_pOwner->SetCaret(row, row->GetCount() - 1);
}

std::string CEqCompoundAtom::BracketedText(CEqExpr* row) {
    if (row->IsBlank())
        return "( ? )";
    if (row->IsSimple() && row->GetAt(0)->Is<CEqBrackets>())
        return row->ToText(false);
    return "( " + row->ToText(false) + " )";
}
