// Row handling shared by the compound atoms: adopting a row, and storing or
// loading a sequence of rows after the atom's own fields.
#pragma once

#include <initializer_list>

class CArchive;
class CEqAtom;
class CEqExpr;

class CompoundRows {
  public:
    // Deletes the row in slot, takes row and, when it is not null, makes
    // the atom its owner atom and gives it the atom's owner.
    static void Adopt(CEqAtom* atom, CEqExpr*& slot, CEqExpr* row);
    // Stores the rows in order, or loads them: owners first, then each
    // row's record, then the owner atoms.
    static void Serialize(CEqAtom* atom, CArchive& ar, std::initializer_list<CEqExpr*> rows);
    // A deep copy of row, or null.
    static CEqExpr* CloneRow(const CEqExpr* row);
};
