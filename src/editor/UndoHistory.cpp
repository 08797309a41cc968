#include "editor/UndoHistory.h"

#include <unordered_set>

#include "rows/TreeDepth.h"

void UndoHistory::Push(const CEqExpr* row) {
    m_undo.push_back(m_document.MakeStep(m_undo.empty() ? nullptr : &m_undo.back()));
    m_pRunRow = row;
    ClearRedo();
}

bool UndoHistory::Undo() {
    return Step(m_undo, m_redo);
}

bool UndoHistory::Redo() {
    return Step(m_redo, m_undo);
}

bool UndoHistory::Step(std::vector<UndoSnapshot>& from, std::vector<UndoSnapshot>& to) {
    if (from.empty())
        return false;
    EndRun();
    UndoSnapshot present = m_document.MakeStep(&from.back());
    if (!m_document.ReadStep(from.back()))
        return false;
    from.pop_back();
    to.push_back(std::move(present));
    return true;
}

void UndoHistory::Clear() {
    m_undo.clear();
    EndRun();
}

void UndoHistory::ClearRedo() {
    m_redo.clear();
}

size_t UndoHistory::HistoryBytes() const {
    std::unordered_set<const void*> seen;
    size_t total = 0;
    auto count = [&](const UndoSnapshot::Part& part) {
        if (part && seen.insert(part.get()).second)
            total += part->capacity();
    };
    for (const auto* stack : {&m_undo, &m_redo})
        for (const UndoSnapshot& step : *stack) {
            for (const auto& row : step.Rows())
                count(row);
            count(step.Tail());
        }
    return total;
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
    if (m_undo.size() <= undoBefore || !top)
        return false;
    if (TreeDepth::Fits(1, TreeDepth::Depth(*top)))
        return false;
    if (!m_document.ReadStep(m_undo.back()))
        return false;
    m_undo.pop_back();
    EndRun();
    return true;
}
