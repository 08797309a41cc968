#include "editor/RowExtents.h"

#include <algorithm>
#include <climits>

namespace {
int32_t Clamped(int64_t step) {
    return static_cast<int32_t>(std::clamp<int64_t>(step, 0, INT32_MAX));
}
} // namespace

void RowExtents::Resize(int n) {
    n = std::max(n, 0);
    int count = Count();
    if (n > count)
        Insert(count, n - count);
    else if (n < count)
        Erase(n, count - n);
}

void RowExtents::Insert(int i, int count) {
    if (count <= 0)
        return;
    int n = Count();
    i = std::clamp(i, 0, n);
    // 1. The new rows, as a subtree of their own. Rows added at the end of
    //    rows in order (which leave no free nodes) take the next nodes and
    //    keep them in order.
    m_nodes.reserve(m_nodes.size() + static_cast<size_t>(count));
    std::vector<int32_t> nodes(static_cast<size_t>(count));
    for (int32_t& node : nodes)
        node = NewNode(0, 0);
    m_bInOrder = m_bInOrder && i == n;
    // 2. That subtree between the rows before i and the rows from i on.
    int32_t before = -1;
    int32_t after = -1;
    Split(m_root, i, &before, &after);
    m_root = Merge(Merge(before, Build(nodes)), after);
}

void RowExtents::Erase(int i, int count) {
    int n = Count();
    i = std::clamp(i, 0, n);
    count = std::min(count, n - i);
    if (count <= 0)
        return;
    int32_t before = -1;
    int32_t rest = -1;
    int32_t gone = -1;
    int32_t after = -1;
    Split(m_root, i, &before, &rest);
    Split(rest, count, &gone, &after);
    m_root = Merge(before, after);
    // The last rows of rows in order are the last nodes: they are dropped;
    // any other nodes wait in the free list.
    if (m_bInOrder && i + count == n) {
        m_nodes.resize(static_cast<size_t>(i));
    } else {
        FreeSubtree(gone);
        m_bInOrder = false;
    }
}

void RowExtents::SetLeaf(int i, int64_t step, int32_t width) {
    if (i < 0 || i >= Count())
        return;
    Node& node = At(NodeOf(i));
    node.step = Clamped(step);
    node.width = width;
}

void RowExtents::Set(int i, int64_t step, int32_t width) {
    if (i < 0 || i >= Count())
        return;
    SetIn(m_root, i, Clamped(step), width);
}

void RowExtents::Rebuild() {
    if (m_bInOrder) {
        PullAll(m_root);
        return;
    }
    // Rows inserted or removed inside: the rows are laid out again in
    // order, node i for row i, so that walks are spared until the next one.
    std::vector<Node> rows;
    rows.reserve(static_cast<size_t>(Count()));
    CollectInOrder(m_root, &rows);
    m_nodes.clear();
    m_free.clear();
    std::vector<int32_t> nodes;
    nodes.reserve(rows.size());
    for (const Node& row : rows)
        nodes.push_back(NewNode(row.step, row.width));
    m_root = Build(nodes);
    m_bInOrder = true;
}

int64_t RowExtents::Step(int i) const {
    return i >= 0 && i < Count() ? At(NodeOf(i)).step : 0;
}

int64_t RowExtents::StepsBefore(int i) const {
    i = std::clamp(i, 0, Count());
    // Sums the steps of the rows left of the walk towards row i.
    int64_t sum = 0;
    for (int32_t node = m_root; node >= 0;) {
        const Node& n = At(node);
        int before = Size(n.left);
        if (i <= before) {
            node = n.left;
            continue;
        }
        sum += Sum(n.left) + n.step;
        i -= before + 1;
        node = n.right;
    }
    return sum;
}

int RowExtents::RowsWithin(int64_t limit) const {
    if (limit < 0)
        return 0;
    // Descends towards the first row whose step passes the limit.
    int rows = 0;
    int64_t sum = 0;
    for (int32_t node = m_root; node >= 0;) {
        const Node& n = At(node);
        int64_t left = Sum(n.left);
        if (sum + left > limit) {
            node = n.left;
        } else if (sum + left + n.step > limit) {
            return rows + Size(n.left);
        } else {
            sum += left + n.step;
            rows += Size(n.left) + 1;
            node = n.right;
        }
    }
    return rows;
}

