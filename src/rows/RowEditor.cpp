#include "rows/RowEditor.h"

#include <algorithm>

#include "elements/EqAtom.h"
#include "elements/EqOwner.h"
#include "elements/EqSymbol.h"
#include "platform/Archive.h"
#include "rows/EqExpr.h"
#include "rows/OperandScan.h"
#include "rows/TreeDepth.h"

bool RowEditor::HoldsCaret(const CEqExpr& row) {
    return row.m_pOwner && row.m_pOwner->CurrentRow() == &row && row.GetCount() > 0;
}

int RowEditor::CaretPos(const CEqExpr& row) {
    if (!row.m_pOwner || row.GetCount() == 0)
        return 0;
    return std::clamp(row.m_pOwner->CaretPos(), 0, row.GetCount() - 1);
}

CEqSymbol* RowEditor::NewSymbol(const CEqExpr& row, char c) {
    auto* symbol = new CEqSymbol;
    symbol->m_pOwner = row.m_pOwner;
    symbol->SetChar(c);
    return symbol;
}

void RowEditor::TakeOperands(CEqExpr& row, CEqExpr& first, CEqExpr& second) {
    TakeSelection(row, first, second);
    if (first.IsBlank())
        TakeLeftOperand(row, first);
    if (second.IsBlank())
        TakeRightOperand(row, second);
}

void RowEditor::TakeSelection(CEqExpr& row, CEqExpr& first, CEqExpr& second) {
    const CEqOwner& data = *row.m_pOwner;
    int last = row.GetCount() - 1;
    int anchor = std::clamp(data.AnchorPos(), 0, last);
    int caret = std::clamp(data.CaretPos(), 0, last);
    if (anchor == caret)
        return;
    CEqExpr& target = anchor < caret ? first : second;
    for (int i = std::min(anchor, caret); i < std::max(anchor, caret); ++i)
        target.Append(row.GetAt(i)->Clone());
    row.DeleteSelection();
}

// The operand and the spaces between it and the caret go; without an
// operand nothing is removed.
void RowEditor::TakeLeftOperand(CEqExpr& row, CEqExpr& first) {
    int caret = CaretPos(row);
    int g = OperandScan::SkipSpacesLeft(row, caret - 1);
    int notTaken = OperandScan::Leftward(row, g, first);
    int from = first.IsBlank() ? caret : notTaken + 1;
    row.RemoveRange(from, caret, true);
    row.m_pOwner->SetCaret(&row, from);
}

void RowEditor::TakeRightOperand(CEqExpr& row, CEqExpr& second) {
    int caret = CaretPos(row);
    int m = OperandScan::SkipSpacesRight(row, caret);
    int notTaken = OperandScan::Rightward(row, m, second);
    if (!second.IsBlank())
        row.RemoveRange(caret, notTaken, true);
}

bool RowEditor::HasRoomToWrap(const CEqExpr& row, bool operands, int wrap) {
    int from = 0;
    int to = 0;
    WrappedSpan(row, operands, &from, &to);
    int depth = 1 + TreeDepth::RangeDepth(row, from, to) + wrap;
    return TreeDepth::Fits(TreeDepth::Level(row) + 1, depth);
}

void RowEditor::WrappedSpan(const CEqExpr& row, bool operands, int* from, int* to) {
    const CEqOwner& data = *row.m_pOwner;
    int last = std::max(row.GetCount() - 1, 0);
    int anchor = std::clamp(data.AnchorPos(), 0, last);
    int caret = std::clamp(data.CaretPos(), 0, last);
    *from = std::min(anchor, caret);
    *to = std::max(anchor, caret);
    if (!operands)
        return;
    if (anchor >= caret)
        *from = OperandScan::LeftwardStop(row, OperandScan::SkipSpacesLeft(row, *from - 1)) + 1;
    if (anchor <= caret)
        *to = OperandScan::RightwardStop(row, OperandScan::SkipSpacesRight(row, *to));
}
