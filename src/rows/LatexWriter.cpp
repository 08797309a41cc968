#include "rows/LatexWriter.h"

#include <string_view>

namespace {
std::string_view TexOperator(const std::string& text) {
    struct Entry {
        std::string_view text;
        std::string_view tex;
    };
    static constexpr Entry kOperators[] = {
        {"*", "\\cdot"}, {"<=", "\\le"},   {">=", "\\ge"}, {"<>", "\\ne"},        {"{", "\\{"},
        {"}", "\\}"},    {"%", "\\%"},     {"#", "\\#"},   {"$", "\\$"},          {"&", "\\&"},
        {"_", "\\_"},    {"^", "\\hat{}"}, {"~", "\\sim"}, {"\\", "\\backslash"},
    };
    for (const Entry& e : kOperators)
        if (e.text == text)
            return e.tex;
    return text;
}
} // namespace

std::string LatexWriter::Write(const CEqExpr& row) {
    LatexWriter writer;
    return writer.Row(row);
}

std::string LatexWriter::Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '{':
        case '}':
        case '%':
        case '#':
        case '$':
        case '&':
        case '_':
            out += '\\';
            out += c;
            break;
        case '~':
            out += "\\textasciitilde{}";
            break;
        case '^':
            out += "\\textasciicircum{}";
            break;
        case '\\':
            out += "\\textbackslash{}";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string LatexWriter::Join(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items) {
        if (!out.empty())
            out += ' ';
        out += item;
    }
    return out;
}

// A one-letter identifier is a math letter; longer names are set as one
// italic word, so that TeX does not read them as products.
std::string LatexWriter::WordOf(Word kind, const std::string& text) {
    switch (kind) {
    case Word::Number:
        return text;
    case Word::Keyword:
        return "\\mathbf{" + Escape(text) + "}";
    case Word::Function:
        return "\\operatorname{" + Escape(text) + "}";
    case Word::Identifier:
        break;
    }
    return text.size() == 1 ? text : "\\mathit{" + Escape(text) + "}";
}

std::string LatexWriter::Operator(const std::string& text) {
    return std::string(TexOperator(text));
}

std::string LatexWriter::Comment(const std::string& text) {
    return "\\quad \\text{-{}- " + Escape(text) + "}";
}

std::string LatexWriter::Blank() {
    return "?";
}

std::string LatexWriter::Group(const CEqExpr& row) {
    return "{" + Row(row) + "}";
}

std::string LatexWriter::Fraction(const CEqExpr& numerator, const CEqExpr& denominator) {
    return "\\frac" + Group(numerator) + Group(denominator);
}

std::string LatexWriter::Root(const CEqExpr& row) {
    return "\\sqrt" + Group(row);
}

std::string LatexWriter::Brackets(const CEqExpr& row) {
    return "\\left( " + Row(row) + " \\right)";
}

// A base of one piece stands bare; a longer one is a group.
std::string LatexWriter::Scripts(const CEqExpr& base, const CEqExpr* low, const CEqExpr* high,
                                 bool exponential) {
    std::vector<std::string> items = Items(base);
    std::string out = exponential ? "\\mathrm{e}" : (items.size() == 1 ? items[0] : Group(base));
    if (low)
        out += "_" + Group(*low);
    if (high)
        out += "^" + Group(*high);
    return out;
}

std::string LatexWriter::Derivative(const CEqExpr& function, const CEqExpr& variable, int order) {
    if (order < 2)
        return "\\frac{d " + Row(function) + "}{d " + Row(variable) + "}";
    return "\\frac{d^{2} " + Row(function) + "}{d " + Scripts(variable, nullptr, nullptr, false) +
           "^{2}}";
}
