#include "editor/VexlorData.h"

#include "rows/EqExpr.h"

namespace {
// Clamps pos into 0 .. n-1; reports whether it had to be lowered.
int ClampPos(int pos, int n, bool* lowered) {
    *lowered = pos >= n;
    if (pos >= n)
        pos = n - 1;
    if (pos < 0)
        pos = 0;
    return pos;
}
} // namespace

int CVexlorData::SetCaret(CEqExpr* row, int pos) {
    m_pCurRow = row;
    int n = row ? row->GetCount() : 0;
    bool lowered = false;
    pos = ClampPos(pos, n, &lowered);
    m_nAnchor = m_nCaret = pos;
    return lowered ? n - 1 : n;
}

int CVexlorData::SetSelection(CEqExpr* row, int from, int to) {
    m_pCurRow = row;
    int n = row ? row->GetCount() : 0;
    bool ignored = false;
    bool lowered = false;
    m_nAnchor = ClampPos(from, n, &ignored);
    m_nCaret = ClampPos(to, n, &lowered);
    return lowered ? n - 1 : n;
}
