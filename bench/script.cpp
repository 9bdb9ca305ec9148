// What a user waits for around scripts: a long arithmetic loop against the same loop in plain
// C++, compiling the largest program and a file of comments, and a loop over every sector's
// walls of a full map with its undo snapshot.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "app/Editor.h"
#include "map/MapEdit.h"
#include "platform/HeadlessPlatform.h"
#include "script/ScriptCompiler.h"
#include "script/ScriptKeywords.h"
#include "script/ScriptRun.h"
#include "support/GridMaps.h"

namespace {

using namespace korvel;

struct Rig {
    std::unique_ptr<HeadlessPlatform> platform = std::make_unique<HeadlessPlatform>("/tmp");
    std::unique_ptr<Editor> ed = std::make_unique<Editor>();
    Rig() { ed->app.platform = platform.get(); }
    void compile(const std::string& text) {
        compileScript(ed->pages.scriptEditor.program, text, "bench",
                      [](const std::string&) { return std::string(); });
    }
};

constexpr int32_t kLoopCount = 50000000;

void BM_ScriptArithmeticLoop(benchmark::State& state) {
    Rig rig;
    rig.compile("while r01 l 50000000\r\nadd r02 r01\r\nxor r03 r02\r\ninc r01\r\ncontinue");
    for (auto _ : state) interpretScript(*rig.ed, kScriptStepBudget);
    // Five instructions a pass: the header, three built-ins and the jump back.
    state.counters["instructions/s"] = benchmark::Counter(
        5.0 * kLoopCount * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ScriptArithmeticLoop)->Unit(benchmark::kMillisecond);

void BM_PlainCppLoop(benchmark::State& state) {
    for (auto _ : state) {
        int32_t r1 = 0, r2 = 0, r3 = 0;
        while (r1 < kLoopCount) {
            r2 = int32_t(uint32_t(r2) + uint32_t(r1));
            r3 ^= r2;
            ++r1;
            benchmark::DoNotOptimize(r1);
            benchmark::DoNotOptimize(r2);
            benchmark::DoNotOptimize(r3);
        }
    }
    state.counters["instructions/s"] = benchmark::Counter(
        5.0 * kLoopCount * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainCppLoop)->Unit(benchmark::kMillisecond);

void BM_CompileEveryKeyword(benchmark::State& state) {
    std::string text;
    for (int32_t i = 0; i < kScriptCodeCapacity; ++i) {
        const ScriptKeyword& k = scriptKeywords()[size_t(i) % scriptKeywords().size()];
        text += k.word;
        for (char letter : k.operands)
            text += letter == 'R' ? " r07" : letter == 'V' ? " 123" : " lotag";
        text += "\r\n";
    }
    Rig rig;
    for (auto _ : state) rig.compile(text);
}
BENCHMARK(BM_CompileEveryKeyword)->Unit(benchmark::kMillisecond);

void BM_CompileCommentFile(benchmark::State& state) {
    std::string text;
    while (text.size() < 16u * 1024 * 1024) text += "// a remark about the walls of this room\r\n";
    Rig rig;
    for (auto _ : state) rig.compile(text);
}
BENCHMARK(BM_CompileCommentFile)->Unit(benchmark::kMillisecond);

// Every wall takes its sector's floor tile, on a map filled to capacity, inside the run's edit.
void BM_WallsTakeFloorTileOnAFullMap(benchmark::State& state) {
    Rig rig;
    test::buildSplitRoomGrid(rig.ed->map, 64, 64, 4);
    rig.compile(
        "mov r01 -1\r\nfor each sector r01\r\ngetsector r01 wallptr r02\r\n"
        "getsector r01 wallnum r03\r\nadd r03 r02\r\ngetsector r01 floorpicnum r04\r\n"
        "while r02 l r03\r\nsetwall r02 picnum r04\r\ninc r02\r\ncontinue\r\ncontinue");
    for (auto _ : state) {
        MapEdit edit(rig.ed->map, rig.ed->undo, rig.ed->events, EditUndo::Snapshot);
        interpretScript(*rig.ed, kScriptStepBudget);
        edit.commit();
    }
}
BENCHMARK(BM_WallsTakeFloorTileOnAFullMap)->Unit(benchmark::kMillisecond);

}  // namespace
