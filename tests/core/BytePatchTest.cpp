// Patches between images give the original bytes back exactly, stay small
// where images differ in few places, and refuse a base of another size.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editor/BytePatch.h"

namespace {

BytePatch::Bytes B(const std::string& s) {
    return BytePatch::Bytes(s.begin(), s.end());
}

TEST(BytePatch, ApplyingToItsBaseGivesTheTargetBack) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"abc", ""},
        {"", "abc"},
        {"same bytes", "same bytes"},
        {"Xbcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrstuvwxyz"},
        {"abcdefghijklmnopqrstuvwxyZ", "abcdefghijklmnopqrstuvwxyz"},
        {"abcdefghijklmnopqrstuvwxyz+", "abcdefghijklmnopqrstuvwxyz"},
        {"abcdefghijklm", "abcdefghijklmnopqrstuvwxyz"},
        {"a1cdefghijklmnopqrstuvw2yz!", "abcdefghijklmnopqrstuvwxyz"},
        {"zzzz", "zz"},
        {"unrelated", "0123456789abcdef0123456789"},
    };
    for (const auto& [target, base] : cases) {
        BytePatch patch = BytePatch::Make(B(target), B(base));
        BytePatch::Bytes out;
        ASSERT_TRUE(patch.Apply(B(base), &out)) << target;
        EXPECT_EQ(out, B(target)) << target << " from " << base;
    }
    std::mt19937 random(11);
    for (int round = 0; round < 500; ++round) {
        BytePatch::Bytes base(random() % 300), target;
        for (uint8_t& b : base)
            b = static_cast<uint8_t>(random() % 4);
        target = base;
        for (int edits = static_cast<int>(random() % 6); edits > 0; --edits) {
            size_t at = target.empty() ? 0 : random() % target.size();
            if (random() % 2)
                target.insert(target.begin() + static_cast<long>(at),
                              static_cast<uint8_t>(random() % 4));
            else if (!target.empty())
                target[at] = static_cast<uint8_t>(random() % 4);
        }
        BytePatch::Bytes out;
        ASSERT_TRUE(BytePatch::Make(target, base).Apply(base, &out));
        ASSERT_EQ(out, target) << "round " << round;
    }
}

TEST(BytePatch, FewDifferencesMakeASmallPatchAndOnlyItsBaseFits) {
    BytePatch::Bytes base(100000, 7);
    BytePatch::Bytes target = base;
    target[3] = 1;
    target.push_back(9);
    BytePatch patch = BytePatch::Make(target, base);
    EXPECT_LT(patch.Size(), 200u);
    BytePatch::Bytes out = B("stale");
    base.pop_back();
    EXPECT_FALSE(patch.Apply(base, &out));
    EXPECT_TRUE(out.empty());
}

} // namespace
