// One frame of each dialog painter on a started editor, at the sizes a user can reach: the tile
// picker's 336 small cells of tiles from 1 x 1 to 32767 x 200 with their counts, the array
// dialog with the whole angle disc, and each generator page at its drawing cap (512 strips,
// sides and rings).
#include <benchmark/benchmark.h>

#include <climits>
#include <filesystem>
#include <memory>
#include <string>

#include "StartedEditor.h"
#include "app/Editor.h"
#include "app/Startup.h"
#include "pages/ArchSetup.h"
#include "pages/ArrayTool.h"
#include "pages/HelpViewer.h"
#include "pages/ReelSetup.h"
#include "pages/SphereSetup.h"
#include "pages/TilePicker.h"
#include "platform/HeadlessPlatform.h"

namespace {

using namespace korvel;

using Started = StartedEditor;

Started& started() {
    static Started s;
    return s;
}

void BM_TilePickerSmallCells(benchmark::State& state) {
    Editor& ed = *started().ed;
    // Every tile shares one picture buffer large enough for the largest size.
    constexpr int16_t kSizes[][2] = {{1, 1},    {16, 16}, {32, 200}, {64, 64},
                                     {100, 20}, {200, 100}, {1000, 50}, {32767, 200}};
    ed.tiles.artPixels.assign(size_t(32767) * 200 + 1, 0);
    for (size_t i = 1; i < ed.tiles.artPixels.size(); ++i) ed.tiles.artPixels[i] = uint8_t(i * 13);
    auto& list = ed.tileCatalog.tileList;
    std::fill(list.begin(), list.end(), -1);
    for (int32_t t = 0; t < 336; ++t) {
        ed.tiles.tileWidths[size_t(t)] = kSizes[t % 8][0];
        ed.tiles.tileHeights[size_t(t)] = kSizes[t % 8][1];
        ed.tiles.tileOffsets[size_t(t)] = 0;
        list[size_t(t)] = t;
        ed.tileCatalog.tileUseCounts[size_t(t)] = 32768 + t;
    }
    ed.settings.smallImages = 1;
    ed.pages.tilePicker = {};
    ed.pages.tilePicker.tilePickerCursor = 100;
    for (auto _ : state) {
        drawTilePicker(ed);
        ++ed.loop.frameNumber;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TilePickerSmallCells)->Unit(benchmark::kMillisecond);

void BM_ArrayDialogWholeDisc(benchmark::State& state) {
    Editor& ed = *started().ed;
    ArrayToolState& a = ed.pages.arrayTool;
    a.arrayPattern = 3;
    a.arrayOption6 = 1;
    a.arrayAngleCenter = 4500;
    a.arrayAngleRange = 18000;
    for (int32_t& v : a.arraySteps) v = INT32_MIN;
    ed.app.focusedField = 110;
    for (auto _ : state) {
        drawSpriteArrayDialog(ed);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ArrayDialogWholeDisc)->Unit(benchmark::kMillisecond);

void BM_ReelAtTheCap(benchmark::State& state) {
    Editor& ed = *started().ed;
    ed.pages.reelSetup.reelB = 7000;
    ed.pages.reelSetup.reelC = INT32_MAX;
    for (auto _ : state) {
        drawReelToolPage(ed);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ReelAtTheCap)->Unit(benchmark::kMillisecond);

void BM_ArchAtTheCap(benchmark::State& state) {
    Editor& ed = *started().ed;
    ed.pages.archSetup = {8192, -24288, 2048, 0, 16384, INT32_MAX};
    for (auto _ : state) {
        drawArchToolPage(ed);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ArchAtTheCap)->Unit(benchmark::kMillisecond);

void BM_SphereAtTheCap(benchmark::State& state) {
    Editor& ed = *started().ed;
    ed.pages.sphereSetup = {16384, -16384, INT32_MAX, -16384, 16384, INT32_MAX, 1024};
    for (auto _ : state) {
        drawSphereToolPage(ed);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SphereAtTheCap)->Unit(benchmark::kMillisecond);

void BM_DocumentViewer(benchmark::State& state) {
    Editor& ed = *started().ed;
    ed.help.documentHeight = 5000;
    ed.help.documentScroll = 1200;
    ed.app.hoveredWidget = 14001;
    for (auto _ : state) {
        drawDocumentViewer(ed);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DocumentViewer)->Unit(benchmark::kMillisecond);

}  // namespace
