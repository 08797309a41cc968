#include "rows/TreeDump.h"

#include <string_view>
#include <vector>

#include "atoms/EqBrackets.h"
#include "atoms/EqDerive2.h"
#include "atoms/EqFraction.h"
#include "atoms/EqIndex.h"
#include "atoms/EqPowIndex.h"
#include "atoms/EqRoot.h"
#include "elements/EqAtom.h"
#include "elements/EqOwner.h"
#include "elements/EqSymbol.h"
#include "rows/EqExpr.h"

namespace {
std::string_view TagOf(const CEqAtom& atom) {
    struct Entry {
        const CRuntimeClass* record;
        const char* tag;
    };
    const Entry tags[] = {
        {CEqBrackets::ClassRecord(), "B"}, {CEqRoot::ClassRecord(), "R"},
        {CEqFraction::ClassRecord(), "F"}, {CEqPowIndex::ClassRecord(), "P"},
        {CEqDerive::ClassRecord(), "D"},   {CEqDerive2::ClassRecord(), "D2"},
    };
    if (const CEqIndex* index = atom.As<CEqIndex>())
        return index->m_bHigh != 0 ? "H" : "I";
    for (const Entry& e : tags)
        if (atom.GetRuntimeClass() == e.record)
            return e.tag;
    return "A";
}

void DumpSymbol(const CEqSymbol& symbol, std::string& out) {
    char ch = static_cast<char>(symbol.TextByte());
    if (ch == '\\' || ch == '(' || ch == ')' || ch == '|')
        out += '\\';
    out += ch;
}

void DumpAtom(const CEqAtom& atom, std::string& out);

void DumpRow(const CEqExpr& row, std::string& out) {
    for (int i = 0; i < row.GetCount(); ++i) {
        const CEqAtom* atom = row.GetAt(i);
        if (atom->IsEnd()) {
            if (i != row.GetCount() - 1)
                out += "\\$";
        } else {
            DumpAtom(*atom, out);
        }
    }
}

void DumpAtom(const CEqAtom& atom, std::string& out) {
    if (const CEqSymbol* symbol = atom.As<CEqSymbol>()) {
        DumpSymbol(*symbol, out);
        return;
    }
    out += TagOf(atom);
    out += '(';
    for (int k = 0; k < atom.GetRowCount(); ++k) {
        if (k > 0)
            out += '|';
        if (const CEqExpr* row = atom.GetRow(k))
            DumpRow(*row, out);
    }
    out += ')';
}

// The atom and row indexes that lead from top down to target, or false.
bool FindPath(const CEqExpr& top, const CEqExpr* target, std::vector<int>& path) {
    if (&top == target)
        return true;
    for (int i = 0; i < top.GetCount(); ++i) {
        const CEqAtom* atom = top.GetAt(i);
        for (int k = 0; k < atom->GetRowCount(); ++k) {
            const CEqExpr* inner = atom->GetRow(k);
            if (!inner)
                continue;
            path.push_back(i);
            path.push_back(k);
            if (FindPath(*inner, target, path))
                return true;
            path.resize(path.size() - 2);
        }
    }
    return false;
}
} // namespace

std::string TreeDump::Dump(const CEqExpr& row) {
    std::string out;
    DumpRow(row, out);
    return out;
}

std::string TreeDump::Dump(const CEqAtom& atom) {
    std::string out;
    DumpAtom(atom, out);
    return out;
}

std::string TreeDump::CaretPath(const CEqExpr& top, const CEqOwner& data) {
    std::vector<int> path;
    if (!data.CurrentRow() || !FindPath(top, data.CurrentRow(), path))
        return "-";
    std::string out;
    for (size_t k = 0; k < path.size(); k += 2)
        out += std::to_string(path[k]) + "." + std::to_string(path[k + 1]) + "/";
    if (data.AnchorPos() != data.CaretPos())
        out += std::to_string(data.AnchorPos()) + "-";
    out += std::to_string(data.CaretPos());
    return out;
}
