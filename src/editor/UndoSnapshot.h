// One undo or redo step: the editor's whole archive image, kept as the
// images of its rows plus the rest. A row whose image is the same as in
// the step before shares that step's bytes, so a long history holds memory
// in proportion to what changed rather than to steps times model size.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class UndoSnapshot {
  public:
    using Bytes = std::vector<uint8_t>;
    using Part = std::shared_ptr<const Bytes>;

    UndoSnapshot() = default;
    // rows: each row's image in order; tail: everything after the rows.
    // Row images equal to one of previous's share its bytes.
    UndoSnapshot(std::vector<Bytes> rows, Bytes tail, const UndoSnapshot* previous);

    // The whole image: the row count, the row images, the tail.
    Bytes Image() const;
    const std::vector<Part>& Rows() const { return m_rows; }
    const Part& Tail() const { return m_tail; }

  private:
    std::vector<Part> m_rows;
    Part m_tail;
};
