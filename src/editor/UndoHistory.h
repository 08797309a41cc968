// The undo and redo stacks of a document, with the runs that let several
// typed characters or erasures share one step, and the refusal of an edit
// that nested the tree deeper than a step can hold.
#pragma once

#include <cstddef>
#include <vector>

#include "editor/StepStack.h"
#include "editor/UndoStep.h"

class CEqExpr;

class UndoHistory {
  public:
    // The document the steps are taken of and given back to.
    class Document {
      public:
        virtual ~Document() = default;
        // The present state of what the edit about to run may change.
        virtual UndoStep MakeStep() = 0;
        // Applies a step to the present state; false (and nothing changed)
        // when it cannot. When inverse is given, it receives the step that
        // brings the present state back.
        virtual bool ApplyStep(const UndoStep& step, UndoStep* inverse) = 0;
    };

    explicit UndoHistory(Document& document) : m_document(document) {}
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // The present state becomes an undo step; the redo steps go. row is
    // where a run that begins now takes place.
    void Push(const CEqExpr* row);
    // One step back or forward; false when there is none or it is damaged.
    bool Undo();
    bool Redo();
    void Clear();
    void ClearRedo();
    size_t UndoSize() const { return m_undo.Count(); }
    size_t RedoSize() const { return m_redo.Count(); }
    bool CanUndo() const { return !m_undo.Empty(); }
    bool CanRedo() const { return !m_redo.Empty(); }
    // Bytes held by both stacks.
    size_t HistoryBytes() const;

    // Runs. Typing or erasing goes on while the caret stays in the run's
    // row at the place the previous character left it.
    void EndRun();
    bool TypingGoesOn(const CEqExpr* row, int caret) const;
    bool ErasingGoesOn(const CEqExpr* row, int caret) const;
    void BeginTyping(int pos);
    void BeginErasing(int pos);
    void MoveRun(int offset) { m_nRunPos += offset; }
    bool IsTyping() const { return m_bTypingRun; }
    bool IsErasing() const { return m_bEraseRun; }
    // A row that goes away ends its run; without a row, any row's.
    void ForgetRow(const CEqExpr* row);
    void ForgetRow() { m_pRunRow = nullptr; }

    // After an edit that took steps beyond undoBefore: when top (the row
    // edited) became deeper than a step may hold, goes back to the last
    // step and drops it. Returns whether the edit was refused.
    bool RefuseTooDeep(size_t undoBefore, const CEqExpr* top);

  private:
    // Moves one step from `from` to `to`: the present state goes on `to`,
    // the top of `from` becomes the present state.
    bool Step(StepStack& from, StepStack& to);

    Document& m_document;
    StepStack m_undo;
    StepStack m_redo;
    bool m_bTypingRun = false;
    bool m_bEraseRun = false;
    const CEqExpr* m_pRunRow = nullptr;
    int m_nRunPos = 0;
};
