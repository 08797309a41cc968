// Linear text of a row: the plain concatenation of its atoms' texts.
#include "atoms/EqFraction.h"
#include "elements/EqAtom.h"
#include "elements/EqOwner.h"
#include "rows/EqExpr.h"
#include "rows/RowComposer.h"

// A fraction right after a lone d or d2 formed as a fraction because its
// numerator was not simple; written, that numerator is bracketed and so
// simple, and read back the d would make it a derivative. Brackets around
// the whole fraction keep it one.
std::string CEqExpr::ToText(bool selectionOnly) {
    int from = 0;
    int to = GetCount() - 1;
    if (selectionOnly)
        SelectionBounds(&from, &to);
    std::string text;
    for (int i = from; i < to; ++i) {
        CEqAtom* atom = m_atoms[static_cast<size_t>(i)].get();
        std::string own = atom->ToText();
        if (atom->Is<CEqFraction>() && i > from && RowComposer::IsMarkBefore(*this, i - 1))
            own = "( " + own + " )";
        text += own;
    }
    return text;
}

std::string CEqExpr::PeekText() const {
    std::string text;
    for (int i = 0; i + 1 < GetCount(); ++i)
        text += m_atoms[static_cast<size_t>(i)]->PeekText();
    return text;
}
