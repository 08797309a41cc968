// The tree of row extents answers as running sums and maxima over the same
// rows would, through growth, shrinking, insertions and removals anywhere,
// changes and bulk loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "editor/RowExtents.h"

namespace {

struct Row {
    int64_t step;
    int32_t width;
};

// The largest k with the first k steps summing to no more than limit.
int NaiveRowsWithin(const std::vector<Row>& rows, int64_t limit) {
    if (limit < 0)
        return 0;
    int64_t sum = 0;
    int k = 0;
    for (const Row& r : rows) {
        sum += std::max<int64_t>(r.step, 0);
        if (sum > limit)
            break;
        ++k;
    }
    return k;
}

void ExpectSameAsSums(const RowExtents& tree, const std::vector<Row>& rows) {
    ASSERT_EQ(tree.Count(), static_cast<int>(rows.size()));
    int64_t sum = 0;
    int32_t widest = 0;
    for (size_t i = 0; i <= rows.size(); ++i) {
        ASSERT_EQ(tree.StepsBefore(static_cast<int>(i)), sum) << i;
        for (int64_t limit : {sum - 1, sum, sum + 1})
            ASSERT_EQ(tree.RowsWithin(limit), NaiveRowsWithin(rows, limit)) << i << " " << limit;
        if (i < rows.size()) {
            ASSERT_EQ(tree.Step(static_cast<int>(i)), std::max<int64_t>(rows[i].step, 0)) << i;
            sum += std::max<int64_t>(rows[i].step, 0);
            widest = std::max(widest, rows[i].width);
        }
    }
    EXPECT_EQ(tree.TotalSteps(), sum);
    EXPECT_EQ(tree.MaxWidth(), widest);
    EXPECT_EQ(tree.StepsBefore(-3), 0);
    EXPECT_EQ(tree.StepsBefore(static_cast<int>(rows.size()) + 3), sum);
}

TEST(RowExtents, AnswersAsRunningSumsThroughEveryChange) {
    std::mt19937 random(7);
    RowExtents tree;
    std::vector<Row> rows;
    ExpectSameAsSums(tree, rows);
    for (int round = 0; round < 1000; ++round) {
        int what = static_cast<int>(random() % 6);
        if (what == 4) { // rows inserted anywhere, the end and past it included
            int i = static_cast<int>(random() % (rows.size() + 3));
            int count = static_cast<int>(random() % 4);
            tree.Insert(i, count);
            rows.insert(rows.begin() + std::min<size_t>(static_cast<size_t>(i), rows.size()),
                        static_cast<size_t>(count), Row{0, 0});
        } else if (what == 5) { // rows removed anywhere, past the end clamped
            size_t i = random() % (rows.size() + 2);
            size_t count = random() % 4;
            tree.Erase(static_cast<int>(i), static_cast<int>(count));
            if (i < rows.size())
                rows.erase(rows.begin() + static_cast<long>(i),
                           rows.begin() + static_cast<long>(std::min(i + count, rows.size())));
        } else if (what == 0) { // grow or shrink, past the capacity and back
            int n = static_cast<int>(random() % 70);
            tree.Resize(n);
            rows.resize(static_cast<size_t>(n), Row{0, 0});
        } else if (what == 3 && !rows.empty()) { // a bulk load of leaves
            for (size_t i = random() % rows.size(); i < rows.size(); ++i) {
                rows[i] = Row{static_cast<int64_t>(random() % 40) - 5,
                              static_cast<int32_t>(random() % 500)};
                tree.SetLeaf(static_cast<int>(i), rows[i].step, rows[i].width);
            }
            tree.Rebuild();
        } else if (!rows.empty()) { // one row changes, possibly to nothing
            size_t i = random() % rows.size();
            rows[i] =
                Row{static_cast<int64_t>(random() % 40) - 5, static_cast<int32_t>(random() % 500)};
            tree.Set(static_cast<int>(i), rows[i].step, rows[i].width);
        }
        SCOPED_TRACE(round);
        ExpectSameAsSums(tree, rows);
    }
    // Rows out of range change nothing.
    tree.Set(-1, 99, 99);
    tree.Set(tree.Count(), 99, 99);
    ExpectSameAsSums(tree, rows);
}

} // namespace
