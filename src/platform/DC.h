// The device context: the drawing operations the formula elements use.
// The headless implementation measures with fixed cells and paints nothing;
// the Qt implementation paints with a QPainter. The state both keep (the
// selected font and pen, text alignment, colours, current position) lives
// here.
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
    virtual unsigned SetTextAlign(unsigned flags);
    virtual void TextOut(int x, int y, const std::string& text) = 0;

    // Select a font or pen and return the one it replaces.
    virtual CFont* SelectObject(CFont* font);
    virtual CPen* SelectObject(CPen* pen);
    CFont* GetCurrentFont() const { return m_pFont; }
    CPen* GetCurrentPen() const { return m_pPen; }

    virtual void MoveTo(int x, int y);
    virtual void LineTo(int x, int y) = 0;
    virtual void Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) = 0;
    // Outline with the current pen, filled with the background colour.
    virtual void Rectangle(const RECT& rect) = 0;
    virtual void FillSolidRect(const RECT& rect, COLORREF color) = 0;
    virtual void InvertRect(const RECT& rect) = 0;

    virtual COLORREF GetBkColor() const { return m_bkColor; }
    virtual COLORREF SetBkColor(COLORREF color);
    virtual COLORREF SetTextColor(COLORREF color);
    virtual COLORREF GetSysColor(int index) const = 0;

  protected:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    // Back to the default font and pen, left-top alignment, the given
    // colours and the origin as current position.
    void ResetState(COLORREF background, COLORREF text);

    CFont m_defaultFont;
    CPen m_defaultPen;
    CFont* m_pFont = &m_defaultFont;
    CPen* m_pPen = &m_defaultPen;
    unsigned m_nTextAlign = TA_LEFT | TA_TOP;
    COLORREF m_bkColor = RGB(255, 255, 255);
    COLORREF m_textColor = 0;
    POINT m_ptCurrent;
};
