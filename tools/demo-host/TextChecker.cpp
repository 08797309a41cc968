#include "TextChecker.h"

#include <vector>

const char TextChecker::kEmptySlot[] =
    "\xCF\xF3\xF1\xF2\xEE\xE5 \xEC\xE5\xF1\xF2\xEE \xE2 \xE2\xFB\xF0\xE0\xE6\xE5\xED\xE8\xE8";
const char TextChecker::kUnbalanced[] = "\xCD\xE5\xEF\xE0\xF0\xED\xFB\xE5 \xF1\xEA\xEE\xE1\xEA\xE8";

namespace {
// Where each line ends (the position of its LF, or the text's end).
std::vector<size_t> LineEnds(const std::string& text) {
    std::vector<size_t> ends;
    size_t pos = 0;
    while (true) {
        const size_t lf = text.find('\n', pos);
        if (lf == std::string::npos)
            break;
        ends.push_back(lf);
        pos = lf + 1;
    }
    ends.push_back(text.size());
    return ends;
}

// A line's end without a CR before its LF.
size_t ContentEnd(const std::string& text, size_t start, size_t end) {
    return end > start && text[end - 1] == '\r' ? end - 1 : end;
}
} // namespace

bool TextChecker::Check(const std::string& text, std::string* marked) {
    const std::vector<size_t> ends = LineEnds(text);
    size_t start = 0;
    for (size_t i = 0; i < ends.size(); ++i) {
        const size_t end = ContentEnd(text, start, ends[i]);
        const std::string fault = LineFault(text.substr(start, end - start));
        if (!fault.empty()) {
            if (marked)
                *marked = Mark(text, static_cast<int>(i), fault);
            return false;
        }
        start = ends[i] + 1;
    }
    return true;
}

std::string TextChecker::LineFault(const std::string& line) {
    const std::string code = line.substr(0, line.find("--"));
    if (code.find("( ? )") != std::string::npos || code.find("[?]") != std::string::npos)
        return kEmptySlot;
    if (!IsBalanced(code))
        return kUnbalanced;
    return {};
}

std::string TextChecker::Mark(const std::string& text, int index, const std::string& message) {
    const std::vector<size_t> ends = LineEnds(text);
    if (index < 0 || static_cast<size_t>(index) >= ends.size())
        return text;
    const size_t start = index == 0 ? 0 : ends[static_cast<size_t>(index) - 1] + 1;
    const size_t end = ContentEnd(text, start, ends[static_cast<size_t>(index)]);
    return text.substr(0, end) + "~ " + message + text.substr(end);
}

bool TextChecker::IsBalanced(const std::string& code) {
    std::string open;
    for (char c : code) {
        if (c == '(' || c == '[') {
            open.push_back(c);
        } else if (c == ')' || c == ']') {
            const char expected = c == ')' ? '(' : '[';
            if (open.empty() || open.back() != expected)
                return false;
            open.pop_back();
        }
    }
    return open.empty();
}
