// What the mouse's selection and drags cost on big maps: an area selection, rectangle and
// circle, over a map filled to capacity (4096 sectors, 32768 walls, 16384 sprites), and the
// release of a move of 1000 selected sectors (about 8000 walls) in a map of about 30000 walls,
// whose repair pass relinks every marked wall.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/ConfigFile.h"
#include "app/Editor.h"
#include "app/EditorInit.h"
#include "editing/DragCommit.h"
#include "editing/MapPress.h"
#include "editing/SelectionInput.h"
#include "map/Selection.h"
#include "support/GridMaps.h"

namespace korvel {
namespace {

std::unique_ptr<Editor> gridMap(int32_t cols, int32_t rows) {
    auto ed = std::make_unique<Editor>();
    applyBuiltInDefaults(configTarget(*ed));
    test::buildSplitRoomGrid(ed->map, cols, rows, 4);
    return ed;
}

// Modes sectors (the costliest tests) and sprites-and-vertices, over half the map.
void BM_SelectByArea(benchmark::State& state) {
    auto ed = gridMap(64, 64);
    ed->tool.selAreaMode = uint8_t(state.range(0));
    ed->tool.selectionMode = state.range(1) ? SelectionMode::Sectors : SelectionMode::SpritesAndVertices;
    ed->dispatch.areaAnchorX = 8000;
    ed->dispatch.areaAnchorY = 8000;
    ed->hover.hitPointX = 24000;
    ed->hover.hitPointY = 24000;
    for (auto _ : state) {
        selectByArea(*ed);
        benchmark::DoNotOptimize(ed->map.selectedSectorCount);
    }
    state.counters["sectors"] = ed->map.selectedSectorCount;
    state.counters["vertices"] = ed->map.selectedVertexCount;
}
BENCHMARK(BM_SelectByArea)
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({0, 0})
    ->Args({1, 0})
    ->ArgNames({"circle", "sectors"})
    ->Unit(benchmark::kMillisecond);

// 1000 of 3782 rooms selected (62 x 61 rooms, about 30000 walls), pressed and moved by 64.
void BM_CommitSectorMove(benchmark::State& state) {
    auto ed = gridMap(62, 61);
    ed->app.currentPage = Page::PlanView;
    ed->cursor.cursorShape = CursorShape::MapCross;
    ed->tool.selectionMode = SelectionMode::Sectors;
    ed->tool.dragKind = DragKind::Move;
    ed->dispatch.ctrlHeld = 1;
    const auto original = std::make_unique<MapStore>(ed->map);
    for (auto _ : state) {
        state.PauseTiming();
        static_cast<MapContent&>(ed->map) = *original;
        for (int32_t s = 0; s < 1000; ++s) ed->map.sectorSelected[s] = 1;
        ed->map.selectedSectorCount = 1000;
        ed->hover.hitPointX = ed->hover.hitPointY = 100;
        pressInMap(*ed);
        ed->hover.hitPointX = 164;
        state.ResumeTiming();
        commitDrag(*ed);
    }
    state.counters["walls"] = ed->map.wallCount;
    int32_t moved = 0;
    for (int32_t w = 0; w < ed->map.wallCount; ++w)
        moved += ed->map.walls[w].x != original->walls[w].x;
    state.counters["moved walls"] = moved;
}
BENCHMARK(BM_CommitSectorMove)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
