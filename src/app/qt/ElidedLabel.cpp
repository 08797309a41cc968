#include "app/qt/ElidedLabel.h"

#include <QPainter>

ElidedLabel::ElidedLabel(QWidget* parent) : QFrame(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ElidedLabel::SetText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    setToolTip(text);
    updateGeometry();
    update();
}

void ElidedLabel::SetSample(const QString& sample) {
    m_sample = sample;
    updateGeometry();
}

QString ElidedLabel::ShownText() const {
    const int width = contentsRect().width() - 2 * kMargin;
    return fontMetrics().elidedText(m_text, Qt::ElideRight, std::max(width, 0));
}

QSize ElidedLabel::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int text =
        std::max(metrics.horizontalAdvance(m_sample), metrics.horizontalAdvance(m_text));
    return QSize(text + 2 * kMargin + 2 * frameWidth(), metrics.height() + 2 * frameWidth());
}

QSize ElidedLabel::minimumSizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return QSize(metrics.averageCharWidth() * kMinimumCharacters + 2 * kMargin + 2 * frameWidth(),
                 metrics.height() + 2 * frameWidth());
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect area = contentsRect().adjusted(kMargin, 0, -kMargin, 0);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, ShownText());
}
