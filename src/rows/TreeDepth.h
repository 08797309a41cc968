// How deep rows lie and how deep they reach: the one measure behind every
// refusal to nest a tree deeper than an archive image can hold.
#pragma once

class CEqAtom;
class CEqExpr;

class TreeDepth {
  public:
    // 1 for a row that no atom holds, 2 for a row of an atom in it, ...
    // (counting stops past the archive's limit).
    static int Level(const CEqExpr& row);
    // Rows on the deepest branch below and including row (1 for plain symbols).
    static int Depth(const CEqExpr& row);
    // Rows on the deepest branch of the atom's rows (0 for an atom without rows).
    static int AtomDepth(const CEqAtom& atom);
    // The deepest AtomDepth among the atoms [from, to) of row.
    static int RangeDepth(const CEqExpr& row, int from, int to);
    // Whether rows reaching `depth` rows down from `level` stay within the limit.
    static bool Fits(int level, int depth);
};
