#include "app/qt/EqStatusBar.h"

#include "app/qt/StringTable.h"

CEqStatusBar::CEqStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
    m_paneReady.setText(StringTable::Ready());
    addWidget(&m_paneReady, 1);
    m_paneMessage.setTextFormat(Qt::PlainText);
    m_paneMessage.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_paneMessage.setMinimumWidth(
        m_paneMessage.fontMetrics().horizontalAdvance(StringTable::MessagePaneSample()));
    addWidget(&m_paneMessage, 0);
    for (QLabel* pane : {&m_paneCaps, &m_paneNum, &m_paneScroll}) {
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        addPermanentWidget(pane);
        pane->hide();
    }
}

void CEqStatusBar::SetPrompt(const QString& prompt) {
    m_paneReady.setText(prompt.isEmpty() ? StringTable::Ready() : prompt);
}

void CEqStatusBar::SetMessage(const QString& text, bool error) {
    m_bError = error && !text.isEmpty();
    QPalette palette = m_paneMessage.palette();
    palette.setColor(QPalette::WindowText,
                     m_bError ? QColor(255, 0, 0) : this->palette().color(QPalette::WindowText));
    m_paneMessage.setPalette(palette);
    m_paneMessage.setText(text);
}

QColor CEqStatusBar::MessageColor() const {
    return m_paneMessage.palette().color(QPalette::WindowText);
}

void CEqStatusBar::ShowIndicator(QLabel& pane, bool known, bool on, const QString& text) {
    pane.setVisible(known);
    pane.setText(on ? text : QString());
}

void CEqStatusBar::SetLockState(const LockKeys::State& state) {
    ShowIndicator(m_paneCaps, state.known, state.caps, StringTable::CapsIndicator());
    ShowIndicator(m_paneNum, state.known, state.num, StringTable::NumIndicator());
    ShowIndicator(m_paneScroll, state.known, state.scroll, StringTable::ScrollIndicator());
}
