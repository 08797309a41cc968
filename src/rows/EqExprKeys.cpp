// The row's own key handling: caret movement, Shift selection, and handing
// keys it cannot use to the compound atom that holds the row.
#include "editor/VexlorData.h"
#include "elements/EqAtom.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"

bool CEqExpr::ShiftHeld() const {
    CEqWindow* wnd = Window();
    return wnd && wnd->IsKeyDown(VK_SHIFT);
}

bool CEqExpr::LeaveToOwnerAtom(UINT vk) {
    return m_pOwnerAtom ? m_pOwnerAtom->LeaveChild(this, vk) : false;
}

bool CEqExpr::HandleKey(UINT vk) {
    if (!m_pOwner || GetCount() == 0)
        return false;
    CVexlorData& d = *m_pOwner;
    int n = GetCount();
    int e = d.m_nCaret;
    bool shift = ShiftHeld();
    switch (vk) {
    case VK_END:
        d.m_nCaret = n - 1;
        if (!shift)
            d.m_nAnchor = d.m_nCaret;
        return true;
    case VK_HOME:
        d.m_nCaret = 0;
        if (!shift)
            d.m_nAnchor = 0;
        return true;
    case VK_LEFT:
        if (e <= 0)
            return LeaveToOwnerAtom(vk);
        if (!shift && GetAt(e - 1)->EnterFrom(VK_LEFT))
            return true;
        d.m_nCaret = e - 1;
        if (!shift)
            d.m_nAnchor = d.m_nCaret;
        return true;
    case VK_RIGHT:
        if (e >= n - 1)
            return LeaveToOwnerAtom(vk);
        if (!shift && GetAt(e)->EnterFrom(VK_RIGHT))
            return true;
        d.m_nCaret = e + 1;
        if (!shift)
            d.m_nAnchor = d.m_nCaret;
        return true;
    case VK_BACK:
    case VK_DELETE:
        return HandleDeletion(vk);
    default:
        return LeaveToOwnerAtom(vk);
    }
}
