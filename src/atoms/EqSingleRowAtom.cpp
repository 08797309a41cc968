#include "atoms/EqSingleRowAtom.h"

#include "atoms/CompoundRows.h"
#include "rows/EqExpr.h"

CEqSingleRowAtom::CEqSingleRowAtom() : m_pRow(new CEqExpr) {}

void CEqSingleRowAtom::SetRow(CEqExpr* row) {
    CompoundRows::Adopt(this, m_pRow, row);
}

std::unique_ptr<CEqAtom>
CEqSingleRowAtom::CopyRowInto(std::unique_ptr<CEqSingleRowAtom> copy) const {
    CopyBaseTo(copy.get());
    copy->SetRow(CompoundRows::CloneRow(m_pRow.get()));
    return copy;
}
