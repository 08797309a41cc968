// One undo or redo step: what an edit changed, not the whole document. A
// step replaces a run of consecutive rows by the images it holds and puts
// back the editor state (caret, anchor, selection, scroll) kept in its
// tail. A step that does not hold the row of its caret keeps that row's
// image besides, so the caret finds its place in the row's geometry as it
// was when the step was taken.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "editor/BytePatch.h"

class UndoStep {
  public:
    using Bytes = std::vector<uint8_t>;

    UndoStep() = default;
    // from: the index of the first row the step replaces; rows: the images
    // put there; rowCount: the number of rows of the state the step brings
    // back; caretRow: the image of the caret's row when rows do not hold it
    // (empty otherwise); tail: the editor state after the rows; nextTop:
    // the scroll-independent top left corner of the last row.
    UndoStep(int from, std::vector<Bytes> rows, int rowCount, Bytes caretRow, Bytes tail,
             int lastLeft, int lastTop)
        : m_nFrom(from), m_nRowCount(rowCount), m_nLastLeft(lastLeft), m_nLastTop(lastTop),
          m_rows(std::move(rows)), m_caretRow(std::move(caretRow)), m_tail(std::move(tail)) {}

    int From() const { return m_nFrom; }
    int RowCount() const { return m_nRowCount; }
    int LastLeft() const { return m_nLastLeft; }
    int LastTop() const { return m_nLastTop; }
    const std::vector<Bytes>& Rows() const { return m_rows; }
    const Bytes& CaretRow() const { return m_caretRow; }
    const Bytes& Tail() const { return m_tail; }
    // How many rows of a document of presentCount rows the step replaces;
    // negative when the step cannot belong to such a document.
    int ReplacedCount(int presentCount) const {
        return presentCount - (m_nRowCount - static_cast<int>(m_rows.size()));
    }
    // Bytes the step holds.
    size_t Size() const;

    // Packing, for a step that lies under another in a stack: each row
    // image of which the step above holds a version (the image of the same
    // row) is kept as its differences from that version, where that is
    // smaller. Rows() is then incomplete until the step is unpacked against
    // the same step above.
    void PackAgainst(const UndoStep& above);
    // False (the packed rows lost) when above is not the step it was packed
    // against.
    bool UnpackAgainst(const UndoStep& above);

  private:
    struct Packed {
        size_t row = 0;   // index into m_rows
        size_t above = 0; // index into the rows of the step above
        BytePatch patch;
    };
    // The row of the step above that holds row `row` of this step, or -1.
    int AboveRow(const UndoStep& above, size_t row) const;

    int m_nFrom = 0;
    int m_nRowCount = 0;
    int m_nLastLeft = 0;
    int m_nLastTop = 0;
    std::vector<Bytes> m_rows;
    Bytes m_caretRow;
    Bytes m_tail;
    std::vector<Packed> m_packed;
};
