// Turns the flat symbols of one row into two-dimensional atoms, in four
// passes whose order gives the binding: bracket pairs and low indexes, then
// exp / pow / sqrt, then "**", then "/". Text that no rule consumes stays
// as symbols. Every formation ends the owner's typing or erasing run and
// places the caret next to or inside the new atom.
//
// A formation moves its operands into the new atom when the atom surely
// fits the depth an archive image may hold, and refuses at once when it
// surely does not; only in between does it build the atom from copies to
// measure it. So each formation costs time in its operands' length (not
// their content), and a row costs time about linear in its length.
#pragma once

#include <initializer_list>
#include <memory>
#include <unordered_map>
#include <vector>

class CEqAtom;
class CEqExpr;

class RowComposer {
  public:
    // Compound atoms whose composing formed nothing, each with the level of
    // the row that held it then: composing it again at that level or deeper
    // forms nothing either (deeper rows only refuse more), so it is skipped.
    // Shared by the composers of one tree while the outermost one runs.
    using Settled = std::unordered_map<const CEqAtom*, int>;

    explicit RowComposer(CEqExpr& row) : m_row(row), m_settled(&m_ownSettled) {}
    // A composer for a row of an atom, level giving the row's level.
    RowComposer(CEqExpr& row, Settled* settled, int level, bool surelyFits)
        : m_row(row), m_nLevel(level), m_bSurelyFits(surelyFits), m_settled(settled) {}
    RowComposer(const RowComposer&) = delete;
    RowComposer& operator=(const RowComposer&) = delete;

    // Runs the four passes; returns the number of structures formed here
    // and inside the atoms formed or met (0 for a row already composed).
    int Compose();

  private:
    using RowPtr = std::unique_ptr<CEqExpr>;

    // Where the caret goes after a formation: into the new atom's first row
    // (at its start), into its last row (at its end), or after the atom.
    enum class Caret { Start, End, After };
    enum class Mark { None, First, Second };
    // How a formation gets its operands (see above).
    enum class Build { Move, Copy, Refuse };
    // The shaping an operand row gets before the atom takes it.
    enum Shaping : unsigned { kAsIs = 0, kUnwrap = 1, kWrap = 2, kSplit = 4 };
    // The least and the most rows an operand row may reach down.
    struct Depths {
        int lo = 1;
        int hi = 1;
    };
    // A run of atoms [from, to) of the row.
    struct Span {
        int from = 0;
        int to = 0;
    };

    // The row's level, measured on first use.
    int Level();
    // Whether any atom formed here would fit the depth limit.
    bool CanForm();
    // Whether every atom composing may form in a row of symbols surely fits.
    bool SurelyFits();
    // Composes the rows of atom as its Compose() does, in the same order,
    // skipping an atom settled at this level or above.
    int ComposeAtom(CEqAtom& atom);
    // TrimUnwrap for an operand row, forgetting the bracket atom it removes.
    void Unwrap(CEqExpr& row);

    // Pass 1: "(" ... ")" and name "[" ... "]".
    void BracketsAndIndexes();
    int FormBrackets(int w);
    int FormLowIndex(int w);
    // The partner of the opening symbol at w, from the tables of the pass.
    int MatchingClose(int w, const std::vector<int>& partners) const;
    void FindPartners();
    void ShrinkPartners();

    // Pass 2: exp, pow and sqrt followed by a bracket atom.
    void NamedFunctions();
    bool FormExp(int t);
    bool FormPow(int t);
    bool FormSqrt(int t);
    bool WordAt(int t, const char* lowerWord) const;
    int BracketsAfter(int from) const;
    // The inner row of the bracket atom at y: moved out or copied.
    RowPtr TakeBracketsRow(int y);

    // Pass 3: "**".
    void Powers();
    int FormPower(int i);

    // Pass 4: "/" as a fraction or a derivative.
    void Fractions();
    // The index of the first slash at or after from, or -1.
    int FirstSlashFrom(int from) const;
    // Whether the row's last atom before its end is a slash after c.
    bool SlashAfter(int c) const;
    // Puts atoms back from aside up to and with the next slash.
    void PutBackThroughSlash(std::vector<std::unique_ptr<CEqAtom>>* aside);
    int FormFraction(int s);
    Mark TakeNumerator(int s, Span* num, int* start) const;
    Mark FindMark(int o, int* markStart) const;
    static Mark MarkBefore(const CEqExpr& row, int o, int* markStart);

  public:
    // Whether a derivative mark d or d2 of row ends at or before o (blanks
    // skipped): a simple numerator after it makes a derivative.
    static bool IsMarkBefore(const CEqExpr& row, int o) {
        int start = 0;
        return MarkBefore(row, o, &start) != Mark::None;
    }

  private:
    // The denominator's atoms; *letterT when it is the letter t alone,
    // written by the derivative rather than taken from the row.
    int TakeDenominator(int after, Mark mark, Span* den, bool* letterT) const;
    int TakeVariable(int h, Span* den, bool* letterT) const;

    // A power of base: a high index, or a power index when low is given.
    CEqAtom* NewPower(CEqExpr* base, CEqExpr* low, CEqExpr* high) const;
    // When base is one low index atom, takes it apart: returns its index
    // row and replaces base by its base row.
    CEqExpr* SplitLowIndex(CEqExpr*& base);

    // Depth: the bounds of an operand row built from [from, to) of row
    // with the given shaping, and the way a formation with such rows goes.
    Depths RowDepths(const CEqExpr& row, Span span, unsigned shaping) const;
    Build BuildFor(std::initializer_list<Depths> rows);
    int AtomDepth(const CEqAtom& atom) const;
    int RangeDepth(const CEqExpr& row, int from, int to) const;
    // Drops what is remembered of an atom leaving the row (or the tree).
    void Forget(const CEqAtom* atom) const;
    // The atoms [from, to) of row as a new row: moved out, leaving empty
    // slots for Form to drop, or copied, as m_build says.
    RowPtr Take(CEqExpr& row, Span span);

    // Replaces the atoms [from, to) by atom and places the caret. Refuses
    // (deleting atom, leaving the row alone) when the tree would nest
    // deeper than an archive image may; returns whether it formed.
    bool Form(int from, int to, CEqAtom* atom, Caret caret);
    void PlaceCaret(CEqAtom* atom, int pos, Caret caret);
    static Caret CaretFor(const CEqExpr* first, const CEqExpr* last);
    bool WithinDepth(const CEqAtom& atom) const;

    CEqExpr& m_row;
    int m_nCount = 0;
    // The row's level in its tree (TreeDepth::Level), fixed while composing;
    // 0 until a formation first needs it.
    int m_nLevel = 0;
    // Set when nothing formed here can reach the depth limit: depths are
    // then neither measured nor remembered.
    bool m_bSurelyFits = false;
    Build m_build = Build::Copy;
    // The depth bounds of the atom being formed (from BuildFor).
    Depths m_predicted;
    // Pass 1: partners of "(" and "[" by distance from the row's end.
    // The passes after the first that may form anything in the row.
    struct Passes {
        bool functions = false;
        bool powers = false;
        bool fractions = false;
    };
    Passes m_passes;
    std::vector<int> m_roundPartners;
    std::vector<int> m_squarePartners;
    // Depths of the compound atoms of the row measured so far.
    mutable std::unordered_map<const CEqAtom*, int> m_depths;
    Settled m_ownSettled;
    Settled* m_settled;
};
