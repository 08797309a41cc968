#include "atoms/EqDerive2.h"

#include <algorithm>

#include "platform/DC.h"
#include "platform/EqWindow.h"
#include "rows/EqExpr.h"

VEXLOR_IMPLEMENT_DYNCREATE(CEqDerive2)

std::unique_ptr<CEqAtom> CEqDerive2::Clone() const {
    return CopyRowsInto(std::make_unique<CEqDerive2>());
}

// The first derivative's box widened for the two small "2"s and raised by
// S.cy/4 + 1 for the upper one, unless a tall numerator already leaves room.
void CEqDerive2::CalcSize() {
    m_pNumerator->CalcSize();
    m_pDenominator->CalcSize();
    SIZE m = MeasureM();
    SIZE s = MeasureS();
    const SIZE& num = m_pNumerator->m_size;
    const SIZE& den = m_pDenominator->m_size;
    m_size.cx = std::max(num.cx, den.cx) + m.cx + LetterWidth(m) + m.cx / 4 + s.cx;
    m_size.cy = num.cy + den.cy + m.cy / 3 + s.cy / 2 + 1;
    m_ptAnchor = POINT{m_size.cx / 2, num.cy + m.cy / 6 + s.cy / 4 + 1};
    if (IsTallNumerator(m, s)) {
        m_size.cy -= s.cy / 4;
        m_ptAnchor.y -= s.cy / 4;
    }
}

// The numerator moves right by k for the "2" after its "d"; the denominator
// moves left by k + 1 for the "2" after it, and down by S.cy/4 + 1.
void CEqDerive2::Redraw(int x, int y, int hAlign, int vAlign) {
    SIZE m = MeasureM();
    SIZE s = MeasureS();
    if (!CEqObject::Redraw(x, y, hAlign, vAlign))
        EraseInvalid();
    RECT oldNum = m_pNumerator->m_rect;
    RECT oldDen = m_pDenominator->m_rect;
    int k = Shift(m, s);
    int cx = x + m_ptAnchor.x + LetterWidth(m) / 2;
    m_pNumerator->Redraw(cx + k, y + m_ptAnchor.y - m.cy / 6, 0, 4);
    m_pDenominator->Redraw(cx - k - 1, y + m_ptAnchor.y + m.cy / 6 + s.cy / 4 + 1, 0, 3);
    EraseMovedBands(oldNum, oldDen);
}

// The two "d"s moved left by k, then the small "2"s: the exponent of the
// numerator's "d" and the one after the whole denominator.
void CEqDerive2::DrawLetters(CDC* dc, SIZE m) {
    SIZE s = MeasureS();
    POINT d1 = NumeratorLetter(m, s);
    POINT d2 = DenominatorLetter(m, s);
    dc->TextOut(d1.x, d1.y, "d");
    dc->TextOut(d2.x, d2.y, "d");
    dc->SelectObject(&Window()->m_fontSmallBoldItalic);
    int w3 = LetterWidth(m);
    const CEqExpr& den = *m_pDenominator;
    dc->TextOut(d1.x + (5 * m.cx) / 4, d1.y + (3 * s.cy) / 4 - m.cy, "2");
    dc->TextOut(d2.x + (5 * m.cx) / 4 + w3 / 4 + den.m_size.cx,
                m_rect.bottom - den.m_size.cy + (3 * s.cy) / 4, "2");
}

std::string CEqDerive2::ToText() {
    std::string first = CEqDerive::ToText();
    return " d2" + first.substr(std::min<size_t>(2, first.size()));
}

// The M box of the small font, whatever font is current.
SIZE CEqDerive2::MeasureS() const {
    CEqWindow* wnd = Window();
    if (!wnd || !wnd->m_pDC)
        return SIZE{};
    CFont* previous = wnd->m_pDC->SelectObject(&wnd->m_fontSmall);
    SIZE s = wnd->m_pDC->GetTextExtent("M");
    wnd->m_pDC->SelectObject(previous);
    return s;
}

bool CEqDerive2::IsTallNumerator(SIZE m, SIZE s) const {
    return m.cy + s.cy / 4 < m_pNumerator->m_size.cy;
}

int CEqDerive2::Shift(SIZE m, SIZE s) {
    return (m.cx / 4 + s.cx) / 2;
}

// Bottom-left point of the numerator's "d" (text aligned to its bottom).
POINT CEqDerive2::NumeratorLetter(SIZE m, SIZE s) const {
    const CEqExpr& num = *m_pNumerator;
    int x = m_rect.left + m_ptAnchor.x - (LetterWidth(m) + num.m_size.cx) / 2 - Shift(m, s);
    int y = m_rect.top + num.m_ptAnchor.y + m.cy / 2 + 1;
    if (!IsTallNumerator(m, s))
        y += s.cy / 4;
    return POINT{x, y};
}

// Bottom-left point of the denominator's "d".
POINT CEqDerive2::DenominatorLetter(SIZE m, SIZE s) const {
    const CEqExpr& den = *m_pDenominator;
    int x = m_rect.left + m_ptAnchor.x - (LetterWidth(m) + den.m_size.cx) / 2 - Shift(m, s);
    int y = m_rect.bottom - den.m_size.cy + den.m_ptAnchor.y + m.cy / 2;
    return POINT{x, y};
}
