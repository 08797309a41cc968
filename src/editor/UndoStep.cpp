#include "editor/UndoStep.h"

size_t UndoStep::Size() const {
    size_t total = sizeof(UndoStep) + m_caretRow.capacity() + m_tail.capacity();
    for (const Bytes& row : m_rows)
        total += sizeof(Bytes) + row.capacity();
    return total;
}
