// The vertical steps and widths of the top-level rows, summed and compared
// in a balanced tree ordered by row (a treap with hashed priorities): the
// top of any row, the row at a height and the widest row each cost one walk
// from the root, so a row that changes height moves every row below it
// without visiting them, and a row inserted or removed anywhere costs the
// same walk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class RowExtents {
  public:
    // Rows 0 .. n-1: rows kept keep their extents, rows added at the end
    // are empty, rows past n go.
    void Resize(int n);
    int Count() const { return Size(m_root); }
    // count empty rows before row i (i clamped to 0 .. n); the rows from i
    // on follow them.
    void Insert(int i, int count);
    // Rows i .. i+count-1 (clamped into the rows) go; the rows after them
    // take their places.
    void Erase(int i, int count);

    // Row i steps down by step (its height and the gap after it, taken as
    // 0 .. INT32_MAX) and is width wide. Out-of-range rows are ignored.
    void Set(int i, int64_t step, int32_t width);
    // The same without bringing the sums up to date; Rebuild does, for all.
    void SetLeaf(int i, int64_t step, int32_t width);
    void Rebuild();

    // Row i's step as kept (0 out of range).
    int64_t Step(int i) const;
    // The sum of the steps of the rows before row i (i clamped to 0 .. n).
    int64_t StepsBefore(int i) const;
    int64_t TotalSteps() const { return Sum(m_root); }
    // The widest row's width; 0 without rows.
    int32_t MaxWidth() const { return m_root < 0 ? 0 : At(m_root).widest; }
    // How many rows, counted from the first, step down no more than limit
    // together (0 .. n; 0 when limit < 0).
    int RowsWithin(int64_t limit) const;

  private:
    // 32 bytes a row; a node's priority is a hash of its index.
    struct Node {
        int64_t sum = 0; // of the steps in the subtree
        int32_t step = 0;
        int32_t width = 0;
        int32_t widest = 0; // in the subtree
        int32_t size = 1;   // rows in the subtree
        int32_t left = -1;
        int32_t right = -1;
    };

    Node& At(int32_t node) { return m_nodes[static_cast<size_t>(node)]; }
    const Node& At(int32_t node) const { return m_nodes[static_cast<size_t>(node)]; }
    int Size(int32_t node) const { return node < 0 ? 0 : At(node).size; }
    int64_t Sum(int32_t node) const { return node < 0 ? 0 : At(node).sum; }
    // The node of row i (0 <= i < n).
    int32_t NodeOf(int i) const;
    void Pull(int32_t node);
    void PullAll(int32_t node);
    void SetIn(int32_t node, int i, int32_t step, int32_t width);
    // The first k rows of node's subtree and the rest, as two subtrees.
    void Split(int32_t node, int k, int32_t* left, int32_t* right);
    int32_t Merge(int32_t left, int32_t right);
    // A subtree of the given nodes, in row order.
    int32_t Build(const std::vector<int32_t>& nodes);
    int32_t NewNode(int32_t step, int32_t width);
    static uint32_t Priority(int32_t node);
    void CollectInOrder(int32_t node, std::vector<Node>* rows) const;
    void FreeSubtree(int32_t node);

    std::vector<Node> m_nodes;
    std::vector<int32_t> m_free;
    int32_t m_root = -1;
    // While rows were only added or dropped at the end since the last
    // Rebuild, node i is row i and needs no walk to be found.
    bool m_bInOrder = true;
};
