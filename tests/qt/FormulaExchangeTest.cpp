// Formulas leaving and entering the editor through the system clipboard:
// the forms other programs read (plain text, MathML, LaTeX), text pasted
// from them through the Unicode mapping, and the zoom keeping clicks where
// they were.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QWheelEvent>
#include <QXmlStreamReader>

#include "QtTestSupport.h"
#include "app/TextInstaller.h"
#include "app/qt/ZoomMemory.h"
#include "editor/VexlorData.h"
#include "editor/qt/CommandIds.h"
#include "editor/qt/Vexlor.h"
#include "elements/EqAtom.h"
#include "platform/qt/QtClipboard.h"
#include "rows/EqExpr.h"
#include "rows/TreeDump.h"

using namespace QtTestSupport;

class FormulaExchangeTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void copyOffersTextMathMLAndLatex_data();
    void copyOffersTextMathMLAndLatex();
    void pasteInsideStaysFormula();
    void unicodePasteIsMapped_data();
    void unicodePasteIsMapped();
    void inputMethodTextIsMapped();
    void clicksLandAlikeAtEveryZoom();
    void zoomKeysAndWheelStayInRange();
    void zoomIsRemembered();

  private:
    void Load(const std::string& text);
    void SelectLine();
    CVexlorData* Data() { return m_view->GetData(); }

    std::unique_ptr<CVexlor> m_view;
    QString m_status;
    bool m_statusError = false;
};

void FormulaExchangeTest::initTestCase() {
    // Settings go to a test folder, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("VexlorTest"));
    QCoreApplication::setApplicationName(QStringLiteral("FormulaExchangeTest"));
}

void FormulaExchangeTest::init() {
    m_view = std::make_unique<CVexlor>();
    m_view->resize(640, 300);
    m_view->SetStatusSink([this](const std::string& text, bool error) {
        m_status = FromCp1251(text);
        m_statusError = error;
    });
    QVERIFY(ShowActive(m_view.get(), m_view.get()));
    QApplication::clipboard()->clear();
    m_status.clear();
}

void FormulaExchangeTest::cleanup() {
    m_view.reset();
}

void FormulaExchangeTest::Load(const std::string& text) {
    TextInstaller::Install(m_view->DataSlot(), m_view.get(), text, -1, {});
    m_view->viewport()->repaint();
    QApplication::processEvents();
}

void FormulaExchangeTest::SelectLine() {
    QTest::keyClick(m_view.get(), Qt::Key_Home);
    QTest::keyClick(m_view.get(), Qt::Key_End, Qt::ShiftModifier);
}

void FormulaExchangeTest::copyOffersTextMathMLAndLatex_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("element"); // a MathML element the copy holds
    QTest::addColumn<QString>("latex");
    QTest::newRow("fraction") << "a/b"
                              << " a / b "
                              << "mfrac"
                              << "\\frac{a}{b}";
    QTest::newRow("root") << "sqrt(x+1)"
                          << " sqrt( x+1 )"
                          << "msqrt"
                          << "\\sqrt{x + 1}";
    QTest::newRow("low index") << "x[i]"
                               << " x[i]"
                               << "msub"
                               << "x_{i}";
    QTest::newRow("high index") << "x**2"
                                << " x ** 2 "
                                << "msup"
                                << "x^{2}";
    QTest::newRow("power index") << "pow(x[i], 3)"
                                 << " x[i] ** 3 "
                                 << "msubsup"
                                 << "x_{i}^{3}";
    QTest::newRow("derivative") << "d(x)/dt"
                                << " d( x ) / dt "
                                << "mfrac"
                                << "\\frac{d x}{d t}";
    QTest::newRow("second derivative") << "d2(y)/dt"
                                       << " d2( y ) / dt "
                                       << "msup"
                                       << "\\frac{d^{2} y}{d t^{2}}";
    QTest::newRow("brackets") << "(a+b)*c"
                              << "( a+b )*c"
                              << "mo"
                              << "\\left( a + b \\right) \\cdot c";
}

// Copy puts the private block, the linear text as text/plain and MathML
// under both types; "Копировать как LaTeX" puts LaTeX as text.
void FormulaExchangeTest::copyOffersTextMathMLAndLatex() {
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(QString, element);
    QFETCH(QString, latex);
    Load(ToCp1251(line));
    SelectLine();
    QVERIFY(m_view->OnCmdMsg(ID_EDIT_COPY));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY(data->hasFormat(CQtClipboard::PrivateMimeType()));
    QCOMPARE(data->text(), text);
    QByteArray mathml = data->data(QStringLiteral("application/mathml-presentation+xml"));
    QCOMPARE(data->data(QStringLiteral("application/mathml+xml")), mathml);
    QXmlStreamReader xml(mathml);
    QStringList elements;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement)
            elements << xml.name().toString();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString() + ": " + QString::fromUtf8(mathml)));
    QCOMPARE(elements.value(0), QStringLiteral("math"));
    QVERIFY2(elements.contains(element), qPrintable(QString::fromUtf8(mathml)));

    QVERIFY(m_view->OnCmdMsg(ID_EDIT_COPY_LATEX));
    QCOMPARE(QApplication::clipboard()->text(), latex);
}

void FormulaExchangeTest::pasteInsideStaysFormula() {
    Load("x = a/b");
    SelectLine();
    QVERIFY(m_view->OnCmdMsg(ID_EDIT_COPY));
    QTest::keyClick(m_view.get(), Qt::Key_End);
    QVERIFY(m_view->OnCmdMsg(ID_EDIT_PASTE));
    QCOMPARE(TreeDump::Dump(*Data()->Rows()[0]), std::string("x = F(a|b)x = F(a|b)"));
}

