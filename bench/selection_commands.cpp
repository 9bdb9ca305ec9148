// What the selection keys and the search page cost on a map filled to capacity: select all,
// invert, converting between sectors and walls, selecting walls by a template, growing over
// every sector, and deleting every sprite or a thousand vertices.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/Editor.h"
#include "commands/SelectionCommands.h"
#include "map/Selection.h"
#include "pages/Search.h"
#include "support/GridMaps.h"

namespace korvel {
namespace {

std::unique_ptr<Editor> fullEditor() {
    auto ed = std::make_unique<Editor>();
    test::buildSplitRoomGrid(ed->map, 64, 64, 4);
    updateWallSectnums(ed->map);
    ed->app.currentPage = Page::PlanView;
    return ed;
}

void BM_SelectAllWalls(benchmark::State& state) {
    auto ed = fullEditor();
    ed->tool.selectionMode = SelectionMode::Walls;
    for (auto _ : state) {
        selectAll(*ed);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SelectAllWalls)->Unit(benchmark::kMillisecond);

void BM_InvertSprites(benchmark::State& state) {
    auto ed = fullEditor();
    ed->tool.selectionMode = SelectionMode::Sprites;
    for (auto _ : state) {
        invertSelectionCommand(*ed);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_InvertSprites)->Unit(benchmark::kMillisecond);

// Every sector selected, converted to walls, and back.
void BM_ConvertSectorsAndWalls(benchmark::State& state) {
    auto ed = fullEditor();
    for (auto _ : state) {
        state.PauseTiming();
        deselectWalls(ed->map);
        for (int32_t s = 0; s < ed->map.sectorCount; ++s) ed->map.sectorSelected[size_t(s)] = 1;
        recountSelection(ed->map);
        state.ResumeTiming();
        ed->tool.selectionMode = SelectionMode::Walls;
        convertSelection(*ed);
        ed->tool.selectionMode = SelectionMode::Sectors;
        convertSelection(*ed);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ConvertSectorsAndWalls)->Unit(benchmark::kMillisecond);

void BM_SelectWallsByTemplate(benchmark::State& state) {
    auto ed = fullEditor();
    SearchState& s = ed->pages.search;
    s.searchObjectKind = uint8_t(SearchObjectKind::Walls);
    s.propertyState.fill(1);
    s.propertyState[5] = 0;  // cstat 0
    s.propertyValues[5] = 0;
    for (auto _ : state) {
        selectByTemplate(*ed);
        benchmark::ClobberMemory();
    }
    state.counters["walls"] = ed->map.selectedWallCount;
}
BENCHMARK(BM_SelectWallsByTemplate)->Unit(benchmark::kMillisecond);

void BM_GrowOverEverySector(benchmark::State& state) {
    auto ed = fullEditor();
    SearchState& s = ed->pages.search;
    s.searchObjectKind = uint8_t(SearchObjectKind::Sectors);
    s.propertyState.fill(1);
    for (auto _ : state) {
        state.PauseTiming();
        deselectSectors(ed->map);
        ed->map.sectorSelected[0] = 1;
        ed->map.selectedSectorCount = 1;
        state.ResumeTiming();
        growSelectionByTemplate(*ed);
        benchmark::ClobberMemory();
    }
    state.counters["sectors"] = ed->map.selectedSectorCount;
}
BENCHMARK(BM_GrowOverEverySector)->Unit(benchmark::kMillisecond);

void BM_DeleteEverySprite(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto ed = fullEditor();
        ed->tool.selectionMode = SelectionMode::Sprites;
        for (int32_t k = 0; k < ed->map.spriteCount; ++k) ed->map.spriteSelected[size_t(k)] = 1;
        recountSelection(ed->map);
        state.ResumeTiming();
        deleteSelected(*ed);
        benchmark::ClobberMemory();
        state.PauseTiming();
        ed.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteEverySprite)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DeleteThousandVertices(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto ed = fullEditor();
        ed->tool.selectionMode = SelectionMode::Vertices;
        // The middle points of the rooms' sides: each can go without breaking a room.
        int32_t n = 0;
        for (int32_t w = 1; w < ed->map.wallCount && n < 1000; w += 16, ++n)
            ed->map.vertexSelected[size_t(w)] = 1;
        recountSelection(ed->map);
        state.ResumeTiming();
        deleteSelected(*ed);
        benchmark::ClobberMemory();
        state.PauseTiming();
        ed.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteThousandVertices)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korvel
