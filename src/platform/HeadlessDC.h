// A device context that measures with the fixed cells of its fonts and
// paints nothing. Tests derive from it to record drawing calls.
#pragma once

#include "platform/DC.h"

class CHeadlessDC : public CDC {
  public:
    SIZE GetTextExtent(const std::string& text) override;
    int DrawText(const std::string& text, RECT* rect, unsigned flags) override;
    void TextOut(int x, int y, const std::string& text) override;

    void LineTo(int x, int y) override;
    void Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) override;
    void Rectangle(const RECT& rect) override;
    void FillSolidRect(const RECT& rect, COLORREF color) override;
    void InvertRect(const RECT& rect) override;

    COLORREF GetSysColor(int index) const override;
};
