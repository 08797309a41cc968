// LaTeX math of a formula row, for "Копировать как LaTeX": \frac, \sqrt,
// _{...}, ^{...}, \frac{d x}{d t} for derivatives, \left( ... \right) for
// bracket atoms, \operatorname for functions and \mathbf for keywords.
// UTF-8; letters outside ASCII are left as they are.
#pragma once

#include "rows/FormulaWriter.h"

class LatexWriter : public FormulaWriter {
  public:
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
    // The row in braces, as a group.
    std::string Group(const CEqExpr& row);
    // Braces and the characters TeX reads as commands, escaped.
    static std::string Escape(const std::string& text);
};
