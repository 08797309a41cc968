// The device context of the Qt editor window. Text is measured with the real
// font metrics and converted from Windows-1251 on its way to the screen.
//
// Without a painter it measures and keeps its state (fonts, pens, colours,
// alignment, current point) but paints nothing: event handlers run the model
// against it, and the paint event runs the same calls with a painter, so
// both passes compute the same geometry.
#pragma once

#include <QColor>
#include <QPalette>

#include "platform/DC.h"

class QPainter;
class QtFontBook;

class CQtDC : public CDC {
  public:
    explicit CQtDC(QtFontBook* fonts);

    // Starts a pass: painter may be null (nothing is painted). The palette
    // gives the system colours.
    void Begin(QPainter* painter, const QPalette& palette);
    // Ends the pass; the context paints nothing afterwards.
    void End();
    bool IsPainting() const { return m_pPainter != nullptr; }

    SIZE GetTextExtent(const std::string& text) override;
    int DrawText(const std::string& text, RECT* rect, unsigned flags) override;
    void TextOut(int x, int y, const std::string& text) override;

    void LineTo(int x, int y) override;
    void Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) override;
    void Rectangle(const RECT& rect) override;
    void FillSolidRect(const RECT& rect, COLORREF color) override;
    void InvertRect(const RECT& rect) override;

    COLORREF GetSysColor(int index) const override;

    static QColor ToQColor(COLORREF color);
    static COLORREF FromQColor(const QColor& color);
    // The start angle and the counter-clockwise span, in degrees, of the
    // elliptic arc in (l, t, r, b) from the radial through (x1, y1) to the
    // radial through (x2, y2).
    static void ArcAngles(int l, int t, int r, int b, int x1, int y1, int x2, int y2, double* start,
                          double* span);

  private:
    QtFontBook* m_pFonts;
    QPainter* m_pPainter = nullptr;
    QPalette m_palette;

    void PaintText(int left, int top, const std::string& text);
    void ApplyPen();
};
