// The frame's status bar: the prompt pane ("Готово" when idle, the prompt of
// the command under the pointer), the message pane (an error in pure red),
// and the Caps, Num and Scroll Lock indicators where their state is known.
#pragma once

#include <QLabel>
#include <QStatusBar>

#include "app/qt/LockKeys.h"

class CEqStatusBar : public QStatusBar {
    Q_OBJECT

  public:
    explicit CEqStatusBar(QWidget* parent = nullptr);

    // An empty prompt shows the idle text.
    void SetPrompt(const QString& prompt);
    QString Prompt() const { return m_paneReady.text(); }

    void SetMessage(const QString& text, bool error);
    QString Message() const { return m_paneMessage.text(); }
    bool IsMessageError() const { return m_bError; }
    QColor MessageColor() const;

    void SetLockState(const LockKeys::State& state);
    bool AreIndicatorsShown() const { return !m_paneCaps.isHidden(); }

  private:
    QLabel m_paneReady;
    QLabel m_paneMessage;
    QLabel m_paneCaps;
    QLabel m_paneNum;
    QLabel m_paneScroll;
    bool m_bError = false;

    static void ShowIndicator(QLabel& pane, bool known, bool on, const QString& text);
};
