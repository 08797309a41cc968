// The typeset model out of the program: an SVG that QtSvg renders back with
// ink where the layout puts each kind of structure, a PNG of the layout's
// size times the scale, PDF pages of whole expressions.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include "QtTestSupport.h"
#include "app/PageBreaks.h"
#include "app/TextInstaller.h"
#include "app/qt/FormulaExport.h"
#include "app/qt/OutputCommands.h"
#include "editor/VexlorData.h"
#include "editor/qt/Vexlor.h"
#include "elements/EqAtom.h"

using namespace QtTestSupport;

namespace {
const char kModel[] = "y = a/b + sqrt(x) + x[i]\r\n"
                      "z = exp(-t/T) + pow(x[k], 3)\r\n"
                      "d(x)/dt = (a + b)*c - d2(y)/dt\r\n";

// Whether the image has a dark pixel inside rect.
bool HasInk(const QImage& image, const QRect& rect) {
    QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 128)
                return true;
    return false;
}

// More lines than a page or the window holds.
std::string ManyLines() {
    std::string text;
    for (int i = 0; i < 150; ++i)
        text += "x" + std::to_string(i) + " = a/b + c\r\n";
    return text;
}

int PdfPages(const QByteArray& pdf) {
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") +
                            pdf.count("/Type /Page "));
}
} // namespace

class ExportTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void svgRendersBackWithInkOnEveryStructure();
    void pngIsTheLayoutTimesTheScale();
    void pdfHasOnePagePerPageOfExpressions();
    void printingTakesTheModelOrTheCurrentExpression();
    void unknownExtensionAndUnwritablePathFail(); // and pictures too large for PNG or SVG
    void exportLeavesTheWindowsViewAlone();
    void rowsOfTheLayoutWhereverTheWindowScrolled();
    void picturesLeaveRowsWaitingAsTheirLines();

  private:
    void Load(const std::string& text);
    QByteArray Export(const QString& name, double scale = 1.0, int expression = -1);

    std::unique_ptr<CVexlor> m_view;
    QTemporaryDir m_dir;
};

void ExportTest::init() {
    m_view = std::make_unique<CVexlor>();
    m_view->resize(300, 120);
    Load(kModel);
}

void ExportTest::Load(const std::string& text) {
    TextInstaller::Install(m_view->DataSlot(), m_view.get(), text, -1, {});
}

