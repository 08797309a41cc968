// The editor window painted for a text that holds every atom class: ink
// appears where the layout puts each element, and nowhere else.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>

#include "QtTestSupport.h"
#include "app/qt/MainFrame.h"
#include "editor/VexlorData.h"
#include "elements/EqAtom.h"
#include "rows/EqExpr.h"

using namespace QtTestSupport;

namespace {
QRect ToQRect(const RECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Pixels clearly darker than the white background inside r.
int InkIn(const QImage& image, const QRect& r) {
    int ink = 0;
    QRect area = r.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ++ink;
        }
    }
    return ink;
}

double DarkShare(const QImage& image, const QRect& r) {
    QRect area = r.intersected(image.rect());
    int total = area.width() * area.height();
    return total > 0 ? double(InkIn(image, area)) / total : 0.0;
}

// One line per atom class (and a keyword, a function and an empty slot).
const char* const kLines[] = {
    "if x > 0 then y = sin(a) else y = 0",
    "z = (a + b)*c",
    "r = sqrt(x + 1)",
    "f = a/b",
    "u = x[i]",
    "p = x**2",
    "q = pow(x[1], 3)",
    "v = d(x)/dt",
    "w = d2(x)/dt",
    "s = 1/",
};
} // namespace

class RenderTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void everyAtomLeavesInkWhereItIsLaidOut();
    void keywordsAreBold();
    void emptySlotIsADottedBox();
    void nothingIsPaintedBesideTheRows();
    void selectionIsInverted();
    void exampleShowsItsEquations();

  private:
    QImage Grab();
    CEqAtom* First(const char* className);

    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
};

void RenderTest::init() {
    std::string text;
    for (const char* line : kLines)
        text += std::string(line) + "\r\n";
    QString path = m_dir.filePath(QStringLiteral("atoms.txt"));
    QVERIFY(WriteFile(path, text));
    m_frame = std::make_unique<CMainFrame>();
    m_frame->m_strFileName = QFile::encodeName(path).toStdString();
    QVERIFY(m_frame->LoadFrame());
    m_frame->resize(900, 640);
    QVERIFY(ShowActive(m_frame.get(), &m_frame->m_wndView));
}

void RenderTest::cleanup() {
    m_frame.reset();
}

QImage RenderTest::Grab() {
    QImage image = m_frame->m_wndView.viewport()->grab().toImage();
    QDir().mkpath(QStringLiteral("render"));
    image.save(QStringLiteral("render/%1.png").arg(QTest::currentTestFunction()));
    return image;
}

CEqAtom* RenderTest::First(const char* className) {
    std::vector<CEqAtom*> atoms = AtomsOfClass(*m_frame->m_wndView.GetData(), className);
    return atoms.empty() ? nullptr : atoms.front();
}

void RenderTest::everyAtomLeavesInkWhereItIsLaidOut() {
    QImage image = Grab();
    QCOMPARE(m_frame->m_wndView.GetData()->Rows().size(), std::size(kLines));

    CEqAtom* brackets = First("CEqBrackets");
    QVERIFY(brackets);
    QRect b = ToQRect(brackets->m_rect);
    QRect inner = ToQRect(brackets->GetRow(0)->m_rect);
    QVERIFY(InkIn(image, QRect(b.left(), b.top(), inner.left() - b.left(), b.height())) > 5);
    QVERIFY(InkIn(image, QRect(inner.right() + 1, b.top(), b.right() - inner.right(), b.height())) >
            5);
    QVERIFY(InkIn(image, inner) > 20);

    CEqAtom* root = First("CEqRoot");
    QVERIFY(root);
    QRect r = ToQRect(root->m_rect);
    QRect radicand = ToQRect(root->GetRow(0)->m_rect);
    QVERIFY(InkIn(image, QRect(r.left(), r.top(), radicand.left() - r.left(), r.height())) > 10);
    QVERIFY(InkIn(image, QRect(radicand.left(), r.top(), radicand.width(),
                               radicand.top() - r.top())) > radicand.width() / 2);
    QVERIFY(InkIn(image, radicand) > 20);

    CEqAtom* fraction = First("CEqFraction");
    QVERIFY(fraction);
    QRect num = ToQRect(fraction->GetRow(0)->m_rect);
    QRect den = ToQRect(fraction->GetRow(1)->m_rect);
    QRect f = ToQRect(fraction->m_rect);
    QVERIFY(num.bottom() < den.top());
    QRect bar(f.left(), num.bottom() + 1, f.width(), den.top() - num.bottom() - 1);
    QVERIFY(InkIn(image, bar) >= f.width() / 2);
    QVERIFY(InkIn(image, num) > 10);
    QVERIFY(InkIn(image, den) > 10);

    std::vector<CEqAtom*> indexes = AtomsOfClass(*m_frame->m_wndView.GetData(), "CEqIndex");
    QCOMPARE(indexes.size(), size_t(2));
    for (CEqAtom* index : indexes) {
        QRect base = ToQRect(index->GetRow(0)->m_rect);
        QRect sub = ToQRect(index->GetRow(1)->m_rect);
        QVERIFY(InkIn(image, base) > 10);
        QVERIFY(InkIn(image, sub) > 5);
        QVERIFY(sub.left() >= base.right());
        // Index rows are set in the small font.
        QVERIFY(sub.height() < base.height());
    }

    CEqAtom* power = First("CEqPowIndex");
    QVERIFY(power);
    for (int i = 0; i < 3; ++i)
        QVERIFY(InkIn(image, ToQRect(power->GetRow(i)->m_rect)) > 5);
    QVERIFY(power->GetRow(2)->m_rect.top < power->GetRow(1)->m_rect.top);

    for (const char* name : {"CEqDerive", "CEqDerive2"}) {
        CEqAtom* derive = First(name);
        QVERIFY2(derive, name);
        QRect d = ToQRect(derive->m_rect);
        QRect function = ToQRect(derive->GetRow(0)->m_rect);
        QRect variable = ToQRect(derive->GetRow(1)->m_rect);
        // The "d" letters stand left of the function and of the variable.
        QVERIFY(InkIn(image, QRect(d.left(), function.top(), function.left() - d.left(),
                                   function.height())) > 5);
        QVERIFY(InkIn(image, QRect(d.left(), variable.top(), variable.left() - d.left(),
                                   variable.height())) > 5);
        QVERIFY(InkIn(image, QRect(d.left(), function.bottom() + 1, d.width(),
                                   variable.top() - function.bottom() - 1)) >= d.width() / 2);
    }
}

