// Speed of the editor model on texts of 10, 1,000 and 10,000 expressions:
// loading, one typed character in the last row (model work and layout),
// one undo, and the memory held by the undo history of typed characters.
#include <benchmark/benchmark.h>

#include <string>

#include "app/BatchEditor.h"
#include "app/KeyScript.h"
#include "editor/VexlorData.h"
#include "rows/EqExpr.h"

namespace {

std::string Model(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        std::string n = std::to_string(i);
        text += "v" + n + " = (a" + n + " + b[i]**2)/sqrt(c" + n +
                ") + d(x)/dt;  -- \xF1\xEA\xEE\xF0\xEE\xF1\xF2\xFC " + n + "\n";
    }
    return text;
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

void BM_LoadText(benchmark::State& state) {
    std::string text = Model(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CVexlorData data;
        data.Reset();
        data.LoadText(text);
        benchmark::DoNotOptimize(data.m_rows.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadText)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Puts the caret at the end of the last row.
void GoToLastRow(BatchEditor& editor) {
    CVexlorData& data = editor.Data();
    data.m_nCurRow = static_cast<int>(data.m_rows.size()) - 1;
    CEqExpr* last = data.m_rows.back();
    data.SetCaret(last, last->GetCount() - 1);
}

void BM_TypeInLastRow(benchmark::State& state) {
    BatchEditor editor;
    editor.Install(Model(static_cast<int>(state.range(0))));
    GoToLastRow(editor);
    for (auto _ : state) {
        editor.Deliver(Typed('+')); // a step of its own, with layout and paint
        state.PauseTiming();
        editor.Data().ClearUndo(); // keep the history from growing
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TypeInLastRow)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_Undo(benchmark::State& state) {
    BatchEditor editor;
    editor.Install(Model(static_cast<int>(state.range(0))));
    GoToLastRow(editor);
    editor.Deliver(Typed('+'));
    for (auto _ : state) {
        editor.Deliver(Key('Z', true)); // undo
        state.PauseTiming();
        editor.Deliver(Key('Y', true)); // redo, to undo again
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Undo)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Memory held by the history of 1,000 typed characters, each its own step.
void BM_HistoryMemory(benchmark::State& state) {
    for (auto _ : state) {
        BatchEditor editor;
        editor.Install(Model(static_cast<int>(state.range(0))));
        GoToLastRow(editor);
        for (int i = 0; i < 1000; ++i)
            editor.Data().OnChar('+');
        state.counters["history_bytes"] = static_cast<double>(editor.Data().HistoryBytes());
        state.counters["image_bytes"] = static_cast<double>(editor.Data().WriteSnapshot().size());
    }
}
BENCHMARK(BM_HistoryMemory)->Arg(10)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
