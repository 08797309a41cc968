// A first derivative in Leibniz form: bold italic "d" before the function
// row, a bar, and "d" before the variable row.
#pragma once

#include "elements/EqAtom.h"

class CFont;

class CEqDerive : public CEqAtom {
    VEXLOR_DECLARE_DYNCREATE(CEqDerive)

  public:
    // Loading starts from two empty rows; editing uses SetRows.
    CEqDerive();
    ~CEqDerive() override;
    CEqDerive(const CEqDerive&) = delete;
    CEqDerive& operator=(const CEqDerive&) = delete;

    void SetRows(CEqExpr* numerator, CEqExpr* denominator);

    void Serialize(CArchive& ar) override;
    void SetOwner(CVexlorData* owner) override;
    int Compose() override;
    CEqAtom* Clone() const override;
    bool HitTest(POINT* pt) override;
    bool HitTestRange(POINT* from, POINT* to) override;
    bool LeaveChild(CEqExpr* row, UINT vk) override;
    bool EnterFrom(UINT vk) override;
    void CalcSize() override;
    void Redraw(int x, int y, int hAlign, int vAlign) override;
    void Draw() override;
    std::string ToText() override;
    bool IsBlank() const override;
    int GetRowCount() const override { return 2; }
    CEqExpr* GetRow(int i) const override;

    CEqExpr* m_pNumerator = nullptr;
    CEqExpr* m_pDenominator = nullptr;

  protected:
    // W3, the room for the "d": one and a half M widths.
    static int LetterWidth(SIZE m);
    // Selects the bold italic font of the current size; returns the font it replaced.
    CFont* SelectBoldItalic() const;
    // Clears the strip of a row's old height when that row moved.
    void EraseMovedBands(const RECT& oldNum, const RECT& oldDen) const;
    void DrawBar() const;

  private:
    // Key handling at the edge of one row; i is the atom's index in its parent.
    bool LeaveNumerator(int i, UINT vk);
    bool LeaveDenominator(int i, UINT vk);
    std::string FunctionText();
    std::string VariableText();
    static bool IsBareVariable(const CEqAtom* first);
};
