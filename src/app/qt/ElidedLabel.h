// A status-bar pane whose text gives way when the window is narrow: it asks
// for the width of a sample text (or of its own text, when longer) but can
// shrink to a few characters, showing the text cut off with "…". The whole
// text is always in the tooltip.
#pragma once

#include <QFrame>
#include <QString>

class ElidedLabel : public QFrame {
    Q_OBJECT

  public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const { return m_text; }
    // The text as drawn at the current width.
    QString ShownText() const;
    // The width the pane asks for while the window has room.
    void SetSample(const QString& sample);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_text;
    QString m_sample;

    static constexpr int kMargin = 3;
    static constexpr int kMinimumCharacters = 4;
};
