#include "atoms/CompoundRows.h"

#include "elements/EqAtom.h"
#include "rows/EqExpr.h"

void CompoundRows::Adopt(CEqAtom* atom, std::unique_ptr<CEqExpr>& slot, CEqExpr* row) {
    if (slot.get() != row)
        slot.reset(row);
    if (row) {
        row->m_pOwnerAtom = atom;
        // A row has one owner throughout (TreeInvariant): walk it only when
        // that owner changes.
        if (row->m_pOwner != atom->m_pOwner)
            row->SetOwner(atom->m_pOwner);
    }
}

CEqExpr* CompoundRows::CloneRow(const CEqExpr* row) {
    return row ? row->Clone().release() : nullptr;
}

CEqExpr* CompoundRows::RowAt(int i, std::initializer_list<CEqExpr*> rows) {
    if (i < 0 || i >= static_cast<int>(rows.size()))
        return nullptr;
    return rows.begin()[i];
}
