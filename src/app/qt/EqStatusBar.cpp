#include "app/qt/EqStatusBar.h"

#include "app/qt/StringTable.h"

CEqStatusBar::CEqStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
    m_paneReady.SetText(StringTable::Ready());
    addWidget(&m_paneReady, 1);
    // The message pane asks for the width of its sample while there is room.
    m_paneMessage.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_paneMessage.SetSample(StringTable::MessagePaneSample());
    addWidget(&m_paneMessage, 0);
    m_paneModified.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_paneModified.setAlignment(Qt::AlignCenter);
    m_paneModified.setMinimumWidth(
        m_paneModified.fontMetrics().horizontalAdvance(StringTable::ModifiedIndicator()) + 8);
    m_paneModified.setToolTip(StringTable::ModifiedToolTip());
    addPermanentWidget(&m_paneModified);
    for (QLabel* pane : {&m_paneCaps, &m_paneNum, &m_paneScroll}) {
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        addPermanentWidget(pane);
        pane->hide();
    }
}

void CEqStatusBar::SetPrompt(const QString& prompt) {
    m_paneReady.SetText(prompt.isEmpty() ? StringTable::Ready() : prompt);
}

void CEqStatusBar::SetMessage(const QString& text, bool error) {
    m_bError = error && !text.isEmpty();
    QPalette palette = m_paneMessage.palette();
    palette.setColor(QPalette::WindowText,
                     m_bError ? QColor(255, 0, 0) : this->palette().color(QPalette::WindowText));
    m_paneMessage.setPalette(palette);
    m_paneMessage.SetText(text);
}

QColor CEqStatusBar::MessageColor() const {
    return m_paneMessage.palette().color(QPalette::WindowText);
}

void CEqStatusBar::SetModified(bool modified) {
    m_paneModified.setText(modified ? StringTable::ModifiedIndicator() : QString());
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
