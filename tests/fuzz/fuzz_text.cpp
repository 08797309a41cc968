// Text in, text out: any bytes loaded as an expressions text give a text
// that loads into the same text again, and every tree on the way is sound.
//
// The linear text has no escapes, and a blank row is written as "( ? )". So
// where a lone bracket stands inside an index or a fraction, or where
// brackets the composer left as plain symbols follow a blank row's "( ? )",
// the written text may regroup when read back. For those texts (brackets
// that do not nest, or a "?") the target asks only that the text settles
// within three more rounds (a regrouped "pow(" may become a power on the way).
// So does a "[" left as a plain symbol after a derivative: its variable is
// written with a blank after it ("dt "), and read back the bracket text
// indexes the variable's name. A blank last row is
// written as a final line break, which reading drops; texts are compared without it. Texts are
// loaded as they are: the host's error marker "~" is split off only where
// the editor installs a file or a host reply, which has tests of its own.
// Any "~" loaded becomes a blank, so a written text never holds one: read
// back as a file, no marker takes a part of it away.
#include <string>
#include <vector>

#include "FuzzEditor.h"
#include "atoms/EqDerive.h"
#include "atoms/EqDerive2.h"
#include "rows/EqExpr.h"

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

// Whether a plain "[" follows a derivative, blanks between, anywhere in row.
bool BracketAfterDerivative(const CEqExpr& row) {
    for (int i = 0; i < row.GetCount(); ++i) {
        const CEqAtom* atom = row.GetAt(i);
        if (atom->Is<CEqDerive>() || atom->Is<CEqDerive2>()) {
            int next = i + 1;
            while (next < row.GetCount() && row.IsSpaceAt(next))
                ++next;
            if (row.SymbolAt(next) == '[')
                return true;
        }
        for (const CEqExpr* inner : atom->Rows())
            if (BracketAfterDerivative(*inner))
                return true;
    }
    return false;
}

// text without the blanks that stand before a ';'.
std::string WithoutBlanksBeforeSemicolons(const std::string& text) {
    std::string kept; // backwards
    for (size_t i = text.size(); i-- > 0;)
        if (!(text[i] == ' ' && !kept.empty() && kept.back() == ';'))
            kept += text[i];
    return std::string(kept.rbegin(), kept.rend());
}

// Loads text into a fresh editor and writes it again, checking the trees.
// The final line break of a blank last row is dropped.
std::string Rewrite(const std::string& text, const std::string& round,
                    bool* bracketAfterDerivative = nullptr) {
    FuzzEditor editor(text, false);
    if (bracketAfterDerivative) {
        *bracketAfterDerivative = false;
        for (const CEqExpr* row : editor.Data().Rows())
            *bracketAfterDerivative = *bracketAfterDerivative || BracketAfterDerivative(*row);
    }
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
    bool bracketAfterDerivative = false;
    const std::string text = Rewrite(input, "input", &bracketAfterDerivative);
    FuzzEditor::Require(text.find('~') == std::string::npos,
                        "a written text holds the host's error marker");
    const std::string again = Rewrite(text, "written text");
    // A ';' inside a statement drops the blank before it, the ';' that ends
    // it does not: "t/2;;" is written "t / 2;", which reads back as "t/2"
    // and is written "t / 2 ;".
    bool blankBeforeSemicolon = again != text && WithoutBlanksBeforeSemicolons(again) ==
                                                     WithoutBlanksBeforeSemicolons(text);
    if (BracketsNest(text) && text.find('?') == std::string::npos && !bracketAfterDerivative &&
        !blankBeforeSemicolon) {
        FuzzEditor::Require(again == text, "the written text changes when loaded again");
        return 0;
    }
    std::string previous = again;
    for (int round = 0; round < 3; ++round) {
        std::string next = Rewrite(previous, "rewritten text");
        if (next == previous)
            return 0;
        previous = next;
    }
    FuzzEditor::Require(false, "a written text does not settle within three more rounds");
    return 0;
}
