#include "app/PageBreaks.h"

#include <algorithm>

// 1. A page starts margin above its first expression.
// 2. The next expression joins the page while the page, with the margin
//    below it, still fits the height; otherwise it starts the next page.
// 3. The page ends margin below its last expression.
std::vector<PageBreaks::Span> PageBreaks::Split(const std::vector<Span>& rows, int pageHeight,
                                                int margin) {
    std::vector<Span> pages;
    if (pageHeight < 1)
        return pages;
    margin = std::max(margin, 0);
    size_t i = 0;
    while (i < rows.size()) {
        Span page{std::max(rows[i].top - margin, 0), rows[i].bottom + margin};
        for (++i; i < rows.size() && rows[i].bottom + margin - page.top <= pageHeight; ++i)
            page.bottom = rows[i].bottom + margin;
        pages.push_back(page);
    }
    return pages;
}