int32_t RowExtents::NodeOf(int i) const {
    if (m_bInOrder)
        return i;
    int32_t node = m_root;
    for (;;) {
        const Node& n = At(node);
        int before = Size(n.left);
        if (i == before)
            return node;
        if (i < before) {
            node = n.left;
        } else {
            i -= before + 1;
            node = n.right;
        }
    }
}

void RowExtents::Pull(int32_t node) {
    Node& n = At(node);
    n.sum = n.step;
    n.widest = n.width;
    n.size = 1;
    for (int32_t child : {n.left, n.right}) {
        if (child < 0)
            continue;
        const Node& c = At(child);
        n.sum += c.sum;
        n.widest = std::max(n.widest, c.widest);
        n.size += c.size;
    }
}

void RowExtents::PullAll(int32_t node) {
    if (node < 0)
        return;
    PullAll(At(node).left);
    PullAll(At(node).right);
    Pull(node);
}

void RowExtents::SetIn(int32_t node, int i, int32_t step, int32_t width) {
    Node& n = At(node);
    int before = Size(n.left);
    if (i < before) {
        SetIn(n.left, i, step, width);
    } else if (i > before) {
        SetIn(n.right, i - before - 1, step, width);
    } else {
        n.step = step;
        n.width = width;
    }
    Pull(node);
}

void RowExtents::Split(int32_t node, int k, int32_t* left, int32_t* right) {
    if (node < 0) {
        *left = *right = -1;
        return;
    }
    Node& n = At(node);
    int before = Size(n.left);
    if (k <= before) {
        Split(n.left, k, left, &At(node).left);
        *right = node;
    } else {
        Split(n.right, k - before - 1, &At(node).right, right);
        *left = node;
    }
    Pull(node);
}

int32_t RowExtents::Merge(int32_t left, int32_t right) {
    if (left < 0)
        return right;
    if (right < 0)
        return left;
    if (Priority(left) >= Priority(right)) {
        int32_t merged = Merge(At(left).right, right);
        At(left).right = merged;
        Pull(left);
        return left;
    }
    int32_t merged = Merge(left, At(right).left);
    At(right).left = merged;
    Pull(right);
    return right;
}

int32_t RowExtents::Build(const std::vector<int32_t>& nodes) {
    // 1. Links by priority along the right spine, as a Cartesian tree.
    std::vector<int32_t> spine;
    for (int32_t node : nodes) {
        int32_t last = -1;
        while (!spine.empty() && Priority(spine.back()) < Priority(node)) {
            last = spine.back();
            spine.pop_back();
        }
        At(node).left = last;
        At(node).right = -1;
        if (!spine.empty())
            At(spine.back()).right = node;
        spine.push_back(node);
    }
    // 2. The sums, from the leaves up.
    int32_t root = spine.empty() ? -1 : spine.front();
    PullAll(root);
    return root;
}

int32_t RowExtents::NewNode(int32_t step, int32_t width) {
    Node node;
    node.step = step;
    node.sum = step;
    node.width = width;
    node.widest = width;
    if (!m_free.empty()) {
        int32_t id = m_free.back();
        m_free.pop_back();
        At(id) = node;
        return id;
    }
    m_nodes.push_back(node);
    return static_cast<int32_t>(m_nodes.size() - 1);
}

uint32_t RowExtents::Priority(int32_t node) {
    // The finalizer of MurmurHash3: indexes in order get priorities that
    // look random, the same in every run.
    uint32_t h = static_cast<uint32_t>(node);
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

void RowExtents::CollectInOrder(int32_t node, std::vector<Node>* rows) const {
    if (node < 0)
        return;
    CollectInOrder(At(node).left, rows);
    rows->push_back(At(node));
    CollectInOrder(At(node).right, rows);
}

void RowExtents::FreeSubtree(int32_t node) {
    if (node < 0)
        return;
    FreeSubtree(At(node).left);
    FreeSubtree(At(node).right);
    m_free.push_back(node);
}