QByteArray ExportTest::Export(const QString& name, double scale, int expression) {
    QString path = m_dir.filePath(name);
    QString error;
    if (!FormulaExport::Write(*m_view, path, scale, expression, &error)) {
        qWarning("%s", qPrintable(error));
        return {};
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ExportTest::svgRendersBackWithInkOnEveryStructure() {
    QByteArray svg = Export(QStringLiteral("model.svg"));
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QSize size = m_view->LayoutAll(nullptr);
    QCOMPARE(renderer.viewBox().size(), size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    // The atoms' rectangles of the layout LayoutAll left behind.
    for (const char* name : {"CEqFraction", "CEqRoot", "CEqIndex", "CEqPowIndex", "CEqDerive",
                             "CEqDerive2", "CEqBrackets"}) {
        std::vector<CEqAtom*> atoms = AtomsOfClass(*m_view->GetData(), name);
        QVERIFY2(!atoms.empty(), name);
        for (CEqAtom* atom : atoms) {
            const RECT& r = atom->m_rect;
            QVERIFY2(HasInk(image, QRect(r.left, r.top, RectWidth(r), RectHeight(r))), name);
        }
    }
    // Blank paper between the lines.
    std::vector<QRect> rows;
    m_view->LayoutAll(&rows);
    QVERIFY(!HasInk(
        image, QRect(0, rows[0].bottom() + 2, size.width(), rows[1].top() - rows[0].bottom() - 3)));
}

void ExportTest::pngIsTheLayoutTimesTheScale() {
    QSize size = m_view->LayoutAll(nullptr);
    for (double scale : {1.0, 2.0, 0.5}) {
        QImage image = QImage::fromData(Export(QStringLiteral("model.png"), scale), "PNG");
        QCOMPARE(image.size(), QSize(qRound(size.width() * scale), qRound(size.height() * scale)));
        QVERIFY(HasInk(image, image.rect()));
    }
    // One expression: the width of the layout, the height of the line.
    std::vector<QRect> rows;
    m_view->LayoutAll(&rows);
    QImage line = QImage::fromData(Export(QStringLiteral("line.png"), 1.0, 1), "PNG");
    QCOMPARE(line.height(), rows[1].height() + 2 * rows[0].top());
}

void ExportTest::pdfHasOnePagePerPageOfExpressions() {
    QCOMPARE(PdfPages(Export(QStringLiteral("short.pdf"))), 1);
    Load(ManyLines());
    std::vector<QRect> rects;
    m_view->LayoutAll(&rects);
    std::vector<PageBreaks::Span> rows;
    for (const QRect& r : rects)
        rows.push_back({r.top(), r.top() + r.height()});
    // A4 less 15 mm margins, at 96 layout pixels to the inch.
    int pageHeight = static_cast<int>((297.0 - 30.0) / 25.4 * 96.0);
    size_t pages = PageBreaks::Split(rows, pageHeight, rects[0].top()).size();
    QVERIFY(pages >= 3);
    QCOMPARE(PdfPages(Export(QStringLiteral("long.pdf"))), static_cast<int>(pages));
    QCOMPARE(PdfPages(Export(QStringLiteral("one.pdf"), 1.0, 7)), 1);
}

void ExportTest::printingTakesTheModelOrTheCurrentExpression() {
    Load(ManyLines());
    for (bool currentOnly : {false, true}) {
        QString path =
            m_dir.filePath(currentOnly ? QStringLiteral("current.pdf") : QStringLiteral("all.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QVERIFY(OutputCommands::PrintOn(&printer, *m_view, currentOnly));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        int pages = PdfPages(file.readAll());
        QVERIFY2(currentOnly ? pages == 1 : pages >= 3, qPrintable(QString::number(pages)));
    }
}

void ExportTest::unknownExtensionAndUnwritablePathFail() {
    QString error;
    QVERIFY(!FormulaExport::Write(*m_view, m_dir.filePath(QStringLiteral("model.jpg")), 1.0, -1,
                                  &error));
    QVERIFY(error.contains(QStringLiteral(".svg, .png or .pdf")));
    QString missing = m_dir.filePath(QStringLiteral("no/such/folder/model.svg"));
    QVERIFY(!FormulaExport::Write(*m_view, missing, 1.0, -1, &error));
    QVERIFY(error.startsWith(QStringLiteral("cannot write ")));
    QVERIFY(!QFile::exists(missing));
    // Pictures past their format's bounds are refused before they are
    // allocated; one expression of the same model goes.
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "x" + std::to_string(i) + " = alpha/beta + gamma\r\n";
    Load(text);
    struct {
        const char* name;
        double scale;
        const char* says;
    } const pictures[] = {{"huge.png", 8.0, "too large for PNG"},
                          {"huge.svg", 1.0, "export it as PDF"}};
    for (const auto& picture : pictures) {
        QString path = m_dir.filePath(QLatin1String(picture.name));
        QVERIFY(!FormulaExport::Write(*m_view, path, picture.scale, -1, &error));
        QVERIFY2(error.contains(QLatin1String(picture.says)), qPrintable(error));
        QVERIFY(!QFile::exists(path));
        QVERIFY2(FormulaExport::Write(*m_view, path, 1.0, 2000, &error), qPrintable(error));
    }
}

void ExportTest::exportLeavesTheWindowsViewAlone() {
    QString before = TextOf(*m_view->GetData());
    m_view->viewport()->repaint();
    SCROLLINFO bar = m_view->GetScrollInfo(SB_VERT);
    m_view->GetData()->SetScroll(POINT{0, 7});
    Export(QStringLiteral("model.svg"));
    QCOMPARE(m_view->GetData()->Scroll().y, 7);
    QCOMPARE(m_view->GetScrollInfo(SB_VERT).nMax, bar.nMax);
    QCOMPARE(m_view->GetScrollInfo(SB_VERT).nPage, bar.nPage);
    QCOMPARE(m_view->m_rcClient.right, m_view->viewport()->width());
    QCOMPARE(TextOf(*m_view->GetData()), before);
}

// The rows' places in the picture do not depend on where the window was
// scrolled to before, nor does the picture of one expression.
void ExportTest::rowsOfTheLayoutWhereverTheWindowScrolled() {
    Load(ManyLines());
    std::vector<QRect> atTop;
    m_view->LayoutAll(&atTop);
    QByteArray line = Export(QStringLiteral("top.png"), 1.0, 120);
    for (int y : {2000, 4000}) {
        m_view->GetData()->SetScroll(POINT{0, y});
        m_view->viewport()->repaint();
        std::vector<QRect> rows;
        m_view->LayoutAll(&rows);
        QCOMPARE(rows, atTop);
        QCOMPARE(Export(QStringLiteral("scrolled.png"), 1.0, 120), line);
    }
}

// A picture of the whole model draws every row without making the rows
// out of the window's sight trees for good.
void ExportTest::picturesLeaveRowsWaitingAsTheirLines() {
    Load(ManyLines());
    m_view->LayoutAll(nullptr); // the last row is kept as a tree from here on
    size_t latent = m_view->GetData()->LatentCount();
    QVERIFY(latent > 100);
    for (const char* name : {"all.pdf", "all.png", "all.svg"}) {
        QVERIFY(!Export(QString::fromLatin1(name)).isEmpty());
        QCOMPARE(m_view->GetData()->LatentCount(), latent);
    }
}

QTEST_MAIN(ExportTest)
#include "ExportTest.moc"
