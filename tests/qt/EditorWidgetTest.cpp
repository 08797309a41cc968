// The editor window driven by real key, mouse and wheel events: typing,
// the editing keys, click and drag selection, scrolling, caret and focus.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "EditorWindow.h"
#include "QtTestSupport.h"
#include "app/TextInstaller.h"
#include "editor/VexlorData.h"
#include "editor/qt/Vexlor.h"
#include "elements/EqAtom.h"
#include "platform/Archive.h"
#include "rows/EqExpr.h"

using namespace QtTestSupport;

namespace {
QPoint Centre(const RECT& r) {
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}
} // namespace

class EditorWidgetTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void typedFormulaReadsBackAsText();
    void cyrillicIsTypedAndOtherCharactersAreIgnored();
    void editingKeysSplitJoinAndUndo();
    void controlVTypesNoCharacter();
    void tabAndDeleteTypeNothing();
    void clickPutsTheCaretInsideAFraction();
    void dragSelectsInTheInnermostRow();
    void pressBesideALowAtomClampsIntoIt();
    void pressOutsideEveryRowChangesNothing();
    void dragEndsWhenTheButtonIsReleasedOutside();
    void scrollBarStepsAndPages();
    void scrollingIsClamped();
    void thumbMovesTheContentOnlyWhenReleased();
    void wheelScrollsByLineSteps();
    void caretExistsOnlyWithTheFocus();
    void resizeUpdatesTheClientRectangle();
    void windowImageRoundTrips();

  private:
    void Load(const std::string& text);
    void Type(const QString& text);
    SIZE M();
    CVexlorData* Data() { return m_window->view.GetData(); }
    CEqAtom* Fraction();

    std::unique_ptr<EditorWindow> m_window;
};

void EditorWidgetTest::init() {
    m_window = std::make_unique<EditorWindow>();
    QVERIFY(ShowActive(&m_window->window, &m_window->view));
    QApplication::clipboard()->clear();
}

void EditorWidgetTest::cleanup() {
    m_window.reset();
}

void EditorWidgetTest::Load(const std::string& text) {
    TextInstaller::Install(m_window->view.DataSlot(), &m_window->view, text, -1, {});
    m_window->view.viewport()->repaint();
    QApplication::processEvents();
}

void EditorWidgetTest::Type(const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(&m_window->view, &press);
    }
}

SIZE EditorWidgetTest::M() {
    m_window->view.PrepareDC(nullptr);
    return m_window->view.m_pDC->GetTextExtent("M");
}

CEqAtom* EditorWidgetTest::Fraction() {
    std::vector<CEqAtom*> fractions = AtomsOfClass(*Data(), "CEqFraction");
    return fractions.empty() ? nullptr : fractions.front();
}

void EditorWidgetTest::typedFormulaReadsBackAsText() {
    QTest::keyClicks(&m_window->view, "x = a/b");
    QTest::keyClick(&m_window->view, Qt::Key_Right);
    QTest::keyClicks(&m_window->view, " + c**2");
    QCOMPARE(TextOf(*Data()), QStringLiteral("x = a / b + c ** 2 ;"));
    QVERIFY(Fraction());
    QCOMPARE(AtomsOfClass(*Data(), "CEqIndex").size(), size_t(1));
    QCOMPARE(CheckData(*Data()), std::string());
    // Each operator opened an undo step; names typed in one go share one.
    QVERIFY(Data()->History().UndoSize() >= 5);
}

void EditorWidgetTest::cyrillicIsTypedAndOtherCharactersAreIgnored() {
    Type(QStringLiteral("ж = я中€"));
    QCOMPARE(Data()->GetText(), std::string("\xE6 = \xFF\x88;"));
    QCOMPARE(TextOf(*Data()), QStringLiteral("ж = я€;"));
}

