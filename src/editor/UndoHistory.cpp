#include "editor/UndoHistory.h"

#include "rows/TreeDepth.h"

void UndoHistory::Push(const CEqExpr* row) {
    m_undo.Push(m_document.MakeStep());
    m_pRunRow = row;
    ClearRedo();
}

bool UndoHistory::Undo() {
    return Step(m_undo, m_redo);
}

bool UndoHistory::Redo() {
    return Step(m_redo, m_undo);
}

bool UndoHistory::Step(StepStack& from, StepStack& to) {
    if (from.Empty())
        return false;
    EndRun();
    UndoStep inverse;
    if (!m_document.ApplyStep(from.Top(), &inverse))
        return false;
    from.Pop();
    to.Push(std::move(inverse));
    return true;
}

void UndoHistory::Clear() {
    m_undo.Clear();
    EndRun();
}

void UndoHistory::ClearRedo() {
    m_redo.Clear();
}

size_t UndoHistory::HistoryBytes() const {
    return m_undo.Bytes() + m_redo.Bytes();
}

void UndoHistory::EndRun() {
    m_bTypingRun = false;
    m_bEraseRun = false;
}

bool UndoHistory::TypingGoesOn(const CEqExpr* row, int caret) const {
    return m_bTypingRun && row == m_pRunRow && caret == m_nRunPos;
}

bool UndoHistory::ErasingGoesOn(const CEqExpr* row, int caret) const {
    return m_bEraseRun && row == m_pRunRow && caret == m_nRunPos;
}

void UndoHistory::BeginTyping(int pos) {
    m_bTypingRun = true;
    m_nRunPos = pos;
}

void UndoHistory::BeginErasing(int pos) {
    m_bEraseRun = true;
    m_nRunPos = pos;
}

void UndoHistory::ForgetRow(const CEqExpr* row) {
    if (m_pRunRow == row)
        m_pRunRow = nullptr;
}

bool UndoHistory::RefuseTooDeep(size_t undoBefore, const CEqExpr* top) {
    if (m_undo.Count() <= undoBefore || !top)
        return false;
    if (TreeDepth::Fits(1, TreeDepth::Depth(*top)))
        return false;
    if (!m_document.ApplyStep(m_undo.Top(), nullptr))
        return false;
    m_undo.Pop();
    EndRun();
    return true;
}
