// Pages of whole expressions for export and printing.
#include <gtest/gtest.h>

#include "app/PageBreaks.h"

namespace {
using Span = PageBreaks::Span;

struct Case {
    std::vector<Span> rows;
    int pageHeight;
    std::vector<Span> pages;
};

TEST(PageBreaks, WholeExpressionsPerPage) {
    const Case cases[] = {
        // Three rows of 20 with gaps of 10 fit a page of 100.
        {{{10, 30}, {40, 60}, {70, 90}}, 100, {{0, 100}}},
        // A page of 70 takes two of them; the third starts a new page.
        {{{10, 30}, {40, 60}, {70, 90}}, 70, {{0, 70}, {60, 100}}},
        // Every row alone.
        {{{10, 30}, {40, 60}, {70, 90}}, 40, {{0, 40}, {30, 70}, {60, 100}}},
        // A row taller than a page has a page of its own.
        {{{10, 30}, {40, 200}, {210, 230}}, 60, {{0, 40}, {30, 210}, {200, 240}}},
        {{}, 100, {}},
        {{{10, 30}}, 0, {}},
    };
    for (const Case& c : cases) {
        std::vector<Span> pages = PageBreaks::Split(c.rows, c.pageHeight, 10);
        EXPECT_EQ(pages, c.pages) << c.pageHeight;
    }
}
} // namespace
