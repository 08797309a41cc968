// The row's own key handling: caret movement, Shift selection, and handing
// keys it cannot use to the compound atom that holds the row.
#include "elements/EqAtom.h"
#include "elements/EqOwner.h"
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
    CEqOwner& d = *m_pOwner;
    int n = GetCount();
    int e = d.CaretPos();
    bool shift = ShiftHeld();
    // The caret moves to c; without Shift the anchor goes with it.
    auto moveTo = [&](int c) {
        d.MoveCaret(shift ? d.AnchorPos() : c, c);
        return true;
    };
    switch (vk) {
    case VK_END:
        return moveTo(n - 1);
    case VK_HOME:
        return moveTo(0);
    case VK_LEFT:
        if (e <= 0)
            return LeaveToOwnerAtom(vk);
        if (!shift && GetAt(e - 1)->EnterFrom(VK_LEFT))
            return true;
        return moveTo(e - 1);
    case VK_RIGHT:
        if (e >= n - 1)
            return LeaveToOwnerAtom(vk);
        if (!shift && GetAt(e)->EnterFrom(VK_RIGHT))
            return true;
        return moveTo(e + 1);
    case VK_BACK:
    case VK_DELETE:
        return HandleDeletion(vk);
    default:
        return LeaveToOwnerAtom(vk);
    }
}
