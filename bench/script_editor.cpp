// What a user waits for on the script page and at the calculator: laying out and drawing a text
// of 16,384 visual lines, one frame of the page's painter, and evaluating long sums.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "app/Editor.h"
#include "pages/ScriptEditor.h"
#include "script/ExprSolver.h"
#include "script/ScriptLayout.h"

namespace {

using namespace korvel;

std::unique_ptr<Editor> scriptEditor() {
    auto ed = std::make_unique<Editor>();
    ScriptState& s = ed->pages.scriptEditor;
    for (int i = 0; i < 16383; ++i) s.scriptText += "mov r01 5 !!! a comment\r\n";
    for (int i = 0; i < 40; ++i) s.scriptNames.push_back("script number " + std::to_string(i));
    s.scriptCount = 40;
    s.scriptIndex = 3;
    s.scriptName = "script number 3";
    s.scriptCursor = 100;
    s.scriptAnchor = 400;
    drawScriptText(*ed);
    return ed;
}

void BM_DrawScriptTextColoured(benchmark::State& state) {
    auto ed = scriptEditor();
    for (auto _ : state) drawScriptText(*ed);
    state.counters["lines"] = double(ed->pages.scriptEditor.scriptLineCount);
}
BENCHMARK(BM_DrawScriptTextColoured)->Unit(benchmark::kMillisecond);

void BM_DrawScriptEditorFrame(benchmark::State& state) {
    auto ed = scriptEditor();
    int32_t t = 0;
    for (auto _ : state) {
        ed->input.frameTime = t += 16;
        drawScriptEditor(*ed);
    }
}
BENCHMARK(BM_DrawScriptEditorFrame)->Unit(benchmark::kMicrosecond);

std::string sum(size_t length) {
    std::string s = "1";
    while (s.size() + 2 <= length) s += "+1";
    return s;
}

void BM_EvaluateSum(benchmark::State& state) {
    const std::string text = sum(size_t(state.range(0)));
    Random r;
    double v = 0;
    for (auto _ : state) benchmark::DoNotOptimize(v = evaluateExpression(text, "", r));
    state.counters["value"] = v;
}
BENCHMARK(BM_EvaluateSum)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateSum)->Arg(65535)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
