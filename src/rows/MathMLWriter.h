// Presentation MathML of a formula row, for other programs on the clipboard:
// one <math> element in UTF-8. Fractions, roots and indexes become mfrac,
// msqrt, msub, msup and msubsup; derivatives are fractions with an upright
// d; the brackets of a bracket atom stretch; bold words of the language are
// bold identifiers.
#pragma once

#include "rows/FormulaWriter.h"

class MathMLWriter : public FormulaWriter {
  public:
    // The whole <math> element of row.
    static std::string Write(const CEqExpr& row);

  protected:
    std::string Join(const std::vector<std::string>& items) override;
    std::string WordOf(Word kind, const std::string& text) override;
    std::string Operator(const std::string& text) override;
    std::string Comment(const std::string& text) override;
    std::string Blank() override;
    std::string Fraction(const CEqExpr& numerator, const CEqExpr& denominator) override;
    std::string Root(const CEqExpr& row) override;
    std::string Brackets(const CEqExpr& row) override;
    std::string Scripts(const CEqExpr& base, const CEqExpr* low, const CEqExpr* high,
                        bool exponential) override;
    std::string Derivative(const CEqExpr& function, const CEqExpr& variable, int order) override;

  private:
    // The characters XML gives a meaning to, as references.
    static std::string Escape(const std::string& text);
    static std::string Element(const char* tag, const std::string& content);
};
