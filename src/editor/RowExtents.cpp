#include "editor/RowExtents.h"

#include <algorithm>

void RowExtents::Resize(int n) {
    n = std::max(n, 0);
    if (n <= m_nCapacity) {
        // Leaves past the last row are always empty, so rows added need
        // nothing and rows dropped are emptied.
        for (int i = n; i < m_nCount; ++i)
            Set(i, 0, 0);
        m_nCount = n;
        return;
    }
    int capacity = m_nCapacity;
    while (capacity < n)
        capacity *= 2;
    // 1. The leaves kept, in a tree of the new capacity.
    std::vector<int64_t> steps(2 * static_cast<size_t>(capacity));
    std::vector<int32_t> widths(2 * static_cast<size_t>(capacity));
    for (int i = 0; i < m_nCount; ++i) {
        steps[static_cast<size_t>(capacity + i)] = m_steps[static_cast<size_t>(Leaf(i))];
        widths[static_cast<size_t>(capacity + i)] = m_widths[static_cast<size_t>(Leaf(i))];
    }
    m_steps.swap(steps);
    m_widths.swap(widths);
    m_nCapacity = capacity;
    m_nCount = n;
    // 2. The sums above them.
    Rebuild();
}

void RowExtents::SetLeaf(int i, int64_t step, int32_t width) {
    if (i < 0 || i >= m_nCount)
        return;
    m_steps[static_cast<size_t>(Leaf(i))] = std::max<int64_t>(step, 0);
    m_widths[static_cast<size_t>(Leaf(i))] = width;
}

void RowExtents::Set(int i, int64_t step, int32_t width) {
    if (i < 0 || i >= m_nCount)
        return;
    SetLeaf(i, step, width);
    for (int node = Leaf(i) / 2; node >= 1; node /= 2)
        Pull(node);
}

void RowExtents::Rebuild() {
    for (int node = m_nCapacity - 1; node >= 1; --node)
        Pull(node);
}

void RowExtents::Pull(int node) {
    size_t k = static_cast<size_t>(node);
    m_steps[k] = m_steps[2 * k] + m_steps[2 * k + 1];
    m_widths[k] = std::max(m_widths[2 * k], m_widths[2 * k + 1]);
}

int64_t RowExtents::StepsBefore(int i) const {
    i = std::clamp(i, 0, m_nCount);
    // Sums the nodes covering leaves 0 .. i-1, from the leaves up.
    int64_t sum = 0;
    for (int lo = Leaf(0), hi = Leaf(i); lo < hi; lo /= 2, hi /= 2) {
        if (lo & 1)
            sum += m_steps[static_cast<size_t>(lo++)];
        if (hi & 1)
            sum += m_steps[static_cast<size_t>(--hi)];
    }
    return sum;
}

int RowExtents::RowsWithin(int64_t limit) const {
    if (limit < 0 || m_nCount == 0)
        return 0;
    if (m_steps[1] <= limit)
        return m_nCount;
    // Descends towards the first row whose step passes the limit.
    int node = 1;
    int64_t sum = 0;
    while (node < m_nCapacity) {
        int64_t left = m_steps[static_cast<size_t>(2 * node)];
        if (sum + left <= limit) {
            sum += left;
            node = 2 * node + 1;
        } else {
            node = 2 * node;
        }
    }
    return std::min(node - m_nCapacity, m_nCount);
}
