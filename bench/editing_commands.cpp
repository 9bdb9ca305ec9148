// What a user waits for in the single-key edits: Ctrl+Right moving every sector of a map filled
// to capacity, and moving a thousand selected sectors, which auto-repeat asks for every frame.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/Editor.h"
#include "commands/ValueGridCommands.h"
#include "map/Selection.h"
#include "support/GridMaps.h"

namespace korvel {
namespace {

std::unique_ptr<Editor> fullEditor(int32_t selectedSectors) {
    auto ed = std::make_unique<Editor>();
    test::buildSplitRoomGrid(ed->map, 64, 64, 4);
    for (int32_t s = 0; s < selectedSectors; ++s) ed->map.sectorSelected[size_t(s)] = 1;
    recountSelection(ed->map);
    ed->app.currentPage = Page::PlanView;
    ed->settings.gridSpacing = 64;
    return ed;
}

// One nudge right; the next iteration nudges back so the map keeps its shape.
void nudgeBackAndForth(benchmark::State& state, int32_t selected) {
    auto ed = fullEditor(selected);
    bool right = true;
    for (auto _ : state) {
        (right ? nudgeSelectionRight : nudgeSelectionLeft)(*ed);
        right = !right;
        benchmark::ClobberMemory();
    }
    state.counters["sectors"] = ed->map.selectedSectorCount;
}

void BM_NudgeWholeFullMap(benchmark::State& state) {
    nudgeBackAndForth(state, kMaxSectors);
}
BENCHMARK(BM_NudgeWholeFullMap)->Unit(benchmark::kMillisecond);

void BM_NudgeThousandSectors(benchmark::State& state) {
    nudgeBackAndForth(state, 1000);
}
BENCHMARK(BM_NudgeThousandSectors)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
