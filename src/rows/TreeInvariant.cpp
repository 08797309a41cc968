#include "rows/TreeInvariant.h"

#include "elements/EqAtom.h"
#include "elements/EqOwner.h"
#include "elements/EqSymbol.h"
#include "rows/EqExpr.h"

std::string TreeInvariant::CheckTree(const CEqExpr& row, const CEqOwner* owner) {
    return CheckRow(row, owner, "row");
}

std::string TreeInvariant::CheckRow(const CEqExpr& row, const CEqOwner* owner,
                                    const std::string& path) {
    if (row.m_pOwner != owner)
        return path + ": row owner differs";
    if (row.GetCount() == 0)
        return path + ": row has no end atom";
    for (int i = 0; i < row.GetCount(); ++i) {
        const CEqAtom* atom = row.GetAt(i);
        std::string where = path + "[" + std::to_string(i) + "]";
        bool last = i == row.GetCount() - 1;
        if (atom->IsEnd() != last)
            return where + (last ? ": last atom is not the end atom" : ": end atom before the end");
        if (atom->m_pParent != &row)
            return where + ": parent is not the row";
        if (atom->m_pOwner != owner)
            return where + ": owner differs";
        if (atom->GetChar() == CEqSymbol::kHostMarker)
            return where + ": holds the host's error marker";
        for (int k = 0; k < atom->GetRowCount(); ++k) {
            const CEqExpr* inner = atom->GetRow(k);
            std::string innerPath = where + "." + std::to_string(k);
            if (!inner)
                return innerPath + ": missing row";
            if (inner->m_pOwnerAtom != atom)
                return innerPath + ": owner atom is not the atom";
            std::string why = CheckRow(*inner, owner, innerPath);
            if (!why.empty())
                return why;
        }
    }
    return {};
}

const CEqExpr& TreeInvariant::TopOf(const CEqExpr& row) {
    const CEqExpr* top = &row;
    while (top->m_pOwnerAtom && top->m_pOwnerAtom->m_pParent)
        top = top->m_pOwnerAtom->m_pParent;
    return *top;
}

std::string TreeInvariant::CheckCaret(const CEqOwner& owner) {
    const CEqExpr* row = owner.CurrentRow();
    if (!row)
        return "no current row";
    std::string why = CheckTree(TopOf(*row), row->m_pOwner);
    if (!why.empty())
        return why;
    int n = row->GetCount();
    if (owner.CaretPos() < 0 || owner.CaretPos() > n - 1)
        return "caret out of range";
    if (owner.AnchorPos() < 0 || owner.AnchorPos() > n - 1)
        return "anchor out of range";
    return {};
}
