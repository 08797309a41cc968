#include "rows/MathMLWriter.h"

#include <string_view>

namespace {
// Operators written with their mathematical characters.
std::string_view MathOperator(const std::string& text) {
    struct Entry {
        std::string_view text;
        std::string_view math;
    };
    static constexpr Entry kOperators[] = {
        {"-", "\u2212"}, {"*", "\u22C5"}, {"<=", "\u2264"}, {">=", "\u2265"}, {"<>", "\u2260"},
    };
    for (const Entry& e : kOperators)
        if (e.text == text)
            return e.math;
    return text;
}

const char kUprightD[] = "<mi mathvariant=\"normal\">d</mi>";
} // namespace

std::string MathMLWriter::Write(const CEqExpr& row) {
    MathMLWriter writer;
    return "<math xmlns=\"http://www.w3.org/1998/Math/MathML\">" + writer.Row(row) + "</math>";
}

std::string MathMLWriter::Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string MathMLWriter::Element(const char* tag, const std::string& content) {
    return std::string("<") + tag + ">" + content + "</" + tag + ">";
}

std::string MathMLWriter::Join(const std::vector<std::string>& items) {
    std::string content;
    for (const std::string& item : items)
        content += item;
    return Element("mrow", content);
}

std::string MathMLWriter::WordOf(Word kind, const std::string& text) {
    switch (kind) {
    case Word::Number:
        return Element("mn", Escape(text));
    case Word::Keyword:
        return "<mi mathvariant=\"bold\">" + Escape(text) + "</mi>";
    case Word::Function:
        return "<mi mathvariant=\"bold\">" + Escape(text) + "</mi><mo>&#x2061;</mo>";
    case Word::Identifier:
        break;
    }
    return Element("mi", Escape(text));
}

std::string MathMLWriter::Operator(const std::string& text) {
    bool bracket = text == "(" || text == ")" || text == "[" || text == "]";
    std::string escaped = Escape(std::string(MathOperator(text)));
    return bracket ? "<mo stretchy=\"false\">" + escaped + "</mo>" : Element("mo", escaped);
}

std::string MathMLWriter::Comment(const std::string& text) {
    return "<mspace width=\"1em\"/>" + Element("mtext", Escape("-- " + text));
}

std::string MathMLWriter::Blank() {
    return Element("mi", "?");
}

std::string MathMLWriter::Fraction(const CEqExpr& numerator, const CEqExpr& denominator) {
    return Element("mfrac", Row(numerator) + Row(denominator));
}

std::string MathMLWriter::Root(const CEqExpr& row) {
    return Element("msqrt", Row(row));
}

std::string MathMLWriter::Brackets(const CEqExpr& row) {
    return Element("mrow",
                   "<mo stretchy=\"true\">(</mo>" + Row(row) + "<mo stretchy=\"true\">)</mo>");
}

std::string MathMLWriter::Scripts(const CEqExpr& base, const CEqExpr* low, const CEqExpr* high,
                                  bool exponential) {
    std::string b = exponential ? "<mi mathvariant=\"normal\">e</mi>" : Row(base);
    if (low && high)
        return Element("msubsup", b + Row(*low) + Row(*high));
    if (low)
        return Element("msub", b + Row(*low));
    return Element("msup", b + (high ? Row(*high) : Blank()));
}

// d²f/dt²: the order on the numerator's d and on the variable.
std::string MathMLWriter::Derivative(const CEqExpr& function, const CEqExpr& variable, int order) {
    if (order < 2)
        return Element("mfrac", Element("mrow", kUprightD + Row(function)) +
                                    Element("mrow", kUprightD + Row(variable)));
    std::string two = Element("mn", "2");
    std::string top = Element("msup", kUprightD + two) + Row(function);
    std::string bottom = kUprightD + Element("msup", Row(variable) + two);
    return Element("mfrac", Element("mrow", top) + Element("mrow", bottom));
}
