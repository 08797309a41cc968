#include "editor/StepStack.h"

#include <utility>

void StepStack::Push(UndoStep step) {
    if (!m_steps.empty())
        m_steps.back().PackAgainst(step);
    m_steps.push_back(std::move(step));
}

void StepStack::Pop() {
    UndoStep top = std::move(m_steps.back());
    m_steps.pop_back();
    // A step that cannot be made whole again keeps the rows it lost empty,
    // and applying it then fails without changing the document.
    if (!m_steps.empty())
        m_steps.back().UnpackAgainst(top);
}

size_t StepStack::Bytes() const {
    size_t total = 0;
    for (const UndoStep& step : m_steps)
        total += step.Size();
    return total;
}
