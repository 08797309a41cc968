// The end atom of every row. Its form lives in its width: exactly 2 means
// collapsed (an undrawn sliver), anything else a dotted placeholder box.
#pragma once

#include <memory>

#include "elements/EqAtom.h"

class CEqEmpty : public CEqAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqEmpty)

  public:
    static constexpr int kCollapsedWidth = 2;

    CEqEmpty() : CEqAtom(Kind::End) {}

    std::unique_ptr<CEqAtom> Clone() const override;
    void CalcSize() override;
    void Draw() override;
    int GetChar() const override { return -1; }

    void SetPlaceholder(bool show);
    bool IsCollapsed() const { return m_size.cx == kCollapsedWidth; }
};
