// An owner for a tree built again from what was done to it before: it
// answers questions as the document does and lets the tree measure in its
// window, but the caret, the undo history, the change mark and the invalid
// rectangle stay as they are, and nothing is erased on the screen. Those
// effects took place when the steps were first taken.
#pragma once

#include "elements/EqOwner.h"

class QuietOwner : public CEqOwner {
  public:
    explicit QuietOwner(const CEqOwner& document) : m_document(document) {}

    int SetCaret(CEqExpr* row, int pos) override;
    int SetSelection(CEqExpr* row, int from, int to) override;
    void MoveCaret(int, int) override {}
    CEqExpr* CurrentRow() const override { return m_document.CurrentRow(); }
    int CaretPos() const override { return m_document.CaretPos(); }
    int AnchorPos() const override { return m_document.AnchorPos(); }
    void PushUndo() override {}
    void EndRun() override {}
    bool ErasingGoesOn() const override { return m_document.ErasingGoesOn(); }
    void BeginErasing(int) override {}
    void MoveErasing(int) override {}
    void MarkChanged() override {}
    void SetInvalid(const RECT&) override {}
    RECT Invalid() const override { return RECT{}; }
    RECT GetSelectionRect() override { return RECT{}; }
    CEqWindow* Window() const override { return m_document.Window(); }

  private:
    const CEqOwner& m_document;
};
