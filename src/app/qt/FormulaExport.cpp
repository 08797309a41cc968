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
#include <cmath>
#include <cstdint>

#include "editor/VexlorData.h"
#include "editor/qt/Vexlor.h"
#include "elements/EqAtom.h"
#include "rows/EqExpr.h"

namespace {
// Layout pixels are screen pixels of 1/96 inch.
constexpr double kLayoutDpi = 96.0;
// The largest PNG picture: a side PNG readers accept (libpng's default
// limit) and an image Qt programs will open (its default allocation limit).
constexpr int64_t kMaxPngSide = 1000000;
constexpr int64_t kMaxPngBytes = int64_t{256} << 20;
// The most characters an SVG picture takes: the generator keeps the whole
// document in memory, several kilobytes for each character's outline.
constexpr int64_t kMaxSvgCharacters = 50000;

// The characters a row paints: its symbols other than blanks, nested rows
// included.
int64_t InkedCharacters(const CEqExpr& row) {
    int64_t n = 0;
    for (int i = 0; i + 1 < row.GetCount(); ++i) {
        const CEqAtom* atom = row.GetAt(i);
        if (atom->IsSymbol())
            n += row.IsSpaceAt(i) ? 0 : 1;
        for (const CEqExpr* inner : atom->Rows())
            n += InkedCharacters(*inner);
    }
    return n;
}

int64_t InkedCharacters(CVexlor& view, int expression) {
    int64_t n = 0;
    int i = 0;
    view.GetData()->VisitRows([&](const CEqExpr& row) {
        if (expression < 0 || expression == i)
            n += InkedCharacters(row);
        ++i;
    });
    return n;
}

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

bool FormulaExport::Svg(CVexlor& view, int expression, QIODevice* out, QString* error) {
    if (int64_t n = InkedCharacters(view, expression); n > kMaxSvgCharacters) {
        *error = QStringLiteral("the picture would hold %1 characters, more than an SVG file "
                                "takes (%2); export it as PDF, or one expression at a time")
                     .arg(n)
                     .arg(kMaxSvgCharacters);
        return false;
    }
    QRect band = PictureBand(view, expression);
    QSvgGenerator svg;
    svg.setOutputDevice(out);
    svg.setSize(band.size());
    svg.setViewBox(QRect(QPoint(0, 0), band.size()));
    svg.setResolution(static_cast<int>(kLayoutDpi));
    svg.setTitle(QStringLiteral("Vexlor"));
    QPainter painter(&svg);
    view.RenderBand(&painter, band);
    return painter.end();
}

// A picture too large to hold or to open is refused before any of it is
// allocated: a large model goes to SVG or PDF instead.
QByteArray FormulaExport::Png(CVexlor& view, double scale, int expression, QString* error) {
    QRect band = PictureBand(view, expression);
    int64_t width = std::max<int64_t>(1, std::llround(band.width() * scale));
    int64_t height = std::max<int64_t>(1, std::llround(band.height() * scale));
    if (width > kMaxPngSide || height > kMaxPngSide || width * height * 4 > kMaxPngBytes) {
        *error = QStringLiteral("the picture would be %1 x %2 pixels, too large for PNG; "
                                "export it as SVG or PDF")
                     .arg(width)
                     .arg(height);
        return {};
    }
    QSize pixels(static_cast<int>(width), static_cast<int>(height));
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) {
        *error = QStringLiteral("not enough memory for a picture of %1 x %2 pixels")
                     .arg(width)
                     .arg(height);
        return {};
    }
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

bool FormulaExport::Pdf(CVexlor& view, int expression, QIODevice* out) {
    QPdfWriter pdf(out);
    pdf.setCreator(QStringLiteral("Vexlor"));
    pdf.setResolution(static_cast<int>(kLayoutDpi));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    return PaintPages(view, &pdf, expression);
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

// SVG and PDF go straight into the file as they are painted, so a large
// model is never held in memory twice over.
bool FormulaExport::Write(CVexlor& view, const QString& path, double scale, int expression,
                          QString* error) {
    Format format = FormatOf(path);
    if (format == Format::kNone) {
        *error = QStringLiteral("unknown export format (use .svg, .png or .pdf): ") + path;
        return false;
    }
    QSaveFile file(path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
    } else {
        bool painted = false;
        if (format == Format::kPng) {
            QByteArray bytes = Png(view, scale, expression, &reason);
            painted = !bytes.isEmpty() && file.write(bytes) == bytes.size();
        } else {
            painted = format == Format::kSvg ? Svg(view, expression, &file, &reason)
                                             : Pdf(view, expression, &file);
        }
        if (painted && file.commit())
            return true;
        if (reason.isEmpty())
            reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                          : QStringLiteral("nothing was painted");
        file.cancelWriting();
    }
    *error = QStringLiteral("cannot write ") + path + QStringLiteral(": ") + reason;
    return false;
}
