// A base row with one index row in the small font: a low index (subscript,
// an array element) or a high index (a power; on the base "e" the
// exponential function).
#pragma once

#include <memory>

#include <cstdint>

#include "atoms/EqCompoundAtom.h"
#include "rows/EqExpr.h"

class CFont;

class CEqIndex : public CEqCompoundAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqIndex)

  public:
    // Loading starts from two empty rows and a low index.
    CEqIndex();

    void SetRows(CEqExpr* base, CEqExpr* index);

    // The kind, then the base and the index row.
    void Serialize(CArchive& ar) override;
    std::unique_ptr<CEqAtom> Clone() const override;
    bool HitTest(POINT* pt) override;
    void CalcSize() override;
    void Redraw(int x, int y, int hAlign, int vAlign) override;
    void Draw() override;
    std::string ToText() override;
    int GetRowCount() const override { return 2; }
    CEqExpr* GetRow(int i) const override;

    // Whether the base row, its outer spaces aside, writes exactly "e".
    // Decided without changing the tree: painting must not trim rows.
    bool IsExponential() const;
    // Whether a trimmed operand row may be written without brackets: it is
    // simple and its first atom is no structure other than a low index.
    static bool IsBareOperand(const CEqExpr* row);

    int32_t m_bHigh = 0; // 0 low index, 1 high index
    std::unique_ptr<CEqExpr> m_pBase;
    std::unique_ptr<CEqExpr> m_pIndex;

  private:
    friend class CEqPowIndex; // shares the index font and the operand texts

    // Selects the window's index font for the scope's lifetime, then puts
    // the font it replaced back. Without a window it does nothing.
    class SmallFontScope {
      public:
        explicit SmallFontScope(CEqWindow* wnd);
        ~SmallFontScope();
        SmallFontScope(const SmallFontScope&) = delete;
        SmallFontScope& operator=(const SmallFontScope&) = delete;

      private:
        CDC* m_pDC;
        CFont* m_pPrevious = nullptr;
    };

    bool IsHigh() const { return m_bHigh != 0; }
    // A fresh row holding only its end atom, standing in for a missing row.
    static CEqExpr* EmptyRow(CEqOwner* owner);
    bool LeaveRow(CEqExpr* row, UINT vk, int i) override;
    bool LeaveBase(UINT vk, int i);
    bool LeaveIndex(UINT vk, int i);

    // Operand texts of a trimmed row.
    static std::string BaseText(CEqExpr* row);
    static std::string PowerText(CEqExpr* row);
    static std::string LowText(CEqExpr* row);
};
