#include "editor/UndoSnapshot.h"

#include <string_view>
#include <unordered_map>

namespace {
size_t HashOf(const UndoSnapshot::Bytes& b) {
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}
} // namespace

UndoSnapshot::UndoSnapshot(std::vector<Bytes> rows, Bytes tail, const UndoSnapshot* previous) {
    std::unordered_multimap<size_t, Part> known;
    if (previous)
        for (const Part& part : previous->m_rows)
            known.emplace(HashOf(*part), part);
    m_rows.reserve(rows.size());
    for (Bytes& row : rows) {
        Part shared;
        auto [from, to] = known.equal_range(HashOf(row));
        for (auto it = from; it != to && !shared; ++it)
            if (*it->second == row)
                shared = it->second;
        m_rows.push_back(shared ? shared : std::make_shared<const Bytes>(std::move(row)));
    }
    m_tail = std::make_shared<const Bytes>(std::move(tail));
}

UndoSnapshot::Bytes UndoSnapshot::Image() const {
    Bytes image;
    uint32_t n = static_cast<uint32_t>(m_rows.size());
    for (int i = 0; i < 4; ++i)
        image.push_back(static_cast<uint8_t>(n >> (8 * i)));
    for (const Part& row : m_rows)
        image.insert(image.end(), row->begin(), row->end());
    if (m_tail)
        image.insert(image.end(), m_tail->begin(), m_tail->end());
    return image;
}
