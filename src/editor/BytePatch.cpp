#include "editor/BytePatch.h"

#include <algorithm>

BytePatch BytePatch::Make(const Bytes& target, const Bytes& base) {
    BytePatch patch;
    patch.m_nSize = target.size();
    patch.m_nBaseSize = base.size();
    // 1. The tail both share.
    size_t common = std::min(target.size(), base.size());
    while (patch.m_nTail < common &&
           target[target.size() - 1 - patch.m_nTail] == base[base.size() - 1 - patch.m_nTail])
        ++patch.m_nTail;
    // 2. The head: runs where target differs from base at the same offset;
    // beyond the end of base every byte differs.
    size_t head = target.size() - patch.m_nTail;
    size_t i = 0;
    while (i < head) {
        if (i < base.size() && target[i] == base[i]) {
            ++i;
            continue;
        }
        size_t end = i + 1;
        for (size_t equal = 0; end < head && equal < kJoin; ++end)
            equal = end < base.size() && target[end] == base[end] ? equal + 1 : 0;
        // 3. A run ends before the equal bytes that closed it.
        while (end > i + 1 && end <= base.size() && target[end - 1] == base[end - 1])
            --end;
        patch.m_runs.push_back(
            Run{static_cast<uint32_t>(i), Bytes(target.begin() + i, target.begin() + end)});
        i = end;
    }
    return patch;
}

bool BytePatch::Apply(const Bytes& base, Bytes* target) const {
    target->clear();
    if (base.size() != m_nBaseSize)
        return false;
    target->resize(m_nSize);
    size_t head = m_nSize - m_nTail;
    std::copy_n(base.begin(), std::min(head, base.size()), target->begin());
    for (const Run& run : m_runs)
        std::copy(run.bytes.begin(), run.bytes.end(), target->begin() + run.offset);
    std::copy(base.end() - static_cast<std::ptrdiff_t>(m_nTail), base.end(),
              target->begin() + static_cast<std::ptrdiff_t>(head));
    return true;
}

size_t BytePatch::Size() const {
    size_t total = sizeof(BytePatch);
    for (const Run& run : m_runs)
        total += sizeof(Run) + run.bytes.capacity();
    return total;
}
