#include "editor/UndoStep.h"

size_t UndoStep::Size() const {
    size_t total = sizeof(UndoStep) + m_caretRow.capacity() + m_tail.capacity();
    for (const Bytes& row : m_rows)
        total += sizeof(Bytes) + row.capacity();
    for (const Packed& packed : m_packed)
        total += sizeof(Packed) + packed.patch.Size();
    return total;
}

int UndoStep::AboveRow(const UndoStep& above, size_t row) const {
    int k = m_nFrom + static_cast<int>(row) - above.m_nFrom;
    return k >= 0 && k < static_cast<int>(above.m_rows.size()) ? k : -1;
}

void UndoStep::PackAgainst(const UndoStep& above) {
    for (size_t j = 0; j < m_rows.size(); ++j) {
        int k = AboveRow(above, j);
        if (k < 0 || m_rows[j].empty())
            continue;
        const Bytes& base = above.m_rows[static_cast<size_t>(k)];
        BytePatch patch = BytePatch::Make(m_rows[j], base);
        if (patch.Size() >= m_rows[j].capacity())
            continue;
        m_packed.push_back(Packed{j, static_cast<size_t>(k), std::move(patch)});
        Bytes().swap(m_rows[j]);
    }
}

bool UndoStep::UnpackAgainst(const UndoStep& above) {
    bool whole = true;
    for (const Packed& packed : m_packed) {
        const Bytes* base =
            packed.above < above.m_rows.size() ? &above.m_rows[packed.above] : nullptr;
        if (!base || !packed.patch.Apply(*base, &m_rows[packed.row]))
            whole = false;
    }
    m_packed.clear();
    return whole;
}