void EditorWidgetTest::editingKeysSplitJoinAndUndo() {
    QTest::keyClicks(&m_window->view, "ab");
    QTest::keyClick(&m_window->view, Qt::Key_Left);
    QTest::keyClick(&m_window->view, Qt::Key_Return);
    QCOMPARE(Data()->Rows().size(), size_t(2));
    QCOMPARE(TextOf(*Data()), QStringLiteral("a;\nb;"));
    QTest::keyClick(&m_window->view, Qt::Key_Backspace);
    QCOMPARE(Data()->Rows().size(), size_t(1));
    QCOMPARE(TextOf(*Data()), QStringLiteral("ab;"));
    QTest::keyClick(&m_window->view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Data()->Rows().size(), size_t(2));
    QTest::keyClick(&m_window->view, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Data()->Rows().size(), size_t(1));
    // Shift+Left selects; typing replaces the selection.
    QTest::keyClick(&m_window->view, Qt::Key_End);
    QTest::keyClick(&m_window->view, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(std::abs(Data()->CaretPos() - Data()->AnchorPos()), 1);
    QTest::keyClicks(&m_window->view, "z");
    QCOMPARE(TextOf(*Data()), QStringLiteral("az;"));
    QCOMPARE(CheckData(*Data()), std::string());
}

void EditorWidgetTest::controlVTypesNoCharacter() {
    QTest::keyClick(&m_window->view, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(TextOf(*Data()), QString());
    QVERIFY(!Data()->History().CanUndo());

    QApplication::clipboard()->setText(QStringLiteral("k"));
    QTest::keyClick(&m_window->view, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(TextOf(*Data()), QStringLiteral("k;"));
    QTest::keyClick(&m_window->view, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(TextOf(*Data()), QStringLiteral("kk;"));
    // A control character that arrives as text is no character either.
    QKeyEvent control(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QApplication::sendEvent(&m_window->view, &control);
    QCOMPARE(TextOf(*Data()), QStringLiteral("kkk;"));
}

void EditorWidgetTest::tabAndDeleteTypeNothing() {
    QTest::keyClicks(&m_window->view, "ab");
    QTest::keyClick(&m_window->view, Qt::Key_Tab);
    QVERIFY(m_window->view.hasFocus());
    QTest::keyClick(&m_window->view, Qt::Key_Home);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7F"));
    QApplication::sendEvent(&m_window->view, &del);
    QCOMPARE(TextOf(*Data()), QStringLiteral("b;"));
    QTest::keyClick(&m_window->view, Qt::Key_Escape);
    QCOMPARE(TextOf(*Data()), QStringLiteral("b;"));
}

void EditorWidgetTest::clickPutsTheCaretInsideAFraction() {
    Load("x = abc/def + 1");
    CEqAtom* fraction = Fraction();
    QVERIFY(fraction);
    CEqExpr* den = fraction->GetRow(1);
    CEqAtom* e = den->GetAt(1);
    QTest::mouseClick(m_window->view.viewport(), Qt::LeftButton, {},
                      QPoint(e->m_rect.left + 1, Centre(e->m_rect).y()));
    QCOMPARE(Data()->CurrentRow(), den);
    QCOMPARE(Data()->CaretPos(), 1);
    QCOMPARE(Data()->AnchorPos(), 1);
    QVERIFY(m_window->view.GetCaret().IsShown());
    QCOMPARE(m_window->view.GetCaret().Rect().left(), int(e->m_rect.left));
    QTest::mouseClick(m_window->view.viewport(), Qt::LeftButton, {},
                      QPoint(e->m_rect.right - 1, Centre(e->m_rect).y()));
    QCOMPARE(Data()->CaretPos(), 2);
    QCOMPARE(CheckData(*Data()), std::string());
}

void EditorWidgetTest::dragSelectsInTheInnermostRow() {
    Load("x = abc/def + 1");
    CEqAtom* fraction = Fraction();
    QVERIFY(fraction);
    CEqExpr* num = fraction->GetRow(0);
    QWidget* viewport = m_window->view.viewport();
    QPoint a(num->GetAt(0)->m_rect.left + 1, Centre(num->m_rect).y());
    QPoint c(num->GetAt(2)->m_rect.right - 1, Centre(num->m_rect).y());
    QTest::mousePress(viewport, Qt::LeftButton, {}, a);
    QTest::mouseMove(viewport, c);
    QVERIFY(m_window->view.IsDragging());
    QCOMPARE(Data()->CurrentRow(), num);
    QCOMPARE(std::min(Data()->AnchorPos(), Data()->CaretPos()), 0);
    QCOMPARE(std::max(Data()->AnchorPos(), Data()->CaretPos()), 3);
    // Moving out of the fraction selects in the row that holds both points.
    CEqExpr* top = Data()->Rows()[0];
    CEqAtom* one = top->GetAt(top->GetCount() - 2);
    QTest::mouseMove(viewport, Centre(one->m_rect));
    QCOMPARE(Data()->CurrentRow(), top);
    QVERIFY(Data()->AnchorPos() != Data()->CaretPos());
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, Centre(one->m_rect));
    QVERIFY(!m_window->view.IsDragging());
    QCOMPARE(CheckData(*Data()), std::string());
}

void EditorWidgetTest::pressBesideALowAtomClampsIntoIt() {
    Load("x = abc/def + 1");
    CEqExpr* top = Data()->Rows()[0];
    // The "+" is lower than its row: a press above it, in its columns,
    // still lands beside it.
    int plus = -1;
    for (int i = 0; i < top->GetCount(); ++i) {
        if (top->GetAt(i)->GetChar() == '+')
            plus = i;
    }
    QVERIFY(plus > 0);
    RECT r = top->GetAt(plus)->m_rect;
    QVERIFY(r.top > top->m_rect.top + 2);
    QTest::mouseClick(m_window->view.viewport(), Qt::LeftButton, {},
                      QPoint(r.left + 1, top->m_rect.top + 1));
    QCOMPARE(Data()->CurrentRow(), top);
    QCOMPARE(Data()->CaretPos(), plus);
}

void EditorWidgetTest::pressOutsideEveryRowChangesNothing() {
    Load("abc\r\ndef");
    QTest::mouseClick(m_window->view.viewport(), Qt::LeftButton, {},
                      Centre(Data()->Rows()[1]->GetAt(1)->m_rect));
    CEqExpr* row = Data()->CurrentRow();
    int caret = Data()->CaretPos();
    QCOMPARE(row, Data()->Rows()[1]);
    QWidget* viewport = m_window->view.viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {},
                      QPoint(viewport->width() - 5, viewport->height() - 5));
    QCOMPARE(Data()->CurrentRow(), row);
    QCOMPARE(Data()->CaretPos(), caret);
}

void EditorWidgetTest::dragEndsWhenTheButtonIsReleasedOutside() {
    Load("abcdef");
    CEqExpr* row = Data()->Rows()[0];
    QWidget* viewport = m_window->view.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {},
                      QPoint(row->GetAt(0)->m_rect.left + 1, Centre(row->m_rect).y()));
    QTest::mouseMove(viewport, QPoint(row->GetAt(2)->m_rect.right - 1, Centre(row->m_rect).y()));
    QCOMPARE(std::max(Data()->AnchorPos(), Data()->CaretPos()), 3);
    // Outside the window the pointer selects nothing more.
    QTest::mouseMove(viewport, QPoint(-20, -20));
    QCOMPARE(std::max(Data()->AnchorPos(), Data()->CaretPos()), 3);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(-20, -20));
    QVERIFY(!m_window->view.IsDragging());
    QTest::mouseMove(viewport, QPoint(row->GetAt(5)->m_rect.right - 1, Centre(row->m_rect).y()));
    QCOMPARE(std::max(Data()->AnchorPos(), Data()->CaretPos()), 3);
    QCOMPARE(std::min(Data()->AnchorPos(), Data()->CaretPos()), 0);
}

namespace {
std::string LongText(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += "y" + std::to_string(i) + " = " + std::string(100, 'a') + "\r\n";
    return text;
}
} // namespace

void EditorWidgetTest::scrollBarStepsAndPages() {
    Load(LongText(30));
    SIZE m = M();
    QScrollBar* vertical = m_window->view.verticalScrollBar();
    QScrollBar* horizontal = m_window->view.horizontalScrollBar();
    vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(Data()->Scroll().y, m.cy);
    QCOMPARE(vertical->value(), m.cy);
    vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(Data()->Scroll().y, 11 * m.cy);
    vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(Data()->Scroll().y, 10 * m.cy);
    horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(Data()->Scroll().x, 2 * m.cx);
    horizontal->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(Data()->Scroll().x, 12 * m.cx);
    QCOMPARE(horizontal->value(), 12 * m.cx);
    // The rows are laid out at the new offset.
    m_window->view.viewport()->repaint();
    QCOMPARE(Data()->Rows()[0]->m_rect.top, m.cy / 2 - 10 * m.cy);
    QCOMPARE(Data()->Rows()[0]->m_rect.left, m.cx / 2 - 12 * m.cx);
}

void EditorWidgetTest::scrollingIsClamped() {
    Load(LongText(30));
    SCROLLINFO info = m_window->view.GetScrollInfo(SB_VERT);
    int largest = info.nMax - static_cast<int>(info.nPage) + 1;
    QVERIFY(largest > 100);
    QScrollBar* vertical = m_window->view.verticalScrollBar();
    vertical->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(Data()->Scroll().y, largest);
    vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(Data()->Scroll().y, largest);
    m_window->view.OnVScroll(CVexlor::SB_THUMBPOSITION, largest + 5000);
    QCOMPARE(Data()->Scroll().y, largest);
    vertical->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(Data()->Scroll().y, 0);
    vertical->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(Data()->Scroll().y, 0);
    m_window->view.OnHScroll(CVexlor::SB_THUMBPOSITION, -300);
    QCOMPARE(Data()->Scroll().x, 0);
    m_window->view.OnHScroll(CVexlor::SB_RIGHT, 0);
    SCROLLINFO across = m_window->view.GetScrollInfo(SB_HORZ);
    QCOMPARE(Data()->Scroll().x, across.nMax - static_cast<int>(across.nPage) + 1);
    // A short text fits: the bars do not move it.
    Load("a");
    m_window->view.OnVScroll(CVexlor::SB_LINEDOWN, 0);
    m_window->view.OnHScroll(CVexlor::SB_PAGERIGHT, 0);
    QCOMPARE(Data()->Scroll().y, 0);
    QCOMPARE(Data()->Scroll().x, 0);
    QVERIFY(!m_window->view.verticalScrollBar()->isEnabled());
}

void EditorWidgetTest::thumbMovesTheContentOnlyWhenReleased() {
    Load(LongText(30));
    QScrollBar* vertical = m_window->view.verticalScrollBar();
    vertical->setSliderDown(true);
    vertical->setSliderPosition(123);
    QCOMPARE(Data()->Scroll().y, 0);
    m_window->view.OnVScroll(CVexlor::SB_THUMBTRACK, 200);
    QCOMPARE(Data()->Scroll().y, 0);
    vertical->setSliderDown(false);
    QCOMPARE(Data()->Scroll().y, 123);
    QCOMPARE(vertical->value(), 123);
}

void EditorWidgetTest::wheelScrollsByLineSteps() {
    QApplication::setWheelScrollLines(1);
    Load(LongText(30));
    SIZE m = M();
    QWidget* viewport = m_window->view.viewport();
    auto wheel = [&](QPoint delta, Qt::KeyboardModifiers modifiers) {
        QPointF at(20, 20);
        QWheelEvent event(at, viewport->mapToGlobal(at), QPoint(), delta, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    };
    wheel(QPoint(0, -120), Qt::NoModifier);
    QCOMPARE(Data()->Scroll().y, m.cy);
    wheel(QPoint(0, -240), Qt::NoModifier);
    QCOMPARE(Data()->Scroll().y, 3 * m.cy);
    wheel(QPoint(0, -60), Qt::NoModifier);
    QCOMPARE(Data()->Scroll().y, 3 * m.cy);
    wheel(QPoint(0, -60), Qt::NoModifier);
    QCOMPARE(Data()->Scroll().y, 4 * m.cy);
    wheel(QPoint(0, 120), Qt::NoModifier);
    QCOMPARE(Data()->Scroll().y, 3 * m.cy);
    wheel(QPoint(0, -120), Qt::ShiftModifier);
    QCOMPARE(Data()->Scroll().x, 2 * m.cx);
    QCOMPARE(Data()->Scroll().y, 3 * m.cy);
    wheel(QPoint(-120, 0), Qt::NoModifier);
    QCOMPARE(Data()->Scroll().x, 4 * m.cx);
    wheel(QPoint(0, 1200), Qt::NoModifier);
    QCOMPARE(Data()->Scroll().y, 0);
    // A notch is the desktop's number of lines.
    QApplication::setWheelScrollLines(3);
    wheel(QPoint(0, -120), Qt::NoModifier);
    QCOMPARE(Data()->Scroll().y, 3 * m.cy);
}

void EditorWidgetTest::caretExistsOnlyWithTheFocus() {
    m_window->other.setFocus();
    QApplication::processEvents();
    QVERIFY(!m_window->view.hasFocus());
    QVERIFY(!m_window->view.GetCaret().IsShown());
    QTest::keyClicks(&m_window->other, "q");
    QVERIFY(!m_window->view.GetCaret().IsShown());
    m_window->view.setFocus();
    QApplication::processEvents();
    QVERIFY(m_window->view.GetCaret().IsShown());
    QRect caret = m_window->view.GetCaret().Rect();
    RECT expected = Data()->GetCaretRect();
    QCOMPARE(caret.width(), 1);
    QCOMPARE(caret.height(), int(expected.bottom - expected.top));
    QVERIFY(caret.height() >= 14);
    m_window->other.setFocus();
    QApplication::processEvents();
    QVERIFY(!m_window->view.GetCaret().IsShown());
}

void EditorWidgetTest::resizeUpdatesTheClientRectangle() {
    m_window->window.resize(500, 300);
    QApplication::processEvents();
    QWidget* viewport = m_window->view.viewport();
    QCOMPARE(m_window->view.m_rcClient.right, viewport->width());
    QCOMPARE(m_window->view.m_rcClient.bottom, viewport->height());
    m_window->view.viewport()->repaint();
    QCOMPARE(static_cast<int>(m_window->view.GetScrollInfo(SB_HORZ).nPage), viewport->width());
    QCOMPARE(static_cast<int>(m_window->view.GetScrollInfo(SB_VERT).nPage), viewport->height());
}

void EditorWidgetTest::windowImageRoundTrips() {
    QTest::keyClicks(&m_window->view, "y = a/b");
    CArchive out;
    m_window->view.Serialize(out);
    CVexlor other;
    CArchive in(out.GetBuffer());
    other.Serialize(in);
    QVERIFY(!in.IsFailed());
    QString text = TextOf(*Data());
    QVERIFY(text.startsWith(QStringLiteral("y = a / b")));
    QCOMPARE(TextOf(*other.GetData()), text);
    QCOMPARE(AtomsOfClass(*other.GetData(), "CEqFraction").size(), size_t(1));
    QCOMPARE(other.GetData()->Window(), static_cast<CEqWindow*>(&other));
    QCOMPARE(CheckData(*other.GetData()), std::string());
    // A damaged image changes nothing.
    CArchive damaged(std::vector<uint8_t>{3, 0, 0, 0, 7});
    other.Serialize(damaged);
    QVERIFY(damaged.IsFailed());
    QCOMPARE(TextOf(*other.GetData()), text);
}

QTEST_MAIN(EditorWidgetTest)
#include "EditorWidgetTest.moc"
