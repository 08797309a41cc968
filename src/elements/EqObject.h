// Common base of every formula element: geometry and the link to the editor
// data that owns the tree.
#pragma once

#include "platform/Geometry.h"
#include "platform/Object.h"

class CEqOwner;
class CEqWindow;
class CDC;

class CEqObject : public CObject {
    VEXLOR_DECLARE_DYNCREATE(CEqObject)

  public:
    CEqObject() = default;

    // Stores or loads the 32-byte base record: size, anchor, rectangle.
    void Serialize(CArchive& ar) override;
    virtual void SetOwner(CEqOwner* owner);
    virtual int Compose() { return 0; }
    virtual void ClampPoint(POINT*) {}

    // Base placement step: turns (x, y) into the box's top-left corner per the
    // alignment codes (horizontal 0 anchor, 1 left, 2 right; vertical 0
    // anchor, 3 top, 4 bottom), then moves the box there. Returns true when
    // the box did not move; otherwise the old box goes to the owner's
    // invalid rectangle.
    bool Redraw(int& x, int& y, int hAlign, int vAlign) {
        if (!Align(x, hAlign, 1, 2, m_ptAnchor.x, m_size.cx))
            BadAlignment("horizontal");
        if (!Align(y, vAlign, 3, 4, m_ptAnchor.y, m_size.cy))
            BadAlignment("vertical");
        // Positions saturate, so nested atoms never carry a sum past the bound.
        x = ClampCoordinate(x);
        y = ClampCoordinate(y);
        RECT box = BoxAt(POINT{x, y}, m_size);
        if (EqualRect(box, m_rect))
            return true;
        Moved(box);
        return false;
    }
    // The box of an object of the given size whose top left corner is at.
    static RECT BoxAt(POINT at, SIZE size) {
        int32_t x = ClampCoordinate(at.x);
        int32_t y = ClampCoordinate(at.y);
        return RECT{x, y, ClampCoordinate(int64_t{x} + size.cx),
                    ClampCoordinate(int64_t{y} + size.cy)};
    }
    // Whether the box meets the window's client rectangle.
    bool IsVisible() const;

    // The owner's window and device context, or null without them.
    CEqWindow* Window() const;
    CDC* DC() const;
    // Extent of "M" in the device context's current font.
    SIZE MeasureM() const;

    CEqOwner* m_pOwner = nullptr;
    SIZE m_size;
    POINT m_ptAnchor;
    RECT m_rect;

  private:
    // One coordinate of Redraw: from the anchor (code 0), the near edge
    // (code nearEdge, unchanged) or the far edge (code farEdge) to the near
    // edge; false for any other code.
    static bool Align(int& v, int code, int nearEdge, int farEdge, int anchor, int extent) {
        if (code == 0)
            v = ClampCoordinate(int64_t{v} - anchor);
        else if (code == farEdge)
            v = ClampCoordinate(int64_t{v} - extent);
        return code == 0 || code == nearEdge || code == farEdge;
    }
    void BadAlignment(const char* which) const;
    void Moved(const RECT& box);
};
