// Repaints of a layout that still holds: the caret blinking, the focus
// moving and the view scrolling lay nothing out, and leave the window image
// and the document image of a window that lays out everything at every
// paint; a blink repaints the caret's rectangle only.
#include <QApplication>
#include <QLineEdit>
#include <QPaintEvent>
#include <QStyleHints>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "EditorWindow.h"
#include "QtTestSupport.h"
#include "app/TextInstaller.h"
#include "editor/VexlorData.h"
#include "editor/qt/Vexlor.h"

using namespace QtTestSupport;

namespace {
enum class Action { Blink, FocusOutIn, LinesDown, PageDownLineUp, Wheel, Thumb, LinesRight, Type };

std::string Model(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        std::string n = std::to_string(i);
        text += "v" + n + " = (a" + n + " + b[i]**2)/sqrt(c" + n +
                ") + d(x)/dt;  -- the speed in row " + n +
                ", a comment longer than the window is wide\n";
    }
    return text;
}

// The regions a widget repaints.
class PaintLog : public QObject {
  public:
    explicit PaintLog(QWidget* widget) { widget->installEventFilter(this); }
    std::vector<QRegion> regions;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            regions.push_back(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

struct Outcome {
    bool shown = false;
    bool blinked = false;
    int arranges = 0;
    POINT scroll;
    QRect caret;
    std::vector<QRegion> regions;
    QImage image;
    CVexlorData::Snapshot snapshot;
};

// False when a blink was awaited in vain.
bool Act(EditorWindow& w, Action action, PaintLog& log) {
    CVexlor& view = w.view;
    QPoint at = view.viewport()->rect().center();
    QWheelEvent wheel(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QKeyEvent plus(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("+"));
    switch (action) {
    case Action::Blink:
        if (!QTest::qWaitFor([&log] { return !log.regions.empty(); }, 5000))
            return false;
        break;
    case Action::FocusOutIn:
        w.other.setFocus();
        QApplication::processEvents();
        view.setFocus();
        break;
    case Action::LinesDown:
        for (int k = 0; k < 3; ++k)
            view.OnVScroll(CVexlor::SB_LINEDOWN, 0);
        break;
    case Action::PageDownLineUp:
        view.OnVScroll(CVexlor::SB_PAGEDOWN, 0);
        view.OnVScroll(CVexlor::SB_LINEUP, 0);
        break;
    case Action::Wheel:
        QApplication::sendEvent(view.viewport(), &wheel);
        break;
    case Action::Thumb:
        view.OnVScroll(CVexlor::SB_THUMBPOSITION, 250);
        break;
    case Action::LinesRight:
        view.OnHScroll(CVexlor::SB_LINERIGHT, 0);
        view.OnHScroll(CVexlor::SB_LINERIGHT, 0);
        break;
    case Action::Type:
        QApplication::sendEvent(&view, &plus);
        break;
    }
    QApplication::processEvents();
    return true;
}

// The action on a window with the caret in row 2 and a selection; whole
// makes every layout measure and place every row.
Outcome Run(Action action, bool whole) {
    // Without blinking the caret stays on: images taken at any time agree.
    QGuiApplication::styleHints()->setCursorFlashTime(action == Action::Blink ? 1000 : 0);
    Outcome out;
    EditorWindow w;
    CVexlor& view = w.view;
    out.shown = ShowActive(&w.window, &view);
    TextInstaller::Install(view.DataSlot(), &view, Model(80), -1, {});
    view.GetData()->SetWholeModel(whole);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right})
        QTest::keyClick(&view, key);
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    view.viewport()->repaint();
    QApplication::processEvents();
    int before = view.GetData()->ArrangeCount();
    PaintLog log(view.viewport());
    out.blinked = Act(w, action, log) && !log.regions.empty();
    out.arranges = view.GetData()->ArrangeCount() - before;
    out.scroll = view.GetData()->Scroll();
    out.caret = view.ToView(view.GetCaret().Rect());
    out.regions = log.regions;
    out.image = view.viewport()->grab().toImage();
    out.snapshot = view.GetData()->WriteSnapshot();
    return out;
}
} // namespace

class RepaintTest : public QObject {
    Q_OBJECT

  private slots:
    void viewEventsLayNothingOut_data();
    void viewEventsLayNothingOut();
};

void RepaintTest::viewEventsLayNothingOut_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("laysOut");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("blink") << int(Action::Blink) << false << false;
    QTest::newRow("focus out and in") << int(Action::FocusOutIn) << false << false;
    QTest::newRow("three lines down") << int(Action::LinesDown) << false << true;
    QTest::newRow("page down, line up") << int(Action::PageDownLineUp) << false << true;
    QTest::newRow("wheel two notches") << int(Action::Wheel) << false << true;
    QTest::newRow("thumb released") << int(Action::Thumb) << false << true;
    QTest::newRow("two steps right") << int(Action::LinesRight) << false << true;
    QTest::newRow("typing lays out") << int(Action::Type) << true << false;
}

void RepaintTest::viewEventsLayNothingOut() {
    QFETCH(int, action);
    QFETCH(bool, laysOut);
    QFETCH(bool, scrolls);
    Outcome fast = Run(Action(action), false);
    Outcome whole = Run(Action(action), true);
    QVERIFY(fast.shown && whole.shown);
    QCOMPARE(fast.arranges > 0, laysOut);
    QCOMPARE(fast.scroll.x != 0 || fast.scroll.y != 0, scrolls);
    QCOMPARE(fast.image, whole.image);
    QVERIFY(fast.snapshot == whole.snapshot);
    if (Action(action) == Action::Blink) {
        QVERIFY(fast.blinked);
        QVERIFY(!fast.caret.isEmpty());
        QCOMPARE(fast.regions.front(), QRegion(fast.caret));
    }
}

QTEST_MAIN(RepaintTest)
#include "RepaintTest.moc"
