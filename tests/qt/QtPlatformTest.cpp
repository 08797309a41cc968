// The Qt platform layer: fonts and their cells, the painting device context,
// Windows-1251 text, the system clipboard, the key map and the caret.
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTest>

#include "QtTestSupport.h"
#include "editor/qt/Caret.h"
#include "editor/qt/KeyMap.h"
#include "platform/Keys.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDC.h"
#include "platform/qt/QtFontBook.h"
#include "platform/qt/QtText.h"

namespace {
// Pixels clearly darker than white inside r.
int InkIn(const QImage& image, const QRect& r) {
    int ink = 0;
    QRect area = r.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 160)
                ++ink;
        }
    }
    return ink;
}

QPalette WhitePalette() {
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Button, QColor(212, 208, 200));
    return palette;
}
} // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

  private slots:
    void fontsHaveTheSpecifiedCells_data();
    void fontsHaveTheSpecifiedCells();
    void courierIsMonospacedAndDescribed();
    void textConvertsThroughTheCodePage();
    void measuringContextPaintsNothingButKeepsState();
    void paintingContextDrawsOpaqueTextAndInverts();
    void textAlignmentMovesTheReferencePoint();
    void textPaintsAsCharacterByCharacter_data();
    void textPaintsAsCharacterByCharacter();
    void arcsRunCounterClockwiseBetweenRadials();
    void clipboardCarriesThePrivateFormatAndText();
    void clipboardRefusesDamagedOrMissingData();
    void keysMapToVirtualKeys();
    void editingKeysAreTakenBeforeShortcuts();
    void caretKeepsItsPhaseWhileItStays();
};

void QtPlatformTest::fontsHaveTheSpecifiedCells_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    for (int height : {20, 14}) {
        QTest::addRow("%d regular", height) << height << false << false;
        QTest::addRow("%d bold", height) << height << true << false;
        QTest::addRow("%d bold italic", height) << height << true << true;
    }
}

void QtPlatformTest::fontsHaveTheSpecifiedCells() {
    QFETCH(int, height);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QtFontBook book;
    CFont font("Courier New", height, bold, italic);
    const QFontMetrics& metrics = book.MetricsFor(font);
    QCOMPARE(metrics.ascent() + metrics.descent(), height);
    QCOMPARE(book.FontFor(font).bold(), bold);
    QCOMPARE(book.FontFor(font).italic(), italic);
    // The same handle values give the same cached font.
    CFont twin("Courier New", height, bold, italic);
    QCOMPARE(&book.FontFor(twin), &book.FontFor(font));
    // The table of advances measures every byte as the face does.
    std::string all;
    int width = 0;
    for (int byte = 1; byte < 256; ++byte)
        all += static_cast<char>(byte);
    for (QChar ch : QtText::FromCp1251(all))
        width += metrics.horizontalAdvance(ch);
    QCOMPARE(book.TextExtent(font, all).cx, width);
    QCOMPARE(book.TextExtent(font, all).cy, height);
    QCOMPARE(book.TextExtent(font, "").cx, 0);
}

void QtPlatformTest::courierIsMonospacedAndDescribed() {
    QtFontBook book;
    CFont font("Courier New", 20, false, false);
    book.Describe(&font);
    const QFontMetrics& metrics = book.MetricsFor(font);
    QVERIFY(QFontInfo(book.FontFor(font)).fixedPitch());
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')), metrics.horizontalAdvance('M'));
    QCOMPARE(font.m_nCharWidth, metrics.horizontalAdvance('M'));
    QVERIFY(font.m_nCharWidth > 5);
}

