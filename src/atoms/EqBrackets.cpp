#include "atoms/EqBrackets.h"

#include "atoms/CompoundRows.h"
#include "editor/VexlorData.h"
#include "platform/DC.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqBrackets)

CEqBrackets::CEqBrackets() : m_pRow(new CEqExpr) {}

CEqBrackets::~CEqBrackets() {
    delete m_pRow;
}

void CEqBrackets::SetRow(CEqExpr* row) {
    CompoundRows::Adopt(this, m_pRow, row);
}

void CEqBrackets::Serialize(CArchive& ar) {
    CEqObject::Serialize(ar);
    CompoundRows::Serialize(this, ar, {m_pRow});
}

void CEqBrackets::SetOwner(CVexlorData* owner) {
    m_pOwner = owner;
    if (m_pRow)
        m_pRow->SetOwner(owner);
}

int CEqBrackets::Compose() {
    return m_pRow->Compose();
}

CEqAtom* CEqBrackets::Clone() const {
    auto* copy = new CEqBrackets;
    CopyBaseTo(copy);
    copy->SetRow(CompoundRows::CloneRow(m_pRow));
    return copy;
}

bool CEqBrackets::HitTest(POINT* pt) {
    return m_pRow->HitTest(pt);
}

bool CEqBrackets::HitTestRange(POINT* from, POINT* to) {
    return m_pRow->HitTestRange(from, to);
}

bool CEqBrackets::LeaveChild(CEqExpr*, UINT vk) {
    if (!m_pParent || !m_pOwner)
        return false;
    int i = m_pParent->IndexOf(this);
    CEqWindow* wnd = Window();
    if (wnd && wnd->IsKeyDown(VK_SHIFT)) {
        if (vk == VK_LEFT || vk == VK_UP)
            m_pOwner->SetSelection(m_pParent, i + 1, i);
        else
            m_pOwner->SetSelection(m_pParent, i, i + 1);
        return true;
    }
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

bool CEqBrackets::EnterFrom(UINT vk) {
    if (!m_pOwner)
        return false;
    if (vk == VK_LEFT) {
        m_pOwner->SetCaret(m_pRow, m_pRow->GetCount() - 1);
        return true;
    }
    if (vk == VK_RIGHT) {
        m_pOwner->SetCaret(m_pRow, 0);
        return true;
    }
    return false;
}

void CEqBrackets::CalcSize() {
    m_pRow->CalcSize();
    SIZE m = MeasureM();
    m_size.cy = m_pRow->m_size.cy + m.cy / 2;
    m_size.cx = m_pRow->m_size.cx + m_size.cy / 3 + 2;
    m_ptAnchor = POINT{m_size.cx / 2, m_pRow->m_ptAnchor.y + m.cy / 4};
}

void CEqBrackets::Redraw(int x, int y, int hAlign, int vAlign) {
    if (!CEqObject::Redraw(x, y, hAlign, vAlign))
        EraseInvalid();
    m_pRow->Redraw(x + m_ptAnchor.x, y + m_ptAnchor.y, 0, 0);
}

void CEqBrackets::Draw() {
    if (!IsVisible())
        return;
    m_pRow->Draw();
    CDC* dc = DC();
    CPen pen(PS_SOLID, 2, dc->GetSysColor(COLOR_WINDOWTEXT));
    CPen* old = dc->SelectObject(&pen);
    int w3 = m_size.cy / 3;
    int w6 = w3 / 2;
    int l = m_rect.left, t = m_rect.top, r = m_rect.right, b = m_rect.bottom;
    dc->Arc(l + 1, t + 1, l + 1 + w3, b - 1, l + 1 + w6, t + 1, l + 1 + w6, b - 1);
    dc->Arc(r - 1 - w3, t + 1, r - 1, b - 1, r - 1 - w6, b - 1, r - 1 - w6, t + 1);
    dc->SelectObject(old);
}

std::string CEqBrackets::ToText() {
    m_pRow->Trim();
    if (m_pRow->IsBlank())
        return "( ? )";
    if (m_pRow->IsSimple() && m_pRow->GetAt(0)->IsClass("CEqBrackets"))
        return m_pRow->ToText(false);
    return "( " + m_pRow->ToText(false) + " )";
}

bool CEqBrackets::IsBlank() const {
    return m_pRow->IsBlank();
}