void RenderTest::keywordsAreBold() {
    QImage image = Grab();
    CEqExpr* first = m_frame->m_wndView.GetData()->Rows()[0];
    CEqExpr* fraction = m_frame->m_wndView.GetData()->Rows()[3];
    // "if" starts the first row (a keyword, bold); "f = a/b" starts with a plain "f".
    CEqAtom* boldF = first->GetAt(1);
    CEqAtom* plainF = fraction->GetAt(0);
    QCOMPARE(boldF->GetChar(), int('f'));
    QCOMPARE(plainF->GetChar(), int('f'));
    QCOMPARE(boldF->m_rect.right - boldF->m_rect.left, plainF->m_rect.right - plainF->m_rect.left);
    QVERIFY(InkIn(image, ToQRect(boldF->m_rect)) > InkIn(image, ToQRect(plainF->m_rect)));
}

void RenderTest::emptySlotIsADottedBox() {
    QImage image = Grab();
    std::vector<CEqAtom*> fractions = AtomsOfClass(*m_frame->m_wndView.GetData(), "CEqFraction");
    QCOMPARE(fractions.size(), size_t(2));
    CEqExpr* blank = fractions[1]->GetRow(1);
    QVERIFY(blank->IsBlank());
    QRect slot = ToQRect(blank->GetEnd()->m_rect);
    QVERIFY(slot.width() > 4 && slot.height() > 4);
    QVERIFY(InkIn(image, QRect(slot.left(), slot.top(), slot.width(), 1)) > 0);
    QVERIFY(InkIn(image, QRect(slot.left(), slot.top(), 1, slot.height())) > 0);
    QCOMPARE(InkIn(image, slot.adjusted(2, 2, -2, -2)), 0);
}

void RenderTest::nothingIsPaintedBesideTheRows() {
    QImage image = Grab();
    int right = 0;
    int bottom = 0;
    for (CEqExpr* row : m_frame->m_wndView.GetData()->Rows()) {
        right = std::max(right, static_cast<int>(row->m_rect.right));
        bottom = std::max(bottom, static_cast<int>(row->m_rect.bottom));
    }
    QVERIFY(right + 10 < image.width());
    QCOMPARE(InkIn(image, QRect(right + 5, 0, image.width() - right - 5, image.height())), 0);
    QCOMPARE(InkIn(image, QRect(0, bottom + 5, image.width(), image.height() - bottom - 5)), 0);
}

void RenderTest::selectionIsInverted() {
    CVexlorData* data = m_frame->m_wndView.GetData();
    CEqExpr* row = data->Rows()[1];
    data->SetCurRowIndex(1);
    data->SetSelection(row, 0, row->GetCount() - 1);
    QImage image = Grab();
    QRect selected = ToQRect(data->SelectionBox());
    QVERIFY(selected.width() > 50);
    QVERIFY(DarkShare(image, selected) > 0.6);
    QVERIFY(DarkShare(image, ToQRect(data->Rows()[2]->m_rect)) < 0.3);
}

// The bundled example loads in full; the picture of it is the screenshot of
// the documentation when VEXLOR_SCREENSHOT names a file.
void RenderTest::exampleShowsItsEquations() {
    QString source = qEnvironmentVariable("VEXLOR_SOURCE_DIR");
    if (source.isEmpty())
        QSKIP("VEXLOR_SOURCE_DIR is not set");
    m_frame = std::make_unique<CMainFrame>();
    m_frame->m_strFileName =
        QFile::encodeName(source + QStringLiteral("/examples/model.txt")).toStdString();
    QVERIFY(m_frame->LoadFrame());
    m_frame->resize(860, 820);
    QVERIFY(ShowActive(m_frame.get(), &m_frame->m_wndView));
    CVexlorData* data = m_frame->m_wndView.GetData();
    QCOMPARE(data->Rows().size(), size_t(45));
    QVERIFY(m_frame->windowTitle().endsWith(QStringLiteral("model.txt")));
    for (const char* name : {"CEqFraction", "CEqIndex", "CEqPowIndex", "CEqRoot", "CEqDerive",
                             "CEqDerive2", "CEqBrackets"})
        QVERIFY2(!AtomsOfClass(*data, name).empty(), name);
    QVERIFY(TextOf(*data).contains(QStringLiteral("-- сопротивление якорной цепи, Ом")));
    QImage image = Grab();
    QVERIFY(InkIn(image, image.rect()) > 1000);
    QString screenshot = qEnvironmentVariable("VEXLOR_SCREENSHOT");
    if (!screenshot.isEmpty())
        QVERIFY(m_frame->grab().save(screenshot));
}

QTEST_MAIN(RenderTest)
#include "RenderTest.moc"
