#include "platform/qt/QtDC.h"

#include <QGlyphRun>
#include <QPainter>
#include <cmath>
#include <numbers>

#include "platform/qt/QtFontBook.h"
#include "platform/qt/QtText.h"

namespace {
QRect ToQRect(const RECT& r) {
    return QRect(r.left, r.top, RectWidth(r), RectHeight(r));
}

double RadialAngle(double dx, double dy, double a, double b) {
    // Screen y grows downwards; angles grow counter-clockwise on screen.
    double x = a > 0 ? dx / a : dx;
    double y = b > 0 ? -dy / b : -dy;
    if (x == 0 && y == 0)
        return 0;
    return std::atan2(y, x) * 180.0 / std::numbers::pi;
}
} // namespace

CQtDC::CQtDC(QtFontBook* fonts) : m_pFonts(fonts) {}

void CQtDC::Begin(QPainter* painter, const QPalette& palette) {
    m_pPainter = painter;
    m_palette = palette;
    ResetState(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT));
}

void CQtDC::End() {
    m_pPainter = nullptr;
}

QColor CQtDC::ToQColor(COLORREF color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

COLORREF CQtDC::FromQColor(const QColor& color) {
    return RGB(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
               static_cast<uint8_t>(color.blue()));
}

// Every character advances by a whole number of pixels, so a text is as wide
// as its characters measured one by one.
SIZE CQtDC::GetTextExtent(const std::string& text) {
    return m_pFonts->TextExtent(*m_pFont, text);
}

int CQtDC::DrawText(const std::string& text, RECT* rect, unsigned flags) {
    SIZE extent = GetTextExtent(text);
    if (!rect)
        return extent.cy;
    if (flags & DT_CALCRECT) {
        rect->right = rect->left + extent.cx;
        rect->bottom = rect->top + extent.cy;
        return extent.cy;
    }
    PaintText(rect->left, rect->top, text);
    return extent.cy;
}

void CQtDC::TextOut(int x, int y, const std::string& text) {
    const QFontMetrics& metrics = m_pFonts->MetricsFor(*m_pFont);
    SIZE extent = GetTextExtent(text);
    int left = x;
    if ((m_nTextAlign & TA_CENTER) == TA_CENTER)
        left = x - extent.cx / 2;
    else if (m_nTextAlign & TA_RIGHT)
        left = x - extent.cx;
    int top = y;
    if ((m_nTextAlign & TA_BASELINE) == TA_BASELINE)
        top = y - metrics.ascent();
    else if (m_nTextAlign & TA_BOTTOM)
        top = y - extent.cy;
    PaintText(left, top, text);
}

// Text is drawn opaquely: its cell is filled with the background colour.
void CQtDC::PaintText(int left, int top, const std::string& text) {
    if (!m_pPainter || text.empty())
        return;
    const QFontMetrics& metrics = m_pFonts->MetricsFor(*m_pFont);
    SIZE extent = GetTextExtent(text);
    m_pPainter->fillRect(QRect(left, top, extent.cx, extent.cy), ToQColor(m_bkColor));
    m_pPainter->setFont(m_pFonts->FontFor(*m_pFont));
    m_pPainter->setPen(ToQColor(m_textColor));
    // The face's glyphs go in one run at the characters' places; a
    // character the face lacks is drawn as text, with its stand-in face.
    QList<quint32> glyphs;
    QList<QPointF> places;
    int x = left;
    for (char byte : text) {
        auto b = static_cast<uint8_t>(byte);
        quint32 glyph = 0;
        if (m_pFonts->GlyphFor(*m_pFont, b, &glyph)) {
            glyphs.append(glyph);
            places.append(QPointF(x - left, 0));
        } else {
            for (QChar ch : QtText::FromCp1251(std::string(1, byte)))
                m_pPainter->drawText(QPoint(x, top + metrics.ascent()), QString(ch));
        }
        x += m_pFonts->TextExtent(*m_pFont, std::string(1, byte)).cx;
    }
    if (glyphs.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(m_pFonts->RawFontFor(*m_pFont));
    run.setGlyphIndexes(glyphs);
    run.setPositions(places);
    m_pPainter->drawGlyphRun(QPointF(left, top + metrics.ascent()), run);
}

void CQtDC::ApplyPen() {
    QPen pen(ToQColor(m_pPen->m_color));
    pen.setWidth(std::max(m_pPen->m_nWidth, 1));
    pen.setStyle(m_pPen->m_nStyle == PS_DOT ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(m_pPen->m_nWidth > 1 ? Qt::RoundCap : Qt::SquareCap);
    m_pPainter->setPen(pen);
}

void CQtDC::LineTo(int x, int y) {
    if (m_pPainter) {
        ApplyPen();
        m_pPainter->drawLine(m_ptCurrent.x, m_ptCurrent.y, x, y);
    }
    m_ptCurrent = POINT{x, y};
}

void CQtDC::ArcAngles(int l, int t, int r, int b, int x1, int y1, int x2, int y2, double* start,
                      double* span) {
    double cx = (l + r) / 2.0;
    double cy = (t + b) / 2.0;
    double a = std::abs(r - l) / 2.0;
    double h = std::abs(b - t) / 2.0;
    double from = RadialAngle(x1 - cx, y1 - cy, a, h);
    double to = RadialAngle(x2 - cx, y2 - cy, a, h);
    double sweep = to - from;
    while (sweep <= 0)
        sweep += 360.0;
    *start = from;
    *span = sweep;
}

void CQtDC::Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
    if (!m_pPainter)
        return;
    double start = 0;
    double span = 0;
    ArcAngles(l, t, r, b, x1, y1, x2, y2, &start, &span);
    ApplyPen();
    m_pPainter->save();
    m_pPainter->setRenderHint(QPainter::Antialiasing, true);
    m_pPainter->drawArc(QRectF(l, t, r - l, b - t), static_cast<int>(std::lround(start * 16)),
                        static_cast<int>(std::lround(span * 16)));
    m_pPainter->restore();
}

void CQtDC::Rectangle(const RECT& rect) {
    if (!m_pPainter || IsRectEmpty(rect))
        return;
    ApplyPen();
    m_pPainter->setBrush(ToQColor(GetSysColor(COLOR_WINDOW)));
    m_pPainter->drawRect(QRect(rect.left, rect.top, RectWidth(rect) - 1, RectHeight(rect) - 1));
    m_pPainter->setBrush(Qt::NoBrush);
}

void CQtDC::FillSolidRect(const RECT& rect, COLORREF color) {
    if (m_pPainter && !IsRectEmpty(rect))
        m_pPainter->fillRect(ToQRect(rect), ToQColor(color));
}

void CQtDC::InvertRect(const RECT& rect) {
    if (!m_pPainter || IsRectEmpty(rect))
        return;
    m_pPainter->save();
    m_pPainter->setCompositionMode(QPainter::CompositionMode_Difference);
    m_pPainter->fillRect(ToQRect(rect), Qt::white);
    m_pPainter->restore();
}

COLORREF CQtDC::GetSysColor(int index) const {
    switch (index) {
    case COLOR_WINDOW:
        return FromQColor(m_palette.color(QPalette::Active, QPalette::Base));
    case COLOR_BTNFACE:
        return FromQColor(m_palette.color(QPalette::Active, QPalette::Button));
    default:
        return FromQColor(m_palette.color(QPalette::Active, QPalette::Text));
    }
}
