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
    // Places the object by its alignment at (x, y), which become its top
    // left; false when its box moved (the old box is then the owner's
    // invalid rectangle).
    bool Redraw(int& x, int& y, int hAlign, int vAlign) {
        switch (hAlign) {
        case 0:
            x = ClampCoordinate(int64_t{x} - m_ptAnchor.x);
            break;
        case 1:
            break;
        case 2:
            x = ClampCoordinate(int64_t{x} - m_size.cx);
            break;
        default:
            BadAlignment("horizontal");
            break;
        }
        switch (vAlign) {
        case 0:
            y = ClampCoordinate(int64_t{y} - m_ptAnchor.y);
            break;
        case 3:
            break;
        case 4:
            y = ClampCoordinate(int64_t{y} - m_size.cy);
            break;
        default:
            BadAlignment("vertical");
            break;
        }
        // Positions saturate, so nested atoms never carry a sum past the bound.
        x = ClampCoordinate(x);
        y = ClampCoordinate(y);
        RECT box{x, y, ClampCoordinate(int64_t{x} + m_size.cx),
                 ClampCoordinate(int64_t{y} + m_size.cy)};
        if (EqualRect(box, m_rect))
            return true;
        Moved(box);
        return false;
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
    void BadAlignment(const char* which) const;
    void Moved(const RECT& box);
};
