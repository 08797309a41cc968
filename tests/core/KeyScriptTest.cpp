// The batch mode's key script notation.
#include <gtest/gtest.h>

#include "app/KeyScript.h"
#include "platform/Keys.h"

namespace {

std::vector<KeyEvent> Parse(const std::string& script) {
    std::vector<KeyEvent> events;
    std::string error;
    EXPECT_TRUE(KeyScript::Parse(script, &events, &error)) << script << ": " << error;
    return events;
}

TEST(KeyScript, CharactersAreTypedAsWindows1251Bytes) {
    auto events = Parse("a \xD1\x8F"); // "a", blank, Cyrillic ya in UTF-8
    ASSERT_EQ(events.size(), 3u);
    EXPECT_TRUE(events[0].m_bTyped);
    EXPECT_EQ(events[0].m_byte, 'a');
    EXPECT_EQ(events[1].m_byte, ' ');
    EXPECT_EQ(events[2].m_byte, 0xFF);
}

TEST(KeyScript, NamedKeysAndModifiers) {
    auto events = Parse("<Left><pageup><CR><C-S-Left><s-DEL><A-BS><C-f><c-Z><C-Ins><lt><Esc>");
    ASSERT_EQ(events.size(), 11u);
    EXPECT_EQ(events[0].m_vk, VK_LEFT);
    EXPECT_EQ(events[1].m_vk, VK_PRIOR);
    EXPECT_EQ(events[2].m_vk, VK_RETURN);
    EXPECT_TRUE(events[3].m_bControl && events[3].m_bShift && !events[3].m_bAlt);
    EXPECT_EQ(events[3].m_vk, VK_LEFT);
    EXPECT_TRUE(events[4].m_bShift);
    EXPECT_EQ(events[4].m_vk, VK_DELETE);
    EXPECT_TRUE(events[5].m_bAlt);
    EXPECT_EQ(events[5].m_vk, VK_BACK);
    EXPECT_EQ(events[6].m_vk, static_cast<unsigned>('F'));
    EXPECT_EQ(events[7].m_vk, static_cast<unsigned>('Z'));
    EXPECT_EQ(events[8].m_vk, VK_INSERT);
    EXPECT_TRUE(events[9].m_bTyped);
    EXPECT_EQ(events[9].m_byte, '<');
    EXPECT_EQ(events[10].m_vk, VK_ESCAPE);
}

TEST(KeyScript, BadScriptsAreRefusedWithAMessage) {
    for (const char* bad : {"<Nope>", "<Left", "<C->", "<>", "\xE4\xB8\xAD", "\xFF", "<C-lt>"}) {
        std::vector<KeyEvent> events;
        std::string error;
        EXPECT_FALSE(KeyScript::Parse(bad, &events, &error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

} // namespace
