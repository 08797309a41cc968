// Row handling shared by the compound atoms: adopting a row, copying one and
// picking one out of an atom's rows.
#pragma once

#include <initializer_list>
#include <memory>

class CEqAtom;
class CEqExpr;

class CompoundRows {
  public:
    // Deletes the row in slot, takes row and, when it is not null, makes
    // the atom its owner atom and gives it the atom's owner.
    static void Adopt(CEqAtom* atom, std::unique_ptr<CEqExpr>& slot, CEqExpr* row);
    // A deep copy of row, or null.
    static CEqExpr* CloneRow(const CEqExpr* row);
    // The row at index i of rows; null for an index outside them.
    static CEqExpr* RowAt(int i, std::initializer_list<CEqExpr*> rows);
};
