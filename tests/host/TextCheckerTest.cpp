// The demo host's check of a text.
#include <QtTest>

#include <string>

#include "TextChecker.h"
#include "app/MarkedText.h"

class TextCheckerTest : public QObject {
    Q_OBJECT

  private slots:
    void goodTextPasses() {
        std::string marked = "untouched";
        QVERIFY(TextChecker::Check("a = b;\ny = sqrt( x ) + [ 1 ];\nz = (a + (b));", &marked));
        QCOMPARE(marked, std::string("untouched"));
        QVERIFY(TextChecker::Check("", nullptr));
        // Comments are not checked.
        QVERIFY(TextChecker::Check("a = b; -- ( ? ) and (\n", nullptr));
    }

    void faultsAreFound_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("emptySlot");
        QTest::newRow("empty slot") << QByteArray("y = a / ( ? );") << true;
        QTest::newRow("empty slot in square brackets") << QByteArray("y = x[?];") << true;
        QTest::newRow("open bracket left") << QByteArray("y = (a + b;") << false;
        QTest::newRow("close bracket first") << QByteArray("y = a) + (b;") << false;
        QTest::newRow("crossed pairs") << QByteArray("y = ( a ];") << false;
        QTest::newRow("square open left") << QByteArray("y = [a;") << false;
    }
    void faultsAreFound() {
        QFETCH(QByteArray, line);
        QFETCH(bool, emptySlot);
        const std::string expected = emptySlot ? TextChecker::kEmptySlot : TextChecker::kUnbalanced;
        QCOMPARE(TextChecker::LineFault(line.toStdString()), expected);
    }

    void theFirstFaultyLineIsMarkedAndSplitsBack() {
        const std::string text = "a = b;\r\ny = a / ( ? );\r\nz = (1;\r\n";
        std::string marked;
        QVERIFY(!TextChecker::Check(text, &marked));
        QCOMPARE(marked, std::string("a = b;\r\ny = a / ( ? );~ ") + TextChecker::kEmptySlot +
                             "\r\nz = (1;\r\n");
        const MarkedText split = MarkedText::Split(marked);
        QCOMPARE(split.m_nLine, 1);
        QCOMPARE(split.m_strMessage, std::string(TextChecker::kEmptySlot));
        QCOMPARE(split.m_strText, text);
    }

    void theLastLineWithoutBreakIsMarkedAtItsEnd() {
        std::string marked;
        QVERIFY(!TextChecker::Check("a;\nb = (c", &marked));
        QCOMPARE(marked, std::string("a;\nb = (c~ ") + TextChecker::kUnbalanced);
        QCOMPARE(TextChecker::Mark("a;\nb;", 5, "m"), std::string("a;\nb;"));
    }
};

QTEST_GUILESS_MAIN(TextCheckerTest)
#include "TextCheckerTest.moc"
