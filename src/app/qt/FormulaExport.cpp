#include "app/qt/FormulaExport.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>

#include "editor/qt/Vexlor.h"

namespace {
// Layout pixels are screen pixels of 1/96 inch.
constexpr double kLayoutDpi = 96.0;

QRect BandOf(const PageBreaks::Span& span, int width) {
    return QRect(0, span.top, width, span.bottom - span.top);
}
// The picture's band: the whole layout, or one expression with the gap of
// the layout above and below it.
QRect PictureBand(CVexlor& view, int expression) {
    std::vector<QRect> rects;
    QSize total = view.LayoutAll(&rects);
    if (expression < 0 || static_cast<size_t>(expression) >= rects.size())
        return QRect(QPoint(0, 0), total);
    int gap = rects.front().top();
    const QRect& r = rects[static_cast<size_t>(expression)];
    return QRect(0, r.top() - gap, total.width(), r.height() + 2 * gap);
}
} // namespace

FormulaExport::Format FormulaExport::FormatOf(const QString& path) {
    QString lower = path.toLower();
    if (lower.endsWith(QLatin1String(".svg")))
        return Format::kSvg;
    if (lower.endsWith(QLatin1String(".png")))
        return Format::kPng;
    if (lower.endsWith(QLatin1String(".pdf")))
        return Format::kPdf;
    return Format::kNone;
}

// One span per expression, the expressions' gap around each; with an
// expression given, only that one.
std::vector<PageBreaks::Span> FormulaExport::Rows(CVexlor& view, int expression, int* width,
                                                  int* gap) {
    std::vector<QRect> rects;
    QSize total = view.LayoutAll(&rects);
    *width = total.width();
    *gap = rects.empty() ? 0 : rects.front().top();
    std::vector<PageBreaks::Span> rows;
    for (size_t i = 0; i < rects.size(); ++i)
        if (expression < 0 || static_cast<size_t>(expression) == i)
            rows.push_back({rects[i].top(), rects[i].top() + rects[i].height()});
    return rows;
}

QByteArray FormulaExport::Svg(CVexlor& view, int expression) {
    QRect band = PictureBand(view, expression);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(band.size());
    svg.setViewBox(QRect(QPoint(0, 0), band.size()));
    svg.setResolution(static_cast<int>(kLayoutDpi));
    svg.setTitle(QStringLiteral("Vexlor"));
    QPainter painter(&svg);
    view.RenderBand(&painter, band);
    painter.end();
    return buffer.data();
}

QByteArray FormulaExport::Png(CVexlor& view, double scale, int expression) {
    QRect band = PictureBand(view, expression);
    QSize pixels(std::max(1, static_cast<int>(band.width() * scale + 0.5)),
                 std::max(1, static_cast<int>(band.height() * scale + 0.5)));
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    view.RenderBand(&painter, band);
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

QByteArray FormulaExport::Pdf(CVexlor& view, int expression) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("Vexlor"));
        pdf.setResolution(static_cast<int>(kLayoutDpi));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        if (!PaintPages(view, &pdf, expression))
            return {};
    }
    return buffer.data();
}

// 1. The page's size in layout pixels decides the page breaks.
// 2. Each page paints its band of whole expressions, scaled down when the
//    band is wider or taller than the page.
bool FormulaExport::PaintPages(CVexlor& view, QPagedPaintDevice* device, int expression) {
    int width = 0;
    int gap = 0;
    std::vector<PageBreaks::Span> rows = Rows(view, expression, &width, &gap);
    QPainter painter;
    if (!painter.begin(device))
        return false;
    double toDevice = device->logicalDpiY() / kLayoutDpi;
    double pageWidth = device->width() / toDevice;
    double pageHeight = device->height() / toDevice;
    std::vector<PageBreaks::Span> pages =
        PageBreaks::Split(rows, static_cast<int>(pageHeight), gap);
    for (size_t k = 0; k < pages.size(); ++k) {
        if (k > 0 && !device->newPage())
            return false;
        QRect band = BandOf(pages[k], width);
        double fit = std::min(
            {1.0, pageWidth / std::max(band.width(), 1), pageHeight / std::max(band.height(), 1)});
        painter.save();
        painter.scale(toDevice * fit, toDevice * fit);
        view.RenderBand(&painter, band);
        painter.restore();
    }
    return painter.end();
}

bool FormulaExport::Write(CVexlor& view, const QString& path, double scale, int expression,
                          QString* error) {
    QByteArray bytes;
    switch (FormatOf(path)) {
    case Format::kSvg:
        bytes = Svg(view, expression);
        break;
    case Format::kPng:
        bytes = Png(view, scale, expression);
        break;
    case Format::kPdf:
        bytes = Pdf(view, expression);
        break;
    case Format::kNone:
        *error = QStringLiteral("unknown export format (use .svg, .png or .pdf): ") + path;
        return false;
    }
    QSaveFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        *error = QStringLiteral("cannot write ") + path + QStringLiteral(": ") +
                 (bytes.isEmpty() ? QStringLiteral("nothing was painted") : file.errorString());
        return false;
    }
    return true;
}
