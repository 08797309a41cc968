#include "rows/OperandScan.h"

#include <algorithm>

#include "elements/EqAtom.h"
#include "rows/EqExpr.h"

namespace {
// A compound atom is always taken; a symbol ends the operand when a keyword
// stands there (checked only where a new identifier begins) or when it is
// not an identifier character. Returns true when the atom at i is taken.
bool TakeAtom(const CEqExpr& row, int i, bool backward, bool* first) {
    const CEqAtom* atom = row.GetAt(i);
    if (!atom || atom->IsEnd())
        return false;
    if (atom->IsCompound()) {
        *first = true;
        return true;
    }
    if (*first && row.MatchKeyword(i, backward) > 0)
        return false;
    *first = false;
    return row.IsIdentAt(i);
}
} // namespace

int OperandScan::Leftward(const CEqExpr& row, int g, CEqExpr& op) {
    return ScanLeft(row, g, &op);
}

int OperandScan::Rightward(const CEqExpr& row, int m, CEqExpr& op) {
    return ScanRight(row, m, &op);
}

int OperandScan::LeftwardStop(const CEqExpr& row, int g) {
    return ScanLeft(row, g, nullptr);
}

int OperandScan::RightwardStop(const CEqExpr& row, int m) {
    return ScanRight(row, m, nullptr);
}

int OperandScan::ScanLeft(const CEqExpr& row, int g, CEqExpr* op) {
    g = std::min(g, row.GetCount() - 2);
    bool first = true;
    while (g >= 0 && TakeAtom(row, g, true, &first)) {
        if (op)
            op->InsertAt(row.GetAt(g)->Clone(), 0);
        --g;
    }
    return g;
}

int OperandScan::ScanRight(const CEqExpr& row, int m, CEqExpr* op) {
    m = std::max(m, 0);
    bool first = true;
    while (m < row.GetCount() - 1 && TakeAtom(row, m, false, &first)) {
        if (op)
            op->Append(row.GetAt(m)->Clone());
        ++m;
    }
    return m;
}

int OperandScan::SkipSpacesLeft(const CEqExpr& row, int g) {
    while (g >= 0 && row.IsSpaceAt(g))
        --g;
    return g;
}

int OperandScan::SkipSpacesRight(const CEqExpr& row, int m) {
    m = std::max(m, 0);
    while (m < row.GetCount() - 1 && row.IsSpaceAt(m))
        ++m;
    return std::min(m, std::max(row.GetCount() - 1, 0));
}

CEqExpr* OperandScan::NewRow(const CEqExpr& row) {
    auto* op = new CEqExpr(row.m_pOwner);
    op->Clear();
    return op;
}

CEqExpr* OperandScan::CloneRange(const CEqExpr& row, int from, int to) {
    CEqExpr* op = NewRow(row);
    from = std::max(from, 0);
    to = std::min(to, row.GetCount() - 1);
    for (int i = from; i < to; ++i)
        op->Append(row.GetAt(i)->Clone());
    return op;
}
