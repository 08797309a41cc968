// The toolbar's drawings take the palette's colours: on a dark palette their
// strokes are light, on a light one dark, so they stand out either way.
#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QTest>

#include "app/qt/ToolbarIcons.h"
#include "editor/qt/CommandIds.h"

namespace {
QPalette PaletteOf(QColor text, QColor base) {
    QPalette palette;
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, base);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    return palette;
}

// The largest difference in lightness between an opaque pixel of the icon
// and the background it is shown on.
int BestContrast(const QIcon& icon, const QColor& background) {
    QImage image = icon.pixmap(QSize(ToolbarIcons::kWidth, ToolbarIcons::kHeight))
                       .toImage()
                       .convertToFormat(QImage::Format_ARGB32);
    int best = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() > 200)
                best = std::max(best, std::abs(pixel.lightness() - background.lightness()));
        }
    return best;
}
} // namespace

class ToolbarIconsTest : public QObject {
    Q_OBJECT

  private slots:
    void drawingsContrastWithThePalette_data();
    void drawingsContrastWithThePalette();
};

void ToolbarIconsTest::drawingsContrastWithThePalette_data() {
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("base");
    QTest::newRow("dark") << QColor(230, 230, 230) << QColor(35, 35, 38);
    QTest::newRow("light") << QColor(0, 0, 0) << QColor(240, 240, 240);
}

void ToolbarIconsTest::drawingsContrastWithThePalette() {
    QFETCH(QColor, text);
    QFETCH(QColor, base);
    QPalette palette = PaletteOf(text, base);
    // The derivatives are letters and a bar only: no slot fill helps them.
    for (int id : {ID_INSERT_DERIVE, ID_INSERT_DERIVE2}) {
        // Half the range of lightness at least, as black on white has all of it.
        QVERIFY2(BestContrast(ToolbarIcons::For(id, palette), base) > 128,
                 qPrintable(QString::number(id)));
    }
}

QTEST_MAIN(ToolbarIconsTest)
#include "ToolbarIconsTest.moc"
