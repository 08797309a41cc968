// The device context: the drawing operations the formula elements use.
// The headless implementation measures with fixed cells and paints nothing;
// the Qt implementation paints with a QPainter.
#pragma once

#include <string>

#include "platform/DrawTypes.h"
#include "platform/Geometry.h"

class CDC {
  public:
    virtual ~CDC() = default;

    // Extent of a single-line text in the selected font.
    virtual SIZE GetTextExtent(const std::string& text) = 0;
    // With DT_CALCRECT sets rect to the text's extent from its top-left
    // corner and draws nothing; otherwise draws the text into rect.
    // Returns the text height.
    virtual int DrawText(const std::string& text, RECT* rect, unsigned flags) = 0;
    virtual unsigned SetTextAlign(unsigned flags) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;

    // Select a font or pen and return the one it replaces.
    virtual CFont* SelectObject(CFont* font) = 0;
    virtual CPen* SelectObject(CPen* pen) = 0;
    virtual CFont* GetCurrentFont() const = 0;
    virtual CPen* GetCurrentPen() const = 0;

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) = 0;
    // Outline with the current pen, filled with the background colour.
    virtual void Rectangle(const RECT& rect) = 0;
    virtual void FillSolidRect(const RECT& rect, COLORREF color) = 0;
    virtual void InvertRect(const RECT& rect) = 0;

    virtual COLORREF GetBkColor() const = 0;
    virtual COLORREF SetBkColor(COLORREF color) = 0;
    virtual COLORREF SetTextColor(COLORREF color) = 0;
    virtual COLORREF GetSysColor(int index) const = 0;
};
