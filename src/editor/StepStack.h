// A stack of undo or redo steps whose top is always whole and whose other
// steps are packed against the step above them: a run of edits of one row
// then costs the differences between its images, not an image per edit.
#pragma once

#include <cstddef>
#include <vector>

#include "editor/UndoStep.h"

class StepStack {
  public:
    void Push(UndoStep step);
    // The top, whole; the stack must not be empty.
    const UndoStep& Top() const { return m_steps.back(); }
    // Removes the top and unpacks the step under it.
    void Pop();
    void Clear() { m_steps.clear(); }
    bool Empty() const { return m_steps.empty(); }
    size_t Count() const { return m_steps.size(); }
    // Bytes the steps hold.
    size_t Bytes() const;

  private:
    std::vector<UndoStep> m_steps;
};
