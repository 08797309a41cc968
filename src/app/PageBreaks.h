// Splits the typeset expressions into pages for export and printing: every
// page holds whole expressions, as many as fit one below the other; an
// expression taller than a page has a page of its own (the printer scales
// it down).
#pragma once

#include <vector>

class PageBreaks {
  public:
    // The vertical extent of one expression, or of one page's band.
    struct Span {
        int top;
        int bottom;
        bool operator==(const Span&) const = default;
    };

    // The bands of the pages, in order, for expressions in layout order
    // with margin above the first and below the last of each page. No
    // expressions, or a page height below one, give no pages.
    static std::vector<Span> Split(const std::vector<Span>& rows, int pageHeight, int margin);
};
