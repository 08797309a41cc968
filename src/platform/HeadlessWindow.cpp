#include "platform/HeadlessWindow.h"

namespace {
CFont MakeFont(int height, int width, bool bold, bool italic) {
    CFont font("Courier New", height, bold, italic);
    font.m_nCharWidth = width;
    return font;
}
} // namespace

CHeadlessWindow::CHeadlessWindow(CDC* dc) {
    if (!dc) {
        m_ownDC = std::make_unique<CHeadlessDC>();
        dc = m_ownDC.get();
    }
    m_pDC = dc;
    m_fontNormal = MakeFont(kRegularHeight, kRegularWidth, false, false);
    m_fontBold = MakeFont(kRegularHeight, kRegularWidth, true, false);
    m_fontBoldItalic = MakeFont(kRegularHeight, kRegularWidth, true, true);
    m_fontSmall = MakeFont(kSmallHeight, kSmallWidth, false, false);
    m_fontSmallBold = MakeFont(kSmallHeight, kSmallWidth, true, false);
    m_fontSmallBoldItalic = MakeFont(kSmallHeight, kSmallWidth, true, true);
    m_rcClient = RECT{0, 0, 800, 600};
    m_pDC->SelectObject(&m_fontNormal);
}

short CHeadlessWindow::GetKeyState(unsigned vk) const {
    return m_held.count(vk) ? static_cast<short>(0x8000) : 0;
}

void CHeadlessWindow::MessageBox(const std::string& text) {
    m_messages.push_back(text);
}

void CHeadlessWindow::CreateCaret(int width, int height) {
    m_sizeCaret = SIZE{width, height};
    m_bCaretShown = false;
}

void CHeadlessWindow::SetCaretPos(POINT pt) {
    m_ptCaret = pt;
}
void CHeadlessWindow::ShowCaret() {
    m_bCaretShown = true;
}
void CHeadlessWindow::DestroyCaret() {
    m_bCaretShown = false;
}

void CHeadlessWindow::SetScrollInfo(int bar, const SCROLLINFO& info) {
    if (bar == SB_HORZ || bar == SB_VERT)
        m_scroll[bar] = info;
}

SCROLLINFO CHeadlessWindow::GetScrollInfo(int bar) const {
    return bar == SB_HORZ || bar == SB_VERT ? m_scroll[bar] : SCROLLINFO{};
}

void CHeadlessWindow::InvalidateRect(const RECT&, bool) {
    ++m_nInvalidations;
}
void CHeadlessWindow::Invalidate(bool) {
    ++m_nInvalidations;
}

void CHeadlessWindow::SetStatusMessage(const std::string& text, bool error) {
    m_strStatus = text;
    m_bStatusError = error;
}