void FormulaExchangeTest::unicodePasteIsMapped_data() {
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text"); // the editor's line after the paste
    QTest::addColumn<QString>("status");
    QTest::newRow("greek and minus")
        << QStringLiteral("z = α*β − γ;") << QStringLiteral("z = alpha*beta - gamma;") << "";
    QTest::newRow("two lines") << QStringLiteral("a = 1\nb = 2") << QStringLiteral("a = 1;")
                               << QStringLiteral("Вставлена только первая строка.");
    QTest::newRow("no byte") << QStringLiteral("x = y² + 中") << QStringLiteral("x = y ** 2 + ?;")
                             << QStringLiteral("Символов без кода Windows-1251 заменено на ?: 1.");
}

void FormulaExchangeTest::unicodePasteIsMapped() {
    QFETCH(QString, pasted);
    QFETCH(QString, text);
    QFETCH(QString, status);
    QApplication::clipboard()->setText(pasted);
    QVERIFY(m_view->OnCmdMsg(ID_EDIT_PASTE));
    QCOMPARE(TextOf(*Data()), text);
    QCOMPARE(m_status, status);
    if (!status.isEmpty())
        QVERIFY(m_statusError);
}

void FormulaExchangeTest::inputMethodTextIsMapped() {
    QInputMethodEvent event(QString(), {});
    event.setCommitString(QStringLiteral("ω·β − 中"));
    QApplication::sendEvent(m_view.get(), &event);
    QCOMPARE(TextOf(*Data()), QStringLiteral("omega*beta - ?;"));
    QVERIFY(m_status.contains(QStringLiteral(": 1.")));
}

// The same model point clicked at 50, 100 and 200 % puts the caret in the
// same row at the same place.
void FormulaExchangeTest::clicksLandAlikeAtEveryZoom() {
    Load("y = x**2 + a/(b+c)");
    const CEqExpr* top = Data()->Rows()[0];
    const CEqAtom* fraction = top->GetAt(top->GetCount() - 2);
    QVERIFY(fraction && fraction->IsClass("CEqFraction"));
    std::string expected;
    for (int zoom : {100, 50, 200}) {
        m_view->SetZoom(zoom);
        m_view->viewport()->repaint();
        const RECT& r = fraction->GetRow(1)->m_rect;
        QPointF model((r.left + r.right) / 2.0 + 0.5, (r.top + r.bottom) / 2.0 + 0.5);
        QPoint at = (model * zoom / 100.0).toPoint();
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        std::string path = TreeDump::CaretPath(*top, *Data());
        if (expected.empty())
            expected = path;
        QCOMPARE(path, expected);
        QVERIFY(Data()->CurrentRow() == fraction->GetRow(1));
        // The caret is drawn where the model has it, scaled.
        QRect caret = m_view->ToView(m_view->GetCaret().Rect());
        QVERIFY2(caret.contains(QPoint(caret.center().x(), at.y())),
                 qPrintable(QString::number(zoom)));
    }
}

void FormulaExchangeTest::zoomKeysAndWheelStayInRange() {
    m_view->SetZoom(100);
    QSignalSpy changed(m_view.get(), &CVexlor::zoomChanged);
    QVERIFY(m_view->OnCmdMsg(ID_VIEW_ZOOM_IN));
    QCOMPARE(m_view->GetZoom(), 125);
    for (int k = 0; k < 20; ++k)
        m_view->OnCmdMsg(ID_VIEW_ZOOM_IN);
    QCOMPARE(m_view->GetZoom(), CVexlor::kMaxZoom);
    for (int k = 0; k < 20; ++k)
        m_view->OnCmdMsg(ID_VIEW_ZOOM_OUT);
    QCOMPARE(m_view->GetZoom(), CVexlor::kMinZoom);
    QVERIFY(m_view->OnCmdMsg(ID_VIEW_ZOOM_RESET));
    QCOMPARE(m_view->GetZoom(), 100);
    m_view->SetZoom(1000);
    QCOMPARE(m_view->GetZoom(), CVexlor::kMaxZoom);
    QCOMPARE(changed.last().at(0).toInt(), CVexlor::kMaxZoom);
    m_view->SetZoom(100);
    // Control with the wheel zooms and does not scroll.
    QPointF at(20, 20);
    QWheelEvent wheel(at, m_view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_view->viewport(), &wheel);
    QCOMPARE(m_view->GetZoom(), 125);
    QCOMPARE(Data()->Scroll().y, 0);
    // The model's client rectangle is the viewport at the zoom.
    QCOMPARE(m_view->m_rcClient.right, static_cast<int>(m_view->viewport()->width() / 1.25));
}

// A new window starts at the stored zoom; every change is stored; a stored
// value that is no number gives 100 %, one out of range is clamped.
void FormulaExchangeTest::zoomIsRemembered() {
    ZoomMemory::Store(200);
    CVexlor window;
    ZoomMemory::Attach(&window);
    QCOMPARE(window.GetZoom(), 200);
    window.ZoomOut();
    QCOMPARE(ZoomMemory::Load(), 150);
    QSettings().setValue(QStringLiteral("view/zoom"), QStringLiteral("large"));
    QCOMPARE(ZoomMemory::Load(), 100);
    QSettings().setValue(QStringLiteral("view/zoom"), 5000);
    CVexlor big;
    ZoomMemory::Attach(&big);
    QCOMPARE(big.GetZoom(), CVexlor::kMaxZoom);
    QSettings().remove(QStringLiteral("view/zoom"));
}

QTEST_MAIN(FormulaExchangeTest)
#include "FormulaExchangeTest.moc"
