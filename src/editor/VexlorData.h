// The editor data: owner of all formula trees, holder of the caret and the
// selection, and the elements' way to their window.
#pragma once

#include "platform/Geometry.h"

class CEqExpr;
class CEqWindow;

class CVexlorData {
  public:
    CVexlorData() = default;
    CVexlorData(const CVexlorData&) = delete;
    CVexlorData& operator=(const CVexlorData&) = delete;
    virtual ~CVexlorData() = default;

    // Puts the caret (and an empty selection) at pos in row, clamped into
    // 0 .. n-1. Returns n, less 1 when pos had to be lowered.
    int SetCaret(CEqExpr* row, int pos);
    // Selects from `from` (anchor) to `to` (caret) in row, both clamped.
    // Returns n, or n-1 when `to` had to be lowered.
    int SetSelection(CEqExpr* row, int from, int to);

    CEqWindow* m_pWnd = nullptr;
    CEqExpr* m_pCurRow = nullptr;
    int m_nAnchor = 0;
    int m_nCaret = 0;
    RECT m_rcInvalid;
};
