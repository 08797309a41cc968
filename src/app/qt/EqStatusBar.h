// The frame's status bar: the prompt pane ("Готово" when idle, the prompt of
// the command under the pointer), the message pane (an error in pure red),
// the modified indicator, and the Caps, Num and Scroll Lock indicators where
// their state is known. The prompt and message panes give way to a narrow
// window: their text is cut off with "…" and shown whole in the tooltip.
#pragma once

#include <QLabel>
#include <QStatusBar>

#include "app/qt/ElidedLabel.h"
#include "app/qt/LockKeys.h"

class CEqStatusBar : public QStatusBar {
    Q_OBJECT

  public:
    explicit CEqStatusBar(QWidget* parent = nullptr);

    // An empty prompt shows the idle text.
    void SetPrompt(const QString& prompt);
    QString Prompt() const { return m_paneReady.Text(); }

    void SetMessage(const QString& text, bool error);
    QString Message() const { return m_paneMessage.Text(); }
    const ElidedLabel& MessagePane() const { return m_paneMessage; }
    bool IsMessageError() const { return m_bError; }
    QColor MessageColor() const;

    // The indicator shows while the data holds unsaved changes.
    void SetModified(bool modified);
    QString ModifiedIndicator() const { return m_paneModified.text(); }

    void SetLockState(const LockKeys::State& state);
    bool AreIndicatorsShown() const { return !m_paneCaps.isHidden(); }

  private:
    ElidedLabel m_paneReady;
    ElidedLabel m_paneMessage;
    QLabel m_paneModified;
    QLabel m_paneCaps;
    QLabel m_paneNum;
    QLabel m_paneScroll;
    bool m_bError = false;

    static void ShowIndicator(QLabel& pane, bool known, bool on, const QString& text);
};
