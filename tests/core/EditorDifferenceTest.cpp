// The same random key scripts run against an editor whose undo steps hold
// what changed and whose layout visits what changed, and against one whose
// steps hold the whole document and whose layout visits every row: after
// every key both hold the same image, byte for byte.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/BatchEditor.h"
#include "app/KeyScript.h"

namespace {

// Typing, deleting, structures, Enter, joining, moving, selecting, cut,
// copy and paste, undo and redo.
const char* const kKeys[] = {
    "a",       "b",      "x1",    "+",        "-",          "*",        "/",         "^",
    "(",       ")",      "[",     "]",        "=",          ";",        " ",         "sqrt(",
    "<BS>",    "<BS>",   "<Del>", "<Enter>",  "<Enter>",    "<Left>",   "<Right>",   "<Up>",
    "<Down>",  "<Home>", "<End>", "<PageUp>", "<PageDown>", "<S-Left>", "<S-Right>", "<S-Home>",
    "<S-End>", "<C-x>",  "<C-c>", "<C-v>",    "<S-Del>",    "<S-Ins>",  "<C-z>",     "<C-z>",
    "<C-z>",   "<C-y>",  "<C-y>", "<C-f>",    "<C-r>",      "<C-b>",    "<C-w>",     "<C-i>",
    "<C-d>",   "<C-e>",  "<C-p>",
};

// More rows than the window shows: rows out of sight wait as their lines.
std::string StartText() {
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "y" + std::to_string(i) + " = a/(b + c" + std::to_string(i) +
                ")^2 + sqrt(x)  -- note\n";
    text += "long = " + std::string(300, 'q') + " + 1\n";
    return text;
}

std::vector<KeyEvent> RandomScript(unsigned seed, int length) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> pick(0, std::size(kKeys) - 1);
    std::string script;
    for (int i = 0; i < length; ++i)
        script += kKeys[pick(random)];
    std::vector<KeyEvent> events;
    std::string error;
    EXPECT_TRUE(KeyScript::Parse(script, &events, &error)) << error;
    return events;
}

// Reading the image brings every row to its place, so half the scripts read
// it only now and then, to leave rows out of sight at stale places between.
TEST(EditorWholeModelDifference, EveryKeyLeavesTheSameImage) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        BatchEditor changed;
        BatchEditor whole;
        changed.Install(StartText());
        whole.Install(StartText());
        whole.Data().SetWholeModel(true);
        changed.PaintPass();
        ASSERT_GT(changed.Data().LatentCount(), 10u);
        ASSERT_EQ(whole.Data().LatentCount(), 0u);
        std::vector<KeyEvent> script = RandomScript(seed, 128);
        for (size_t k = 0; k < script.size(); ++k) {
            changed.Deliver(script[k]);
            whole.Deliver(script[k]);
            ASSERT_EQ(changed.Data().GetText(), whole.Data().GetText())
                << "seed " << seed << " key " << k;
            bool everyKey = seed % 2 == 1;
            if (everyKey || k % 16 == 15 || k + 1 == script.size()) {
                ASSERT_EQ(changed.Data().WriteSnapshot(), whole.Data().WriteSnapshot())
                    << "seed " << seed << " key " << k;
            }
            ASSERT_EQ(changed.Data().History().UndoSize(), whole.Data().History().UndoSize());
            ASSERT_EQ(changed.Data().History().RedoSize(), whole.Data().History().RedoSize());
        }
    }
}

// Clicks and drags (window coordinates) over rows in sight and out of it,
// past the ends of rows and between them, each after a scroll.
TEST(EditorWholeModelDifference, ClicksLeaveTheSameImage) {
    struct Click {
        POINT from, to;
        const char* scroll;
    };
    const Click clicks[] = {
        {{40, 30}, {40, 30}, ""},           {{2, 200}, {2, 200}, ""},
        {{5000, 95}, {5000, 95}, ""},       {{60, 400}, {300, 400}, ""},
        {{60, 45}, {90, 45}, "<PageDown>"}, {{10, 5}, {700, 590}, "<PageDown>"},
        {{30, 300}, {30, 300}, "<C-End>"},  {{30, -300}, {30, -300}, "<C-End>"},
        {{30, 900}, {30, 900}, ""},         {{20, 1000}, {80, 1000}, ""},
        {{40, 700}, {40, 700}, ""},         {{40, 777}, {40, 777}, ""},
        {{60, 850}, {60, 850}, ""},         {{60, 1111}, {60, 1111}, ""},
        {{30, 2000}, {80, 2000}, ""},       {{-5, 60}, {-5, 60}, "<C-Home><Down>"},
    };
    for (const Click& click : clicks) {
        BatchEditor changed;
        BatchEditor whole;
        changed.Install(StartText());
        whole.Install(StartText());
        whole.Data().SetWholeModel(true);
        std::vector<KeyEvent> keys;
        std::string error;
        ASSERT_TRUE(KeyScript::Parse(click.scroll, &keys, &error)) << error;
        for (BatchEditor* editor : {&changed, &whole}) {
            editor->PaintPass();
            for (const KeyEvent& key : keys)
                editor->Deliver(key);
            POINT from = click.from;
            POINT to = click.to;
            if (from.x == to.x && from.y == to.y)
                editor->Data().CaretFromPoint(&from);
            else
                editor->Data().SelectBetween(&from, &to);
            editor->PaintPass();
        }
        EXPECT_EQ(changed.Data().WriteSnapshot(), whole.Data().WriteSnapshot())
            << click.from.x << "," << click.from.y << " " << click.scroll;
    }
}

// Rows still waiting as their lines write what their trees would, whether
// their text is learnt when measured or when first written.
TEST(EditorWholeModelDifference, LatentRowsWriteTheSameText) {
    const char* const lines[] = {
        "a/ b",           "(  p  )",  "x1 = 2;  -- c",      "y=a**b  ;;",
        "d(x)/dt",        "  ;;z;",   "y = b d2( a ) / dt", "a [ i ] = 1",
        "-- only a note", "exp( 2 )",
    };
    std::string text;
    for (int copy = 0; copy < 4; ++copy)
        for (const char* line : lines)
            text += std::string(line) + "\n";
    BatchEditor learntWhenWritten;
    BatchEditor learntWhenMeasured;
    BatchEditor learntInTurns;
    BatchEditor whole;
    learntWhenWritten.Install(text);
    learntWhenMeasured.Install(text, true);
    learntInTurns.Install(text);
    int turns = 0;
    while (learntInTurns.Data().LearnTexts(3))
        ++turns;
    EXPECT_GT(turns, 5);
    whole.Install(text);
    whole.Data().SetWholeModel(true);
    ASSERT_GT(learntWhenWritten.Data().LatentCount(), 10u);
    std::string expected = whole.Data().SavedText();
    EXPECT_EQ(learntWhenWritten.Data().SavedText(), expected);
    EXPECT_EQ(learntWhenWritten.Data().SavedText(), expected); // from what was learnt
    EXPECT_EQ(learntWhenMeasured.Data().SavedText(), expected);
    EXPECT_EQ(learntInTurns.Data().SavedText(), expected);
    EXPECT_EQ(learntWhenWritten.Data().GetText(), whole.Data().GetText());
}

} // namespace
