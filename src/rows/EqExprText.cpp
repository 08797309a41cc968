// Linear text of a row: the plain concatenation of its atoms' texts.
#include "elements/EqAtom.h"
#include "elements/EqOwner.h"
#include "rows/EqExpr.h"

std::string CEqExpr::ToText(bool selectionOnly) {
    int from = 0;
    int to = GetCount() - 1;
    if (selectionOnly)
        SelectionBounds(&from, &to);
    std::string text;
    for (int i = from; i < to; ++i)
        text += m_atoms[static_cast<size_t>(i)]->ToText();
    return text;
}

std::string CEqExpr::PeekText() const {
    std::string text;
    for (int i = 0; i + 1 < GetCount(); ++i)
        text += m_atoms[static_cast<size_t>(i)]->PeekText();
    return text;
}
