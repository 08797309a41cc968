#include "TreeCheck.h"

#include "elements/EqAtom.h"
#include "elements/EqSymbol.h"
#include "rows/TreeInvariant.h"

std::string CheckTree(const CEqExpr& row, CEqOwner* owner) {
    return TreeInvariant::CheckTree(row, owner);
}

std::string CheckCaret(const CVexlorData& data) {
    return TreeInvariant::CheckCaret(data);
}

TestEditor::TestEditor() : TestEditor(nullptr) {}

TestEditor::TestEditor(CDC* dc)
    : wnd(std::make_unique<CHeadlessWindow>(dc)), data(std::make_unique<CVexlorData>()) {
    data->SetWindow(wnd.get());
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
