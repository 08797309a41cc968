#include "editor/qt/Caret.h"

void Caret::Create(int width, int height) {
    m_bShown = false;
    m_rect.setSize(QSize(width, height));
}

void Caret::SetPos(int x, int y) {
    m_rect.moveTopLeft(QPoint(x, y));
}

bool Caret::Show() {
    bool moved = m_rect != m_rcShown;
    if (moved)
        m_bPhaseOn = true;
    m_bShown = true;
    m_rcShown = m_rect;
    return moved;
}

void Caret::Destroy() {
    m_bShown = false;
}

bool Caret::Blink() {
    if (!m_bShown)
        return false;
    m_bPhaseOn = !m_bPhaseOn;
    return true;
}
