// The bytes of one image written as their differences from another: the
// runs that differ at the same offsets, and the tail both share. Two images
// of one row taken before and after a typed character differ in a few
// places (the row's extent, the new atom, the end atom), so the patch is
// small however long the row is. Applying a patch to the image it was made
// against gives the original bytes back exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class BytePatch {
  public:
    using Bytes = std::vector<uint8_t>;

    // The patch that turns base into target.
    static BytePatch Make(const Bytes& target, const Bytes& base);
    // target, rebuilt from the base the patch was made against; false (and
    // *target empty) when base cannot be that image.
    bool Apply(const Bytes& base, Bytes* target) const;
    // Bytes the patch holds.
    size_t Size() const;

  private:
    struct Run {
        uint32_t offset = 0;
        Bytes bytes;
    };
    // Runs closer than this are written as one, the equal bytes between
    // them included.
    static constexpr size_t kJoin = 16;

    size_t m_nSize = 0;     // of the target
    size_t m_nBaseSize = 0; // of the base it was made against
    size_t m_nTail = 0;     // bytes at the end shared with the base's end
    std::vector<Run> m_runs;
};
