// What the frame spends on the pointer and the keys: hovering over a map filled to capacity
// (4096 sectors, 32768 walls, 16384 sprites) with the pointer inside a sector and outside them
// all, the keyboard dispatcher with every bound key pressed at once, and a bookmark recall.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/ConfigFile.h"
#include "app/Editor.h"
#include "app/EditorInit.h"
#include "commands/CommandTable.h"
#include "editing/HoverPicking.h"
#include "editing/KeyboardDispatcher.h"
#include "support/GridMaps.h"
#include "views/ViewBookmarks.h"

namespace korvel {
namespace {

std::unique_ptr<Editor> fullMap() {
    auto ed = std::make_unique<Editor>();
    applyBuiltInDefaults(configTarget(*ed));
    test::buildSplitRoomGrid(ed->map, 64, 64, 4);
    ed->settings.snapToGrid = 1;
    return ed;
}

// The pointer over the middle of the map at a working zoom, or beside it, outside every
// sector, where only the one-sided walls are candidates.
void BM_HoverFullMap(benchmark::State& state) {
    auto ed = fullMap();
    const bool inside = state.range(0) != 0;
    ed->view.viewZoom = 4;
    ed->view.viewOriginX = inside ? -16384.f - 100 : 1000.f;
    ed->view.viewOriginY = inside ? 16384.f + 100 : -1000.f;
    ed->input.mouseX = 400;
    ed->input.mouseY = 300;
    HoverState& h = ed->hover;
    for (auto _ : state) {
        h.hoveredVertex = h.hoveredSprite = h.hoveredSector = h.hoveredWall = -1;
        hoverPlanView(*ed);
        benchmark::DoNotOptimize(h.hoveredWall);
    }
    state.counters["sector"] = ed->hover.hoveredSector;
    state.counters["wall"] = ed->hover.hoveredWall;
}
BENCHMARK(BM_HoverFullMap)->Arg(1)->Arg(0)->ArgName("inside")->Unit(benchmark::kMillisecond);

// Every key some binding names pressed in one frame, with no modifier held, on the plan view.
void BM_ProcessKeysEveryBoundKey(benchmark::State& state) {
    auto ed = fullMap();
    InputState pressed = ed->input;
    for (const CommandRow& row : commandTable())
        for (const KeyChord& c : row.chords)
            if (c.key != 0) pressed.keyPressed[c.key] = 1;
    for (auto _ : state) {
        state.PauseTiming();
        ed->input = pressed;
        state.ResumeTiming();
        fireKeyBindings(*ed);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ProcessKeysEveryBoundKey)->Unit(benchmark::kMicrosecond);

void BM_BookmarkRecallAtCapacity(benchmark::State& state) {
    auto ed = fullMap();
    for (int32_t k = 0; k < ed->map.spriteCount; k += 2) ed->map.spriteSelected[k] = 1;
    storeBookmark(ed->bookmarks, 4, ed->view, ed->map, ed->settings);
    for (auto _ : state) {
        recallBookmark(ed->bookmarks, 4, ed->view, ed->viewMotion, ed->map, ed->settings);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BookmarkRecallAtCapacity)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
