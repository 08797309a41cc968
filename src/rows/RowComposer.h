// Turns the flat symbols of one row into two-dimensional atoms, in four
// passes whose order gives the binding: bracket pairs and low indexes, then
// exp / pow / sqrt, then "**", then "/". Text that no rule consumes stays
// as symbols. Every formation ends the owner's typing or erasing run and
// places the caret next to or inside the new atom.
#pragma once

class CEqAtom;
class CEqExpr;

class RowComposer {
  public:
    explicit RowComposer(CEqExpr& row) : m_row(row) {}
    RowComposer(const RowComposer&) = delete;
    RowComposer& operator=(const RowComposer&) = delete;

    // Runs the four passes; returns the number of structures formed here
    // and inside the atoms formed or met (0 for a row already composed).
    int Compose();

  private:
    // Where the caret goes after a formation: into the new atom's first row
    // (at its start), into its last row (at its end), or after the atom.
    enum class Caret { Start, End, After };
    enum class Mark { None, First, Second };

    // Pass 1: "(" ... ")" and name "[" ... "]".
    void BracketsAndIndexes();
    int FormBrackets(int w);
    int FormLowIndex(int w);
    int MatchingClose(int from, char open, char close) const;

    // Pass 2: exp, pow and sqrt followed by a bracket atom.
    void NamedFunctions();
    bool FormExp(int t);
    bool FormPow(int t);
    bool FormSqrt(int t);
    bool WordAt(int t, const char* lowerWord) const;
    int BracketsAfter(int from) const;

    // Pass 3: "**".
    void Powers();
    int FormPower(int i);

    // Pass 4: "/" as a fraction or a derivative.
    void Fractions();
    int FormFraction(int s);
    Mark TakeNumerator(int s, CEqExpr& num, int* start) const;
    Mark FindMark(int o, int* markStart) const;
    int TakeDenominator(int after, Mark mark, CEqExpr& den) const;
    int TakeVariable(int h, CEqExpr& den) const;

    // A power of base: a high index, or a power index when low is given.
    CEqAtom* NewPower(CEqExpr* base, CEqExpr* low, CEqExpr* high) const;
    // When base is one low index atom, takes it apart: returns a copy of
    // its index row and replaces base by a copy of its base row.
    static CEqExpr* SplitLowIndex(CEqExpr*& base);

    // Replaces the atoms [from, to) by atom and places the caret. Refuses
    // (deleting atom, leaving the row alone) when the tree would nest
    // deeper than an archive image may; returns whether it formed.
    bool Form(int from, int to, CEqAtom* atom, Caret caret);
    void PlaceCaret(CEqAtom* atom, int pos, Caret caret);
    static Caret CaretFor(const CEqExpr* first, const CEqExpr* last);
    bool WithinDepth(const CEqAtom& atom) const;

    CEqExpr& m_row;
    int m_nCount = 0;
};
