// One frame of the plan view, as the user waits for it every frame: a map filled to capacity
// (4096 sectors, 32768 walls, 16384 sprites) zoomed out to show all of it, and a map of 1000
// sectors at a working zoom with its labels. Each also with everything selected, which fills
// every sector in the blink's on phase.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/ConfigFile.h"
#include "app/Editor.h"
#include "app/EditorInit.h"
#include "app/FrameLoop.h"
#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "support/GridMaps.h"
#include "ui/Fonts.h"
#include "views/PlanView.h"

namespace korvel {
namespace {

// cols x rows rooms of 512 units with 4 sprites each, tags on some of everything, shown at
// the zoom with the map's centre in the middle of the map view.
std::unique_ptr<Editor> makeScene(int32_t cols, int32_t rows, double zoom, bool selectAll) {
    auto ed = std::make_unique<Editor>();
    applyBuiltInDefaults(configTarget(*ed));
    NativeFileSystem fs;
    loadFontSheets(ed->fonts, fs, KORVEL_DATA_DIR);
    MapStore& map = ed->map;
    test::buildSplitRoomGrid(map, cols, rows, 4);
    for (int32_t s = 0; s < map.sectorCount; s += 3) map.sectors[s].lotag = int16_t(s);
    for (int32_t w = 0; w < map.wallCount; w += 5) map.walls[w].hitag = 7;
    for (int32_t k = 0; k < map.spriteCount; k += 2) map.sprites[k].lotag = 1;
    ed->tileCatalog.tileNames[0] = "SPAWN";
    if (selectAll) {
        map.sectorSelected.fill(1);
        map.wallSelected.fill(1);
        map.vertexSelected.fill(1);
        map.spriteSelected.fill(1);
    }
    ed->hover.hoveredSector = map.sectorCount / 2;
    ed->input.frameTime = 0;  // the blink's on phase
    ed->settings.gridSpacing = autoGridSpacing(zoom);
    // The map's centre in the middle of the map view, 55 rows above the screen's.
    const double cx = cols * 256.0, cy = rows * 256.0;
    ed->view.viewZoom = float(zoom);
    ed->view.viewOriginX = float(-cx);
    ed->view.viewOriginY = float(cy + 55 * zoom);
    return ed;
}

void paintFrames(benchmark::State& state, Editor& ed) {
    int32_t frame = 0;
    for (auto _ : state) {
        draw2DView(ed, frame++);
        benchmark::ClobberMemory();
    }
    state.counters["walls"] = ed.map.wallCount;
    state.counters["lines"] = ed.planView.planWallLineCount;
    state.counters["sprites"] = ed.planView.spriteDrawCount;
}

// The whole 32768-unit square in the 456 rows of the map view.
constexpr double kFullFitZoom = 32768.0 / 440;

void BM_FullMapFitted(benchmark::State& state) {
    auto ed = makeScene(64, 64, kFullFitZoom, state.range(0) != 0);
    paintFrames(state, *ed);
}
BENCHMARK(BM_FullMapFitted)->Arg(0)->Arg(1)->ArgName("selected")->Unit(benchmark::kMillisecond);

// Fitted to the width instead: vertices and sprites are drawn at this zoom.
void BM_FullMapFittedToWidth(benchmark::State& state) {
    auto ed = makeScene(64, 64, 32768.0 / 800, state.range(0) != 0);
    paintFrames(state, *ed);
}
BENCHMARK(BM_FullMapFittedToWidth)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("selected")
    ->Unit(benchmark::kMillisecond);

// 1000 rooms at zoom 4: about 100 rooms on the screen with their labels.
void BM_ThousandSectorsWorkingZoom(benchmark::State& state) {
    auto ed = makeScene(40, 25, 4, state.range(0) != 0);
    paintFrames(state, *ed);
}
BENCHMARK(BM_ThousandSectorsWorkingZoom)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("selected")
    ->Unit(benchmark::kMillisecond);

void BM_ThousandSectorsFitted(benchmark::State& state) {
    auto ed = makeScene(40, 25, 20480.0 / 800, state.range(0) != 0);
    paintFrames(state, *ed);
}
BENCHMARK(BM_ThousandSectorsFitted)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("selected")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