void QtPlatformTest::textConvertsThroughTheCodePage() {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != 0x98)
            all.push_back(static_cast<char>(byte));
    }
    QString unicode = QtText::FromCp1251(all);
    QCOMPARE(unicode.size(), 255);
    QCOMPARE(QtText::ToCp1251(unicode), all);
    QCOMPARE(QtText::FromCp1251("\xC6\xE8\xE7\xED\xFC"), QStringLiteral("Жизнь"));
    QCOMPARE(QtText::FromCp1251("\xFF"), QStringLiteral("я"));
    QCOMPARE(QtText::FromCp1251("\x98"), QString(QChar(0xFFFD)));
    // Characters without a byte are left out; the rest keep their order.
    QCOMPARE(QtText::ToCp1251(QStringLiteral("a中€b😀")), std::string("a\x88"
                                                                     "b"));
    QCOMPARE(QtText::ByteOf(U'中'), -1);
    QCOMPARE(QtText::ByteOf(U'ё'), 0xB8);
}

void QtPlatformTest::measuringContextPaintsNothingButKeepsState() {
    QtFontBook book;
    CQtDC dc(&book);
    dc.Begin(nullptr, WhitePalette());
    QVERIFY(!dc.IsPainting());
    CFont regular("Courier New", 20, false, false);
    CFont small("Courier New", 14, false, false);
    CFont* previous = dc.SelectObject(&regular);
    QVERIFY(previous != &regular);
    SIZE m = dc.GetTextExtent("M");
    QCOMPARE(m.cy, 20);
    QCOMPARE(dc.GetTextExtent("MMM").cx, 3 * m.cx);
    QCOMPARE(dc.GetTextExtent("\xC6\xE8").cx, 2 * m.cx);
    QCOMPARE(dc.SelectObject(&small), &regular);
    QCOMPARE(dc.GetTextExtent("M").cy, 14);
    QVERIFY(dc.GetTextExtent("M").cx < m.cx);
    RECT r{10, 5, 10, 5};
    QCOMPARE(dc.DrawText("ab", &r, DT_CALCRECT | DT_NOPREFIX), 14);
    QCOMPARE(r.right - r.left, 2 * dc.GetTextExtent("M").cx);
    QCOMPARE(r.bottom - r.top, 14);
    QCOMPARE(dc.SetTextAlign(TA_BOTTOM), unsigned(TA_LEFT | TA_TOP));
    QCOMPARE(dc.SetTextAlign(TA_LEFT), unsigned(TA_BOTTOM));
    CPen pen(PS_SOLID, 2, 0);
    CPen* oldPen = dc.SelectObject(&pen);
    QCOMPARE(dc.GetCurrentPen(), &pen);
    QCOMPARE(dc.SelectObject(oldPen), &pen);
    QCOMPARE(dc.GetBkColor(), RGB(255, 255, 255));
    QCOMPARE(dc.SetBkColor(RGB(1, 2, 3)), RGB(255, 255, 255));
    QCOMPARE(dc.GetBkColor(), RGB(1, 2, 3));
    QCOMPARE(dc.GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
    QCOMPARE(dc.GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    // Drawing calls without a painter are harmless.
    dc.TextOut(0, 0, "x");
    dc.MoveTo(0, 0);
    dc.LineTo(5, 5);
    dc.Arc(0, 0, 10, 10, 5, 0, 5, 10);
    dc.Rectangle(RECT{0, 0, 5, 5});
    dc.FillSolidRect(RECT{0, 0, 5, 5}, 0);
    dc.InvertRect(RECT{0, 0, 5, 5});
}

void QtPlatformTest::paintingContextDrawsOpaqueTextAndInverts() {
    QImage image(200, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(255, 0, 0));
    QtFontBook book;
    CFont regular("Courier New", 20, false, false);
    {
        QPainter painter(&image);
        CQtDC dc(&book);
        dc.Begin(&painter, WhitePalette());
        QVERIFY(dc.IsPainting());
        dc.SelectObject(&regular);
        RECT cell{10, 10, 0, 0};
        dc.DrawText("\xC6", &cell, DT_CALCRECT | DT_NOPREFIX);
        RECT target{10, 10, 0, 0};
        dc.DrawText("\xC6", &target, DT_NOPREFIX | DT_NOCLIP);
        // The cell is filled with the background colour, the glyph is ink.
        QRect q(cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top);
        QVERIFY(InkIn(image, q) > 10);
        QCOMPARE(image.pixelColor(q.left(), q.top()), QColor(Qt::white));
        QCOMPARE(image.pixelColor(q.right() + 2, q.top()), QColor(255, 0, 0));
        // Inverting white gives black, inverting twice restores.
        dc.FillSolidRect(RECT{100, 10, 140, 30}, RGB(255, 255, 255));
        dc.InvertRect(RECT{100, 10, 120, 30});
        dc.End();
        QVERIFY(!dc.IsPainting());
    }
    QCOMPARE(image.pixelColor(105, 15), QColor(Qt::black));
    QCOMPARE(image.pixelColor(125, 15), QColor(Qt::white));
}

void QtPlatformTest::textAlignmentMovesTheReferencePoint() {
    QImage image(120, 80, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QtFontBook book;
    CFont regular("Courier New", 20, false, false);
    QPainter painter(&image);
    CQtDC dc(&book);
    dc.Begin(&painter, WhitePalette());
    dc.SelectObject(&regular);
    dc.SetTextAlign(TA_BOTTOM);
    dc.TextOut(10, 40, "d");
    dc.SetTextAlign(TA_TOP | TA_RIGHT);
    dc.TextOut(100, 50, "d");
    painter.end();
    int w = book.MetricsFor(regular).horizontalAdvance('M');
    // Bottom-aligned: all ink in the 20 rows above y = 40.
    QVERIFY(InkIn(image, QRect(10, 20, w, 20)) > 10);
    QCOMPARE(InkIn(image, QRect(10, 40, w, 10)), 0);
    // Right-aligned at x = 100: ink left of 100 and below 50.
    QVERIFY(InkIn(image, QRect(100 - w, 50, w, 20)) > 10);
    QCOMPARE(InkIn(image, QRect(100, 50, 20, 20)), 0);
}

void QtPlatformTest::textPaintsAsCharacterByCharacter_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("scale");
    QByteArray latin("v12 = (a1 + b[i]**2)/sqrt(c1);  -- x");
    QByteArray cyrillic("\xF1\xEA\xEE\xF0\xEE\xF1\xF2\xFC \xB8\xC6\xA8");
    QByteArray rare("\x80\x88\x98\xA0\xAD\xB9\x01\x7F");
    QTest::newRow("latin") << latin << false << false << 20 << 1.0;
    QTest::newRow("cyrillic, bold") << cyrillic << true << false << 20 << 1.0;
    QTest::newRow("bold italic, zoomed") << latin << true << true << 20 << 1.5;
    QTest::newRow("small, zoomed down") << cyrillic << false << false << 14 << 0.67;
    QTest::newRow("rare bytes") << rare << false << false << 20 << 2.5;
    QByteArray every;
    for (int byte = 1; byte < 256; ++byte)
        every.append(static_cast<char>(byte));
    QTest::newRow("every byte") << every << false << false << 20 << 1.0;
    QTest::newRow("every byte, bold italic") << every << true << true << 14 << 1.0;
}

// Each character at its whole-pixel advance, drawn as text, as the device
// context once drew them.
void QtPlatformTest::textPaintsAsCharacterByCharacter() {
    QFETCH(QByteArray, text);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(int, height);
    QFETCH(double, scale);
    QtFontBook book;
    CFont font("Courier New", height, bold, italic);
    std::string bytes = text.toStdString();
    QImage painted(3200, 120, QImage::Format_ARGB32_Premultiplied);
    painted.fill(Qt::white);
    QImage expected = painted;
    {
        QPainter painter(&painted);
        painter.scale(scale, scale);
        CQtDC dc(&book);
        dc.Begin(&painter, WhitePalette());
        dc.SelectObject(&font);
        dc.TextOut(7, 9, bytes);
        dc.End();
    }
    {
        QPainter painter(&expected);
        painter.scale(scale, scale);
        painter.setFont(book.FontFor(font));
        painter.setPen(Qt::black);
        const QFontMetrics& metrics = book.MetricsFor(font);
        int x = 7;
        for (QChar ch : QtText::FromCp1251(bytes)) {
            painter.drawText(QPoint(x, 9 + metrics.ascent()), QString(ch));
            x += metrics.horizontalAdvance(ch);
        }
    }
    QVERIFY(InkIn(painted, painted.rect()) > 20);
    QCOMPARE(painted, expected);
}

void QtPlatformTest::arcsRunCounterClockwiseBetweenRadials() {
    double start = 0;
    double span = 0;
    // The left half, drawn from the top radial to the bottom one.
    CQtDC::ArcAngles(0, 0, 10, 40, 5, 0, 5, 40, &start, &span);
    QCOMPARE(qRound(start), 90);
    QCOMPARE(qRound(span), 180);
    // The right half, from the bottom to the top.
    CQtDC::ArcAngles(0, 0, 10, 40, 5, 40, 5, 0, &start, &span);
    QCOMPARE(qRound(start), -90);
    QCOMPARE(qRound(span), 180);
    // Equal radials make a whole ellipse.
    CQtDC::ArcAngles(0, 0, 10, 10, 10, 5, 10, 5, &start, &span);
    QCOMPARE(qRound(span), 360);

    QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QtFontBook book;
    QPainter painter(&image);
    CQtDC dc(&book);
    dc.Begin(&painter, WhitePalette());
    CPen pen(PS_SOLID, 2, RGB(0, 0, 0));
    dc.SelectObject(&pen);
    dc.Arc(2, 2, 18, 38, 10, 2, 10, 38);
    painter.end();
    QVERIFY(InkIn(image, QRect(0, 15, 6, 10)) > 0);
    QCOMPARE(InkIn(image, QRect(14, 15, 26, 10)), 0);
}

void QtPlatformTest::clipboardCarriesThePrivateFormatAndText() {
    CQtClipboard clipboard;
    QClipboard* system = QApplication::clipboard();
    std::vector<uint8_t> block{4, 0, 0, 0, 1, 2, 3, 0xFF};
    QVERIFY(clipboard.SetPrivate(block));
    QVERIFY(clipboard.HasPrivate());
    QVERIFY(!clipboard.HasText());
    QVERIFY(system->mimeData()->hasFormat(
        QStringLiteral("application/x-qt-windows-mime;value=\"Vexlor format\"")));
    std::vector<uint8_t> read;
    QVERIFY(clipboard.GetPrivate(&read));
    QCOMPARE(read, block);

    system->setText(QStringLiteral("y = ω·ё + 1"));
    QVERIFY(!clipboard.HasPrivate());
    QVERIFY(clipboard.HasText());
    std::string text;
    QVERIFY(clipboard.GetText(&text));
    QCOMPARE(text, std::string("y = \xB7\xB8 + 1"));
}

void QtPlatformTest::clipboardRefusesDamagedOrMissingData() {
    CQtClipboard clipboard;
    QApplication::clipboard()->clear();
    QVERIFY(!clipboard.HasPrivate());
    QVERIFY(!clipboard.HasText());
    std::vector<uint8_t> block{9};
    std::string text = "kept";
    QVERIFY(!clipboard.GetPrivate(&block));
    QVERIFY(!clipboard.GetText(&text));
    QVERIFY(!clipboard.GetPrivate(nullptr));
    QVERIFY(!clipboard.GetText(nullptr));
}

void QtPlatformTest::keysMapToVirtualKeys() {
    QCOMPARE(KeyMap::VirtualKey(Qt::Key_A), unsigned('A'));
    QCOMPARE(KeyMap::VirtualKey(Qt::Key_Z), unsigned('Z'));
    QCOMPARE(KeyMap::VirtualKey(Qt::Key_7), unsigned('7'));
    QCOMPARE(KeyMap::VirtualKey(Qt::Key_Backspace), unsigned(VK_BACK));
    QCOMPARE(KeyMap::VirtualKey(Qt::Key_Enter), unsigned(VK_RETURN));
    QCOMPARE(KeyMap::VirtualKey(Qt::Key_PageUp), unsigned(VK_PRIOR));
    QCOMPARE(KeyMap::VirtualKey(Qt::Key_PageDown), unsigned(VK_NEXT));
    QCOMPARE(KeyMap::VirtualKey(Qt::Key_Insert), unsigned(VK_INSERT));
    QCOMPARE(KeyMap::VirtualKey(Qt::Key_Delete), unsigned(VK_DELETE));
    QCOMPARE(KeyMap::VirtualKey(Qt::Key_F1), unsigned(VK_F1));
    QCOMPARE(KeyMap::VirtualKey(Qt::Key_Adiaeresis), 0u);
    QCOMPARE(KeyMap::LetterOfScanCode(54), unsigned('C'));
    QCOMPARE(KeyMap::LetterOfScanCode(55), unsigned('V'));
    QCOMPARE(KeyMap::LetterOfScanCode(38), unsigned('A'));
    QCOMPARE(KeyMap::LetterOfScanCode(52), unsigned('Z'));
    QCOMPARE(KeyMap::LetterOfScanCode(113), 0u);

    QKeyEvent plain(QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier, QStringLiteral("\x02"));
    QCOMPARE(KeyMap::VirtualKey(plain), unsigned('B'));
    QVERIFY(KeyMap::IsTypedCharacter(U'a'));
    QVERIFY(!KeyMap::IsTypedCharacter(0x7F));
}

void QtPlatformTest::editingKeysAreTakenBeforeShortcuts() {
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    for (unsigned vk : {VK_BACK, VK_RETURN, VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_UP,
                        VK_RIGHT, VK_DOWN, VK_DELETE}) {
        QVERIFY(KeyMap::IsEditingKey(vk, none));
        QVERIFY(KeyMap::IsEditingKey(vk, ctrl | shift));
        QVERIFY(!KeyMap::IsEditingKey(vk, alt));
    }
    for (char letter : std::string("BCDFIPRVWXYZ")) {
        QVERIFY2(KeyMap::IsEditingKey(unsigned(letter), ctrl), &letter);
        QVERIFY(!KeyMap::IsEditingKey(unsigned(letter), none));
    }
    for (char letter : std::string("AEGHSQ"))
        QVERIFY(!KeyMap::IsEditingKey(unsigned(letter), ctrl));
    QVERIFY(KeyMap::IsEditingKey(VK_INSERT, shift));
    QVERIFY(KeyMap::IsEditingKey(VK_INSERT, ctrl));
    QVERIFY(!KeyMap::IsEditingKey(VK_INSERT, none));
    QVERIFY(!KeyMap::IsEditingKey(VK_F1, none));
    QVERIFY(!KeyMap::IsEditingKey(VK_BACK, alt));
    // AltGr arrives as Control+Alt and stays with the editor.
    QVERIFY(KeyMap::IsEditingKey('V', ctrl | alt));
}

void QtPlatformTest::caretKeepsItsPhaseWhileItStays() {
    Caret caret;
    QVERIFY(!caret.IsShown());
    QVERIFY(!caret.Blink());
    caret.Create(1, 20);
    caret.SetPos(10, 5);
    QVERIFY(caret.Show());
    QVERIFY(caret.IsInk());
    QCOMPARE(caret.Rect(), QRect(10, 5, 1, 20));
    QVERIFY(caret.Blink());
    QVERIFY(!caret.IsInk());
    // Destroyed and shown again at the same place: the phase stays.
    caret.Destroy();
    QVERIFY(!caret.IsShown());
    caret.Create(1, 20);
    caret.SetPos(10, 5);
    QVERIFY(!caret.Show());
    QVERIFY(!caret.IsInk());
    // Moved: visible at once.
    caret.Destroy();
    caret.Create(1, 14);
    caret.SetPos(30, 5);
    QVERIFY(caret.Show());
    QVERIFY(caret.IsInk());
    QCOMPARE(caret.ShownRect(), QRect(30, 5, 1, 14));
}

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
