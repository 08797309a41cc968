// The typeset model out of the program: an SVG or PNG picture of the whole
// model or of one expression, and pages of whole expressions for a PDF file
// or a printer. Everything is painted by the editor window's own code.
#pragma once

#include <QString>
#include <vector>

#include "app/PageBreaks.h"

class CVexlor;
class QIODevice;
class QPagedPaintDevice;
class QPainter;

class FormulaExport {
  public:
    enum class Format { kNone, kSvg, kPng, kPdf };

    // The format an output name asks for by its extension (any case).
    static Format FormatOf(const QString& path);
    // Writes the picture or the pages to path; expression -1 is the whole
    // model. PNG pixels are the layout's times scale. The file is replaced
    // only when all of it was written. On failure *error says why.
    static bool Write(CVexlor& view, const QString& path, double scale, int expression,
                      QString* error);
    // Paints pages of whole expressions onto a paged device (a PDF writer,
    // a printer): 1 layout pixel is 1/96 inch; an expression taller than a
    // page is scaled down to fit.
    static bool PaintPages(CVexlor& view, QPagedPaintDevice* device, int expression);

  private:
    // The layout's expressions: all of them, or the one given; with the
    // layout's width and the gap between expressions.
    static std::vector<PageBreaks::Span> Rows(CVexlor& view, int expression, int* width, int* gap);
    static bool Svg(CVexlor& view, int expression, QIODevice* out, QString* error);
    static QByteArray Png(CVexlor& view, double scale, int expression, QString* error);
    static bool Pdf(CVexlor& view, int expression, QIODevice* out);
};
