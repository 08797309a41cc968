#include "atoms/EqRoot.h"

#include "atoms/CompoundRows.h"
#include "editor/VexlorData.h"
#include "platform/DC.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqRoot)

CEqRoot::CEqRoot() : m_pRow(new CEqExpr) {}

CEqRoot::~CEqRoot() {
    delete m_pRow;
}

void CEqRoot::SetRow(CEqExpr* row) {
    CompoundRows::Adopt(this, m_pRow, row);
}

void CEqRoot::Serialize(CArchive& ar) {
    CEqObject::Serialize(ar);
    CompoundRows::Serialize(this, ar, {m_pRow});
}

void CEqRoot::SetOwner(CVexlorData* owner) {
    m_pOwner = owner;
    if (m_pRow)
        m_pRow->SetOwner(owner);
}

int CEqRoot::Compose() {
    return m_pRow->Compose();
}

CEqAtom* CEqRoot::Clone() const {
    auto* copy = new CEqRoot;
    CopyBaseTo(copy);
    copy->SetRow(CompoundRows::CloneRow(m_pRow));
    return copy;
}

bool CEqRoot::HitTest(POINT* pt) {
    return m_pRow->HitTest(pt);
}

bool CEqRoot::HitTestRange(POINT* from, POINT* to) {
    return m_pRow->HitTestRange(from, to);
}

bool CEqRoot::LeaveChild(CEqExpr*, UINT vk) {
    if (!m_pParent || !m_pOwner)
        return false;
    int i = m_pParent->IndexOf(this);
    if (i < 0)
        return false;
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

bool CEqRoot::EnterFrom(UINT vk) {
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

// The content sits at the bottom with half an M of room above it for the
// overline; the radical sign takes a third of the height in width.
void CEqRoot::CalcSize() {
    m_pRow->CalcSize();
    SIZE m = MeasureM();
    int e = m.cy / 2;
    m_size.cy = m_pRow->m_size.cy + e;
    m_size.cx = m_pRow->m_size.cx + m_size.cy / 3 + 3;
    m_ptAnchor = POINT{m_size.cx / 2, m_pRow->m_ptAnchor.y + e};
}

void CEqRoot::Redraw(int x, int y, int hAlign, int vAlign) {
    if (!CEqObject::Redraw(x, y, hAlign, vAlign))
        EraseInvalid();
    m_pRow->Redraw(x + m_size.cy / 3, y + m_size.cy, 1, 4);
}

void CEqRoot::Draw() {
    if (!IsVisible())
        return;
    m_pRow->Draw();
    CDC* dc = DC();
    SIZE m = MeasureM();
    CPen pen(PS_SOLID, 2, dc->GetSysColor(COLOR_WINDOWTEXT));
    CPen* old = dc->SelectObject(&pen);
    DrawSign(dc, m);
    dc->SelectObject(old);
}

// Lead-in at mid height, down to the bottom, the long rising stroke, the
// overline and a short tick at its right end.
void CEqRoot::DrawSign(CDC* dc, SIZE m) const {
    int h = m_size.cy;
    int s = h / 9;
    int l = m_rect.left, t = m_rect.top, r = m_rect.right, b = m_rect.bottom;
    dc->MoveTo(l + 1, t + h / 2);
    dc->LineTo(l + s, t + h / 2);
    dc->LineTo(l + 2 * s, b - 1);
    dc->LineTo(l + 3 * s, t + 1);
    dc->LineTo(r - 1, t + 1);
    dc->LineTo(r - 1, t + m.cy / 6);
}

std::string CEqRoot::ToText() {
    return " sqrt" + BracketedText();
}

// The argument as the brackets atom writes its row: "( ? )" when blank, a
// lone bracket atom's text as it is, anything else put in brackets.
std::string CEqRoot::BracketedText() {
    m_pRow->Trim();
    if (m_pRow->IsBlank())
        return "( ? )";
    if (m_pRow->IsSimple() && m_pRow->GetAt(0)->IsClass("CEqBrackets"))
        return m_pRow->ToText(false);
    return "( " + m_pRow->ToText(false) + " )";
}

bool CEqRoot::IsBlank() const {
    return m_pRow->IsBlank();
}
