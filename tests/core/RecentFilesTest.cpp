#include "app/RecentFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Names = std::vector<std::string>;

TEST(RecentFilesTest, StoredListIsCleanedUp) {
    struct Case {
        Names stored;
        Names kept;
    };
    const Case cases[] = {
        {{}, {}},
        {{"/a", "", "/b", "/a"}, {"/a", "/b"}},
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         {"1", "2", "3", "4", "5", "6", "7", "8"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecentFiles(c.stored).Names(), c.kept);
}

TEST(RecentFilesTest, NewestFirstAtMostEight) {
    RecentFiles recent({"/a", "/b", "/c"});
    recent.Add("/b");
    EXPECT_EQ(recent.Names(), Names({"/b", "/a", "/c"}));
    recent.Add("");
    recent.Remove("/a");
    recent.Remove("/none");
    EXPECT_EQ(recent.Names(), Names({"/b", "/c"}));
    for (int i = 0; i < 10; ++i)
        recent.Add("/n" + std::to_string(i));
    ASSERT_EQ(recent.Names().size(), RecentFiles::kMax);
    EXPECT_EQ(recent.Names().front(), "/n9");
    EXPECT_EQ(recent.Names().back(), "/n2");
}
