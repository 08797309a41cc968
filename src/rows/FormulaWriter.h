// Walks a formula tree and writes it in a markup for other programs. The
// walk splits each row into words, numbers, operators and a trailing
// comment, skips blanks and hands every compound atom to its own step; a
// markup class says how each piece is written. Texts reach the steps in
// UTF-8. The tree is only read.
#pragma once

#include <string>
#include <vector>

class CEqAtom;
class CEqExpr;

class FormulaWriter {
  public:
    virtual ~FormulaWriter() = default;

    // The row as one piece of markup.
    std::string Row(const CEqExpr& row);

  protected:
    enum class Word { Identifier, Number, Function, Keyword };

    // The pieces of a row in order; a blank row is one Blank() piece.
    std::vector<std::string> Items(const CEqExpr& row);

    virtual std::string Join(const std::vector<std::string>& items) = 0;
    virtual std::string WordOf(Word kind, const std::string& text) = 0;
    // One operator: a single byte's character, or "<=", ">=", "<>".
    virtual std::string Operator(const std::string& text) = 0;
    // The text after "--", leading blanks removed.
    virtual std::string Comment(const std::string& text) = 0;
    // An empty slot.
    virtual std::string Blank() = 0;
    virtual std::string Fraction(const CEqExpr& numerator, const CEqExpr& denominator) = 0;
    virtual std::string Root(const CEqExpr& row) = 0;
    virtual std::string Brackets(const CEqExpr& row) = 0;
    // A base with a low index, a high index or both (the other one null);
    // exponential when the base is the number e of exp(x).
    virtual std::string Scripts(const CEqExpr& base, const CEqExpr* low, const CEqExpr* high,
                                bool exponential) = 0;
    // d(function)/d(variable), of order 1 or 2.
    virtual std::string Derivative(const CEqExpr& function, const CEqExpr& variable, int order) = 0;

  private:
    std::string Atom(const CEqAtom& atom);
    // The symbols from i on, up to the first non-identifier or compound atom.
    int IdentifierRun(const CEqExpr& row, int i) const;
    // Appends the pieces of the identifier run [i, end) and returns end.
    int Words(const CEqExpr& row, int i, int end, std::vector<std::string>& items);
    // Appends the operator at i (one or two symbols) and returns the next index.
    int OperatorAt(const CEqExpr& row, int i, std::vector<std::string>& items);
    static std::string TextOf(const CEqExpr& row, int from, int to);
};
