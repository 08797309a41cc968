#include "platform/DC.h"

unsigned CDC::SetTextAlign(unsigned flags) {
    unsigned old = m_nTextAlign;
    m_nTextAlign = flags;
    return old;
}

CFont* CDC::SelectObject(CFont* font) {
    CFont* old = m_pFont;
    m_pFont = font ? font : &m_defaultFont;
    return old;
}

CPen* CDC::SelectObject(CPen* pen) {
    CPen* old = m_pPen;
    m_pPen = pen ? pen : &m_defaultPen;
    return old;
}

void CDC::MoveTo(int x, int y) {
    m_ptCurrent = POINT{x, y};
}

COLORREF CDC::SetBkColor(COLORREF color) {
    COLORREF old = m_bkColor;
    m_bkColor = color;
    return old;
}

COLORREF CDC::SetTextColor(COLORREF color) {
    COLORREF old = m_textColor;
    m_textColor = color;
    return old;
}

void CDC::ResetState(COLORREF background, COLORREF text) {
    m_pFont = &m_defaultFont;
    m_pPen = &m_defaultPen;
    m_nTextAlign = TA_LEFT | TA_TOP;
    m_bkColor = background;
    m_textColor = text;
    m_ptCurrent = POINT{};
}
