#include "platform/HeadlessDC.h"

SIZE CHeadlessDC::GetTextExtent(const std::string& text) {
    return SIZE{static_cast<int32_t>(text.size()) * m_pFont->m_nCharWidth, m_pFont->m_nHeight};
}

int CHeadlessDC::DrawText(const std::string& text, RECT* rect, unsigned flags) {
    SIZE extent = GetTextExtent(text);
    if (rect && (flags & DT_CALCRECT)) {
        rect->right = rect->left + extent.cx;
        rect->bottom = rect->top + extent.cy;
    }
    return extent.cy;
}

void CHeadlessDC::TextOut(int, int, const std::string&) {}

void CHeadlessDC::LineTo(int x, int y) {
    m_ptCurrent = POINT{x, y};
}
void CHeadlessDC::Arc(int, int, int, int, int, int, int x2, int y2) {
    m_ptCurrent = POINT{x2, y2};
}
void CHeadlessDC::Rectangle(const RECT&) {}
void CHeadlessDC::FillSolidRect(const RECT&, COLORREF) {}
void CHeadlessDC::InvertRect(const RECT&) {}

COLORREF CHeadlessDC::GetSysColor(int index) const {
    switch (index) {
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    case COLOR_BTNFACE:
        return RGB(212, 208, 200);
    default:
        return RGB(0, 0, 0);
    }
}
