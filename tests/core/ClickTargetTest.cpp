// A click on what a structure shows lands in the row that shows it: the
// centre of an exponent, an index or a denominator inside an exponent puts
// the caret in that row, not in a base that happens to be asked first.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "TreeCheck.h"
#include "elements/EqAtom.h"
#include "rows/EqExpr.h"
#include "rows/TreeDump.h"

namespace {

struct Click {
    const char* text;
    // The row clicked, as atom.row steps from the top row ("4.1/1.1").
    const char* path;
};

const Click kClicks[] = {
    {"y = x**2 + 1", "4.1"},      // the exponent
    {"y = x[i] + 1", "4.1"},      // a low index
    {"y = pow(x[k], 3)", "4.2"},  // the power of a power index
    {"y = pow(x[k], 3)", "4.1"},  // its low index
    {"z = exp(-t/T)", "4.1/1.1"}, // the denominator inside an exponent
    {"z = exp(-t/T)", "4.1/1.0"}, // the numerator inside an exponent
    {"q = a**(b/c)", "4.1/0.1"},  // a denominator in a bracketed exponent
};

// The row that path leads to from top, or null.
const CEqExpr* RowAt(const CEqExpr& top, const std::string& path) {
    const CEqExpr* row = &top;
    std::istringstream steps(path);
    std::string step;
    while (row && std::getline(steps, step, '/')) {
        int atom = std::stoi(step.substr(0, step.find('.')));
        int index = std::stoi(step.substr(step.find('.') + 1));
        const CEqAtom* a = row->GetAt(atom);
        row = a ? a->GetRow(index) : nullptr;
    }
    return row;
}

TEST(ClickTarget, CentreOfAShownRowLandsInIt) {
    for (const Click& c : kClicks) {
        TestEditor ed;
        std::unique_ptr<CEqExpr> top(ed.RowOf(c.text));
        top->Trim();
        top->Compose();
        ed.Layout(top.get());
        const CEqExpr* target = RowAt(*top, c.path);
        ASSERT_NE(target, nullptr) << c.text << " " << TreeDump::Dump(*top);
        const RECT& r = target->m_rect;
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ASSERT_TRUE(top->HitTest(&centre)) << c.text;
        EXPECT_EQ(ed.data->CurrentRow(), target)
            << c.text << " " << c.path << " went to " << TreeDump::CaretPath(*top, *ed.data);
    }
}

TEST(ClickTarget, PointsOutsideEveryRowStillClampIntoTheNearest) {
    // Above the exponent and left of the base: the old order with clamping.
    TestEditor ed;
    std::unique_ptr<CEqExpr> top(ed.RowOf("x**2"));
    top->Compose();
    ed.Layout(top.get());
    const CEqAtom* power = top->GetAt(0);
    POINT below{power->GetRow(1)->m_rect.left + 1, power->m_rect.bottom - 1};
    ASSERT_TRUE(top->HitTest(&below));
    EXPECT_EQ(ed.data->CurrentRow(), power->GetRow(0));
    EXPECT_EQ(ed.data->CaretPos(), 1);
}

} // namespace
