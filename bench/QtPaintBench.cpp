// Painting the editor window (800 x 600) on texts of 10 to 100,000
// expressions through its paint event: the whole window rendered into an
// image of its size while its layout holds (as an exposure repaints it), the
// caret's rectangle (as a blink repaints it), and a line step of the
// vertical scroll bar with the paint after it; and, for comparison, a typed
// character and its Backspace, each with the paint after it; and opening a
// text or a model file in a new window. "arranges"
// counts the layouts per iteration. Runs on the offscreen platform unless QT_QPA_PLATFORM names
// another.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "BenchModel.h"
#include "app/TextInstaller.h"
#include "editor/VexlorData.h"
#include "editor/qt/Vexlor.h"

namespace {

// The window on the model text, focused, with the caret at the start of
// its first row, laid out by a first paint.
class Window {
  public:
    explicit Window(int lines) : Window(BenchModel::Text(lines)) {}
    explicit Window(const std::string& text)
        : m_image(QSize(800, 600), QImage::Format_ARGB32_Premultiplied) {
        m_view.resize(m_image.size());
        m_view.show();
        m_view.activateWindow();
        m_view.setFocus();
        TextInstaller::Install(m_view.DataSlot(), &m_view, text, -1, {});
        QApplication::processEvents();
        Paint();
    }
    CVexlor& View() { return m_view; }
    void Paint() { m_view.render(&m_image); }
    void PaintView() { m_view.viewport()->render(&m_image); }
    void PaintRegion(const QRegion& region) {
        m_view.viewport()->render(&m_image, QPoint(), region);
    }
    int Arranges() const { return m_view.GetData()->ArrangeCount(); }

  private:
    CVexlor m_view;
    QImage m_image;
};

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

void CountArranges(benchmark::State& state, int before, int after) {
    state.counters["arranges"] =
        benchmark::Counter(after - before, benchmark::Counter::kAvgIterations);
}

void BM_QtPaintWindow(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    int before = window.Arranges();
    for (auto _ : state)
        window.Paint();
    CountArranges(state, before, window.Arranges());
}
BENCHMARK(BM_QtPaintWindow)->Apply(Sizes);

// The editor's part of the window alone: its viewport.
void BM_QtPaintView(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    int before = window.Arranges();
    for (auto _ : state)
        window.PaintView();
    CountArranges(state, before, window.Arranges());
}
BENCHMARK(BM_QtPaintView)->Apply(Sizes);

void BM_QtPaintCaret(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    RECT caret = window.View().GetData()->GetCaretRect();
    QRegion region(
        window.View().ToView(QRect(caret.left, caret.top, RectWidth(caret), RectHeight(caret))));
    int before = window.Arranges();
    for (auto _ : state)
        window.PaintRegion(region);
    CountArranges(state, before, window.Arranges());
}
BENCHMARK(BM_QtPaintCaret)->Apply(Sizes);

// Down one line, painted; up one line, painted: two steps per iteration.
void BM_QtScrollLine(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    int before = window.Arranges();
    for (auto _ : state) {
        window.View().OnVScroll(CVexlor::SB_LINEDOWN, 0);
        window.Paint();
        window.View().OnVScroll(CVexlor::SB_LINEUP, 0);
        window.Paint();
    }
    CountArranges(state, before, window.Arranges());
}
BENCHMARK(BM_QtScrollLine)->Apply(Sizes);

// A character typed at the caret (first row), painted; Backspace, painted:
// the paint pass after an edit lays out what the key left to it.
void BM_QtTypePaint(benchmark::State& state) {
    Window window(static_cast<int>(state.range(0)));
    QKeyEvent plus(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("+"));
    QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    for (auto _ : state) {
        QApplication::sendEvent(&window.View(), &plus);
        window.PaintView();
        QApplication::sendEvent(&window.View(), &back);
        window.PaintView();
        state.PauseTiming();
        window.View().GetData()->ClearUndo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_QtTypePaint)->Apply(Sizes);

// Opening: the window shown on the text, laid out and painted once with
// Qt's fonts. Closing the window is timed apart from it.
void OpenText(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        auto window = std::make_unique<Window>(text);
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_QtOpen(benchmark::State& state) {
    OpenText(state, BenchModel::Text(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_QtOpen)->Apply(Sizes);

// The model file named by VEXLOR_BENCH_MODEL; false (the benchmark skipped)
// without one.
bool ReadModelFile(benchmark::State& state, std::string* text) {
    const char* path = std::getenv("VEXLOR_BENCH_MODEL");
    std::ifstream in(path ? path : "", std::ios::binary);
    if (!in) {
        state.SkipWithError("set VEXLOR_BENCH_MODEL to a model file");
        return false;
    }
    std::stringstream bytes;
    bytes << in.rdbuf();
    *text = bytes.str();
    return true;
}

// That file, as the window opens it.
void BM_QtOpenFile(benchmark::State& state) {
    std::string text;
    if (ReadModelFile(state, &text))
        OpenText(state, text);
}
BENCHMARK(BM_QtOpenFile)->Unit(benchmark::kMillisecond);

// The first save after opening that file, timed alone. Without idle
// moments in between, the text of every row not yet written is learnt in
// it; with them, the window learnt the texts there (not timed).
void FirstSave(benchmark::State& state, bool idleFirst) {
    std::string text;
    if (!ReadModelFile(state, &text))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<Window>(text);
        CVexlorData& data = *window->View().GetData();
        if (idleFirst) {
            window->View().LearnTextsWhenIdle();
            while (data.LearnTexts(0))
                QApplication::processEvents();
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(data.SavedText());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}

void BM_QtFirstSaveFile(benchmark::State& state) {
    FirstSave(state, false);
}
BENCHMARK(BM_QtFirstSaveFile)->Unit(benchmark::kMillisecond);

void BM_QtSaveAfterIdleFile(benchmark::State& state) {
    FirstSave(state, true);
}
BENCHMARK(BM_QtSaveAfterIdleFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
