// A device context that measures with the fixed cells of its fonts and
// paints nothing. Tests derive from it to record drawing calls.
#pragma once

#include "platform/DC.h"

class CHeadlessDC : public CDC {
  public:
    CHeadlessDC();

    SIZE GetTextExtent(const std::string& text) override;
    int DrawText(const std::string& text, RECT* rect, unsigned flags) override;
    unsigned SetTextAlign(unsigned flags) override;
    void TextOut(int x, int y, const std::string& text) override;

    CFont* SelectObject(CFont* font) override;
    CPen* SelectObject(CPen* pen) override;
    CFont* GetCurrentFont() const override { return m_pFont; }
    CPen* GetCurrentPen() const override { return m_pPen; }

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) override;
    void Rectangle(const RECT& rect) override;
    void FillSolidRect(const RECT& rect, COLORREF color) override;
    void InvertRect(const RECT& rect) override;

    COLORREF GetBkColor() const override { return m_bkColor; }
    COLORREF SetBkColor(COLORREF color) override;
    COLORREF SetTextColor(COLORREF color) override;
    COLORREF GetSysColor(int index) const override;

  protected:
    CFont m_defaultFont;
    CPen m_defaultPen;
    CFont* m_pFont;
    CPen* m_pPen;
    unsigned m_nTextAlign = TA_LEFT | TA_TOP;
    COLORREF m_bkColor = RGB(255, 255, 255);
    COLORREF m_textColor = 0;
    POINT m_ptCurrent;
};
