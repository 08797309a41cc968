#include "app/MarkedText.h"

#include <limits>

namespace {
bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

size_t MessageEnd(const std::string& text, size_t start) {
    const size_t end = text.find_first_of("\r\n", start);
    return end == std::string::npos ? text.size() : end;
}
} // namespace

int MarkedText::CountLineBreaks(const std::string& text, size_t end) {
    size_t count = 0;
    size_t i = 0;
    while (i < end) {
        const char c = text[i++];
        if (!IsLineBreak(c))
            continue;
        // CR LF and LF CR are one break each.
        if (i < end && IsLineBreak(text[i]) && text[i] != c)
            ++i;
        ++count;
    }
    constexpr size_t kMax = std::numeric_limits<int>::max();
    return static_cast<int>(count < kMax ? count : kMax);
}

MarkedText MarkedText::Split(const std::string& text) {
    MarkedText result;
    const size_t marker = text.find('~');
    if (marker == std::string::npos) {
        result.m_strText = text;
        return result;
    }
    result.m_nLine = CountLineBreaks(text, marker);
    size_t rest = marker + 1;
    if (rest < text.size() && !IsLineBreak(text[rest])) {
        const size_t start = marker + 2;
        rest = MessageEnd(text, start);
        if (start < rest)
            result.m_strMessage = text.substr(start, rest - start);
    }
    result.m_strText = text.substr(0, marker) + text.substr(rest);
    return result;
}
