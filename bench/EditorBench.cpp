// Speed of the editor model on texts of 10 to 100,000 expressions: loading
// and saving the text; loading one long line of chained fractions or nested
// brackets; one typed character, Backspace, undo, redo and Enter
// at the end of the last row, and a typed character in the first (model work, structure forming,
// undo bookkeeping and layout, as the window handles the key); the paint pass of the headless
// window after it; and the memory held by the undo history of typed characters.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "BenchModel.h"
#include "app/BatchEditor.h"
#include "app/KeyScript.h"
#include "editor/VexlorData.h"
#include "rows/EqExpr.h"
#include "rows/LatexWriter.h"

namespace {

std::string Model(int lines) {
    return BenchModel::Text(lines);
}

KeyEvent Typed(char c) {
    KeyEvent e;
    e.m_bTyped = true;
    e.m_byte = static_cast<unsigned char>(c);
    return e;
}

KeyEvent Key(unsigned vk, bool control = false) {
    KeyEvent e;
    e.m_vk = vk;
    e.m_bControl = control;
    return e;
}

const KeyEvent kUndo = Key('Z', true);
const KeyEvent kRedo = Key('Y', true);

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

// The key benchmarks set the stage between keys with timing paused, which
// costs more than the key itself: a fixed count of keys keeps the run short.
void KeySizes(benchmark::internal::Benchmark* b) {
    Sizes(b);
    b->Iterations(300);
}

int Lines(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

// Loading: the text installed in the editor and its first paint pass.
// Freeing the model is timed apart (BM_Close).
void LoadText(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        auto editor = std::make_unique<BatchEditor>();
        editor->Install(text);
        benchmark::DoNotOptimize(editor->Data().Rows().size());
        state.PauseTiming();
        editor.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_Load(benchmark::State& state) {
    LoadText(state, Model(Lines(state)));
}
BENCHMARK(BM_Load)->Apply(Sizes);

// An editor on text, loaded with timing paused.
std::unique_ptr<BatchEditor> LoadedUntimed(benchmark::State& state, const std::string& text) {
    state.PauseTiming();
    auto editor = std::make_unique<BatchEditor>();
    editor->Install(text);
    state.ResumeTiming();
    return editor;
}

void BM_Close(benchmark::State& state) {
    std::string text = Model(Lines(state));
    for (auto _ : state)
        LoadedUntimed(state, text).reset();
}
// Rows not yet needed free in a moment, and each load comes with timing
// paused: a fixed count of closes keeps the run short.
BENCHMARK(BM_Close)->Apply(Sizes)->Iterations(5);

// Long lines: one line of n chained fractions "y = a/a/.../b", and one of
// n nested brackets "((...a...))" (formed down to the depth limit, the rest
// left as symbols). Loading them should cost time linear in n.
std::string ChainedFractions(int n) {
    std::string text = "y = ";
    for (int i = 0; i < n; ++i)
        text += "a/";
    return text + "b\n";
}

std::string NestedBrackets(int n) {
    return std::string(static_cast<size_t>(n), '(') + "a" +
           std::string(static_cast<size_t>(n), ')') + "\n";
}

void LineSizes(benchmark::internal::Benchmark* b) {
    b->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

void BM_LoadChainedFractions(benchmark::State& state) {
    LoadText(state, ChainedFractions(Lines(state)));
}
BENCHMARK(BM_LoadChainedFractions)->Apply(LineSizes);

void BM_LoadNestedBrackets(benchmark::State& state) {
    LoadText(state, NestedBrackets(Lines(state)));
}
BENCHMARK(BM_LoadNestedBrackets)->Apply(LineSizes);

// Saving: the text of every row, as Save writes it.
void BM_Save(benchmark::State& state) {
    BatchEditor editor;
    editor.Install(Model(Lines(state)));
    // Saves after the first, which learns the rows' texts (BM_FirstSave).
    benchmark::DoNotOptimize(editor.Data().SavedText());
    for (auto _ : state)
        benchmark::DoNotOptimize(editor.Data().SavedText());
}
BENCHMARK(BM_Save)->Apply(Sizes);

// The first save after the load, which learns the text of every row.
void BM_FirstSave(benchmark::State& state) {
    std::string text = Model(Lines(state));
    for (auto _ : state) {
        std::unique_ptr<BatchEditor> editor = LoadedUntimed(state, text);
        benchmark::DoNotOptimize(editor->Data().SavedText());
        state.PauseTiming();
        editor.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstSave)->Apply(Sizes)->Iterations(5);

// An editor on the model with the caret at the end of the last row (or of
// the first row, where every row below follows an edit).
class LastRow {
  public:
    explicit LastRow(int lines, bool first = false) {
        m_editor.Install(Model(lines));
        CVexlorData& data = m_editor.Data();
        data.SetCurRowIndex(first ? 0 : static_cast<int>(data.Rows().size()) - 1);
        CEqExpr* row = data.CurrentRow();
        data.SetCaret(row, row->GetCount() - 1);
        m_editor.PaintPass();
    }
    BatchEditor& Editor() { return m_editor; }
    // The measured key: handled as the window does, without painting.
    void Handle(const KeyEvent& key) { m_editor.Handle(key); }
    // The keys that set the stage between measured ones.
    void Deliver(const KeyEvent& key) { m_editor.Deliver(key); }

  private:
    BatchEditor m_editor;
};

void BM_TypeChar(benchmark::State& state) {
    LastRow row(Lines(state));
    for (auto _ : state) {
        row.Handle(Typed('+')); // a step of its own
        state.PauseTiming();
        row.Editor().PaintPass();
        row.Deliver(Key(VK_BACK));
        row.Editor().Data().ClearUndo(); // keep the history from growing
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TypeChar)->Apply(KeySizes);

// A fraction typed in the first row makes it taller: every row below moves.
void BM_TypeCharFirstRow(benchmark::State& state) {
    LastRow row(Lines(state), true);
    for (auto _ : state) {
        row.Handle(Typed('/'));
        state.PauseTiming();
        row.Editor().PaintPass();
        row.Deliver(kUndo);
        row.Editor().Data().ClearUndo();
        row.Editor().PaintPass();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TypeCharFirstRow)->Apply(KeySizes);

void BM_Backspace(benchmark::State& state) {
    LastRow row(Lines(state));
    for (auto _ : state) {
        state.PauseTiming();
        row.Deliver(Typed('+'));
        row.Editor().Data().ClearUndo();
        state.ResumeTiming();
        row.Handle(Key(VK_BACK));
        state.PauseTiming();
        row.Editor().PaintPass();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Backspace)->Apply(KeySizes);

void BM_Undo(benchmark::State& state) {
    LastRow row(Lines(state));
    row.Deliver(Typed('+'));
    for (auto _ : state) {
        row.Handle(kUndo);
        row.Editor().Data().Arrange(); // undo leaves the layout to the paint pass
        state.PauseTiming();
        row.Editor().PaintPass();
        row.Deliver(kRedo);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Undo)->Apply(KeySizes);

void BM_Redo(benchmark::State& state) {
    LastRow row(Lines(state));
    row.Deliver(Typed('+'));
    for (auto _ : state) {
        state.PauseTiming();
        row.Deliver(kUndo);
        state.ResumeTiming();
        row.Handle(kRedo);
        row.Editor().Data().Arrange();
        state.PauseTiming();
        row.Editor().PaintPass();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Redo)->Apply(KeySizes);

// Enter at the end of the last row makes a new last row; Backspace joins
// it back between the measured keys.
void BM_Enter(benchmark::State& state) {
    LastRow row(Lines(state));
    for (auto _ : state) {
        row.Handle(Key(VK_RETURN));
        state.PauseTiming();
        row.Editor().PaintPass();
        row.Deliver(Key(VK_BACK));
        row.Editor().Data().ClearUndo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Enter)->Apply(KeySizes);

// Enter at the end of the first row and Backspace joining the rows again:
// every row below moves down and back up.
void BM_EnterFirstRow(benchmark::State& state) {
    LastRow row(Lines(state), true);
    for (auto _ : state) {
        row.Handle(Key(VK_RETURN));
        state.PauseTiming();
        row.Editor().PaintPass();
        state.ResumeTiming();
        row.Handle(Key(VK_BACK));
        state.PauseTiming();
        row.Editor().PaintPass();
        row.Editor().Data().ClearUndo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EnterFirstRow)->Apply(KeySizes);

// The paint pass of the window after a typed character: layout of what the
// key left to it, the rows in the window drawn, selection, scroll bars and
// caret.
void BM_Paint(benchmark::State& state) {
    LastRow row(Lines(state));
    for (auto _ : state) {
        state.PauseTiming();
        row.Handle(Typed('+'));
        state.ResumeTiming();
        row.Editor().PaintPass();
        state.PauseTiming();
        row.Deliver(Key(VK_BACK));
        row.Editor().Data().ClearUndo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Paint)->Apply(KeySizes);

// Memory held by the history of typed characters at the end of the last
// row, each its own step.
void BM_HistoryMemory(benchmark::State& state) {
    for (auto _ : state) {
        LastRow row(Lines(state));
        CVexlorData& data = row.Editor().Data();
        for (int64_t i = 0; i < state.range(1); ++i)
            data.OnChar('+');
        state.counters["history_bytes"] = static_cast<double>(data.HistoryBytes());
        state.counters["image_bytes"] = static_cast<double>(data.WriteSnapshot().size());
    }
}
// Arguments: expressions, typed characters.
BENCHMARK(BM_HistoryMemory)
    ->Args({10, 1000})
    ->Args({1000, 1000})
    ->Args({10000, 10000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The LaTeX of every row, one per line, for timing another typesetter on
// the same formulas.
void WriteLatex(const std::string& text, const char* path) {
    BatchEditor editor;
    editor.Install(text);
    std::ofstream out(path);
    for (const CEqExpr* row : editor.Data().Rows())
        out << LatexWriter::Write(*row) << '\n';
}

// Loading real equations: the file named by VEXLOR_BENCH_EQUATIONS, one
// expression per line; the figure per equation is time / equations. With
// VEXLOR_BENCH_LATEX set, their LaTeX goes to the file it names. With
// freeing:0 the model is freed outside the timing, as BM_Load does; with
// freeing:1 inside it.
void BM_LoadEquationsFile(benchmark::State& state) {
    const char* path = std::getenv("VEXLOR_BENCH_EQUATIONS");
    std::ifstream in(path ? path : "");
    if (!in) {
        state.SkipWithError("set VEXLOR_BENCH_EQUATIONS to a file of equations");
        return;
    }
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    int64_t lines = 0;
    for (char c : text)
        lines += c == '\n';
    if (const char* latex = std::getenv("VEXLOR_BENCH_LATEX"))
        WriteLatex(text, latex);
    bool timeFreeing = state.range(0) != 0;
    for (auto _ : state) {
        auto editor = std::make_unique<BatchEditor>();
        editor->Install(text);
        benchmark::DoNotOptimize(editor->Data().Rows().size());
        if (!timeFreeing)
            state.PauseTiming();
        editor.reset();
        if (!timeFreeing)
            state.ResumeTiming();
    }
    state.counters["equations"] = static_cast<double>(lines);
    state.counters["per_equation"] = benchmark::Counter(
        static_cast<double>(lines),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LoadEquationsFile)->ArgName("freeing")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
