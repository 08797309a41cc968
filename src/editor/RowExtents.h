// The vertical steps and widths of the top-level rows, summed and compared
// in a segment tree: the top of any row, the row at a height and the
// widest row each cost a walk from one leaf or from the root, so a row that
// changes height moves every row below it without visiting them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class RowExtents {
  public:
    // Rows 0 .. n-1; rows kept keep their extents, new rows are empty. The
    // tree only grows: dropping rows empties their leaves.
    void Resize(int n);
    int Count() const { return m_nCount; }

    // Row i steps down by step (its height and the gap after it, taken as
    // at least 0) and is width wide. Out-of-range rows are ignored.
    void Set(int i, int64_t step, int32_t width);
    // The same without bringing the sums up to date; Rebuild does, for all.
    void SetLeaf(int i, int64_t step, int32_t width);
    void Rebuild();

    // Row i's step as kept (0 out of range).
    int64_t Step(int i) const {
        return i >= 0 && i < m_nCount ? m_steps[static_cast<size_t>(Leaf(i))] : 0;
    }
    // The sum of the steps of the rows before row i (i clamped to 0 .. n).
    int64_t StepsBefore(int i) const;
    int64_t TotalSteps() const { return m_nCount ? m_steps[1] : 0; }
    // The widest row's width; 0 without rows.
    int32_t MaxWidth() const { return m_nCount ? m_widths[1] : 0; }
    // How many rows, counted from the first, step down no more than limit
    // together (0 .. n; 0 when limit < 0).
    int RowsWithin(int64_t limit) const;

  private:
    int Leaf(int i) const { return m_nCapacity + i; }
    void Pull(int node);

    int m_nCount = 0;
    int m_nCapacity = 1; // leaves: a power of two >= m_nCount
    // Nodes 1 .. 2*capacity-1; node k's children are 2k and 2k+1.
    std::vector<int64_t> m_steps = std::vector<int64_t>(2);
    std::vector<int32_t> m_widths = std::vector<int32_t>(2);
};
