#include "atoms/CompoundRows.h"

#include "elements/EqAtom.h"
#include "platform/Archive.h"
#include "rows/EqExpr.h"

void CompoundRows::Adopt(CEqAtom* atom, CEqExpr*& slot, CEqExpr* row) {
    if (slot != row)
        delete slot;
    slot = row;
    if (row) {
        row->m_pOwnerAtom = atom;
        row->SetOwner(atom->m_pOwner);
    }
}

void CompoundRows::Serialize(CEqAtom* atom, CArchive& ar, std::initializer_list<CEqExpr*> rows) {
    if (ar.IsStoring()) {
        for (CEqExpr* row : rows)
            row->Serialize(ar);
        return;
    }
    for (CEqExpr* row : rows)
        row->SetOwner(atom->m_pOwner);
    for (CEqExpr* row : rows)
        row->Serialize(ar);
    for (CEqExpr* row : rows)
        row->m_pOwnerAtom = atom;
}

CEqExpr* CompoundRows::CloneRow(const CEqExpr* row) {
    return row ? row->Clone() : nullptr;
}
