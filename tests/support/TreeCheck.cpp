#include "TreeCheck.h"

#include "elements/EqAtom.h"
#include "elements/EqSymbol.h"

namespace {
std::string CheckRow(const CEqExpr& row, CEqOwner* owner, const std::string& path) {
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
} // namespace

std::string CheckTree(const CEqExpr& row, CEqOwner* owner) {
    return CheckRow(row, owner, "row");
}

std::string CheckCaret(const CVexlorData& data) {
    const CEqExpr* row = data.m_pCurRow;
    if (!row)
        return "no current row";
    const CEqExpr* top = row;
    while (top->m_pOwnerAtom && top->m_pOwnerAtom->m_pParent)
        top = top->m_pOwnerAtom->m_pParent;
    std::string why = CheckTree(*top, row->m_pOwner);
    if (!why.empty())
        return why;
    int n = row->GetCount();
    if (data.m_nCaret < 0 || data.m_nCaret > n - 1)
        return "caret out of range";
    if (data.m_nAnchor < 0 || data.m_nAnchor > n - 1)
        return "anchor out of range";
    return {};
}

TestEditor::TestEditor() : TestEditor(nullptr) {}

TestEditor::TestEditor(CDC* dc)
    : wnd(std::make_unique<CHeadlessWindow>(dc)), data(std::make_unique<CVexlorData>()) {
    data->m_pWnd = wnd.get();
}

TestEditor::~TestEditor() = default;

CEqExpr* TestEditor::NewRow() const {
    auto* row = new CEqExpr(data.get());
    row->Clear();
    return row;
}

CEqExpr* TestEditor::RowOf(const std::string& text) const {
    CEqExpr* row = NewRow();
    for (char c : text) {
        auto* symbol = new CEqSymbol;
        symbol->SetChar(c);
        row->Append(symbol);
    }
    return row;
}

void TestEditor::Layout(CEqExpr* row, int x, int y) const {
    row->CalcSize();
    row->Redraw(x, y, 1, 3);
}
