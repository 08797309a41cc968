#include "platform/UnicodeImport.h"

#include <array>
#include <string_view>

#include "platform/Cp1251Codec.h"

namespace {
struct Entry {
    char32_t ch;
    std::string_view text;
};

// clang-format off
constexpr Entry kSigns[] = {
    {U'\u2212', "-"},   {U'\u2013', "-"},
    {U'\u00D7', "*"},   {U'\u00B7', "*"},   {U'\u22C5', "*"},   {U'\u2219', "*"},
    {U'\u00F7', "/"},   {U'\u2215', "/"},
    {U'\u00B2', "**2"}, {U'\u00B3', "**3"},
    {U'\u03C2', "sigma"}, {U'\u03D1', "theta"}, {U'\u03D5', "phi"}, {U'\u03F5', "epsilon"},
};

// U+0391..U+03A9 and U+03B1..U+03C9 in order; U+03A2 has no letter.
constexpr std::array<std::string_view, 25> kGreek = {
    "alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta", "theta", "iota",
    "kappa", "lambda", "mu", "nu", "xi", "omicron", "pi", "rho", "", "sigma",
    "tau", "upsilon", "phi", "chi", "psi", "omega",
};
// clang-format on

bool IsSpace(char32_t ch) {
    return ch == U'\u00A0' || ch == U'\u1680' || (ch >= U'\u2000' && ch <= U'\u200A') ||
           ch == U'\u202F' || ch == U'\u205F' || ch == U'\u3000';
}

bool IsLineEnd(char32_t ch) {
    return ch == U'\n' || ch == U'\r' || ch == U'\u2028' || ch == U'\u2029';
}

std::string GreekName(char32_t ch) {
    bool upper = ch >= U'\u0391' && ch <= U'\u03A9';
    bool lower = ch >= U'\u03B1' && ch <= U'\u03C9';
    if (!upper && !lower)
        return {};
    std::string name(kGreek[ch - (upper ? U'\u0391' : U'\u03B1')]);
    if (upper && !name.empty())
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

// The count of continuation bytes a lead byte announces, or -1.
int ContinuationCount(uint8_t lead) {
    if (lead < 0x80)
        return 0;
    if ((lead & 0xE0) == 0xC0)
        return 1;
    if ((lead & 0xF0) == 0xE0)
        return 2;
    if ((lead & 0xF8) == 0xF0)
        return 3;
    return -1;
}

// Decodes the character at i and moves i past it. A stray byte, or a lead
// byte without its continuation bytes, is U+FFFD and moves i by one byte;
// a complete sequence of a value UTF-8 forbids (an overlong form, a
// surrogate, a value above U+10FFFF) is one U+FFFD.
char32_t Next(const std::string& s, size_t& i) {
    auto byte = [&s](size_t k) { return static_cast<uint8_t>(s[k]); };
    static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    int extra = ContinuationCount(byte(i));
    if (extra < 0 || i + static_cast<size_t>(extra) >= s.size()) {
        ++i;
        return U'\uFFFD';
    }
    char32_t ch = byte(i) & (extra == 0 ? 0x7F : 0x7F >> (extra + 1));
    for (int k = 1; k <= extra; ++k) {
        uint8_t c = byte(i + static_cast<size_t>(k));
        if ((c & 0xC0) != 0x80) {
            ++i;
            return U'\uFFFD';
        }
        ch = (ch << 6) | (c & 0x3F);
    }
    i += static_cast<size_t>(extra) + 1;
    bool bad = ch < kLeast[extra] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF);
    return bad ? U'\uFFFD' : ch;
}
} // namespace

std::string UnicodeImport::Map(char32_t ch) {
    if (IsSpace(ch))
        return " ";
    for (const Entry& e : kSigns)
        if (e.ch == ch)
            return std::string(e.text);
    if (std::string name = GreekName(ch); !name.empty())
        return name;
    int byte = ch == U'\uFFFD' ? -1 : Cp1251Codec::ByteOf(ch);
    return byte < 0 ? std::string() : std::string(1, static_cast<char>(byte));
}

// 1. Characters up to the first line end are mapped, '?' for the rest.
// 2. After the line end, any character other than a line end or a space
//    means the text had more lines.
UnicodeImport::Result UnicodeImport::FirstLine(const std::string& utf8) {
    Result result;
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t ch = Next(utf8, i);
        if (IsLineEnd(ch))
            break;
        std::string text = Map(ch);
        if (text.empty()) {
            text = "?";
            ++result.replaced;
        }
        result.text += text;
    }
    while (i < utf8.size() && !result.moreLines) {
        char32_t ch = Next(utf8, i);
        result.moreLines = !IsLineEnd(ch) && !IsSpace(ch) && ch != U' ' && ch != U'\t';
    }
    return result;
}

std::string UnicodeImport::Notice(const Result& result) {
    std::string notice;
    if (result.replaced > 0)
        // "Символов без кода Windows-1251 заменено на ?: N."
        notice = "\xD1\xE8\xEC\xE2\xEE\xEB\xEE\xE2 \xE1\xE5\xE7 \xEA\xEE\xE4\xE0 Windows-1251 "
                 "\xE7\xE0\xEC\xE5\xED\xE5\xED\xEE \xED\xE0 ?: " +
                 std::to_string(result.replaced) + ".";
    if (result.moreLines) {
        if (!notice.empty())
            notice += ' ';
        // "Вставлена только первая строка."
        notice += "\xC2\xF1\xF2\xE0\xE2\xEB\xE5\xED\xE0 \xF2\xEE\xEB\xFC\xEA\xEE "
                  "\xEF\xE5\xF0\xE2\xE0\xFF \xF1\xF2\xF0\xEE\xEA\xE0.";
    }
    return notice;
}
