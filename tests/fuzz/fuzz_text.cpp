// Text in, text out: any bytes loaded as an expressions text give a text
// that loads into the same text again, and every tree on the way is sound.
//
// The linear text has no escapes, so a lone bracket inside an index or a
// fraction (typed there, or left by a malformed line) may regroup when the
// written text is read back. For a written text whose brackets do not nest
// the target asks only that it settles: the next round writes it unchanged.
// A blank last row is written as a final line break, which reading drops;
// texts are compared without it.
#include <string>
#include <vector>

#include "FuzzEditor.h"

namespace {
// Every ( and [ is closed, by its own kind, innermost first.
bool BracketsNest(const std::string& text) {
    std::vector<char> open;
    for (char c : text) {
        if (c == '(' || c == '[') {
            open.push_back(c);
        } else if (c == ')' || c == ']') {
            if (open.empty() || open.back() != (c == ')' ? '(' : '['))
                return false;
            open.pop_back();
        }
    }
    return open.empty();
}

// Loads text into a fresh editor and writes it again, checking the trees.
// The final line break of a blank last row is dropped.
std::string Rewrite(const std::string& text, const std::string& round) {
    FuzzEditor editor(text);
    editor.CheckInvariant("after loading the " + round);
    std::string written = editor.Data().GetText();
    editor.CheckInvariant("after writing the " + round);
    if (!written.empty() && written.back() == '\n')
        written.pop_back();
    return written;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string text = Rewrite(input, "input");
    const std::string again = Rewrite(text, "written text");
    if (BracketsNest(text)) {
        FuzzEditor::Require(again == text, "the written text changes when loaded again");
        return 0;
    }
    FuzzEditor::Require(Rewrite(again, "rewritten text") == again,
                        "a text of unbalanced brackets does not settle");
    return 0;
}
