// The side view as the user waits for it: rebuilding a section's slices after an edit on a map
// filled to capacity, and one frame of that section with every sector selected (every slice
// filled), of a wall whose 1024 x 1024 tile is magnified over the whole view, and of a line
// along 2000 sprites drawn with their pictures.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/ConfigFile.h"
#include "app/Editor.h"
#include "app/EditorInit.h"
#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "support/GridMaps.h"
#include "ui/Fonts.h"
#include "views/SideView.h"

namespace korvel {
namespace {

std::unique_ptr<Editor> makeEditor() {
    auto ed = std::make_unique<Editor>();
    applyBuiltInDefaults(configTarget(*ed));
    NativeFileSystem fs;
    loadFontSheets(ed->fonts, fs, KORVEL_DATA_DIR);
    ed->input.frameTime = 0;  // the blink's on phase
    ed->app.helpPopupStep = -1;
    return ed;
}

// Tile t of w x h pixels of a pattern, alone in the pixel store.
void giveTile(TileStore& tiles, int32_t t, int16_t w, int16_t h) {
    const size_t n = size_t(w) * size_t(h);
    tiles.artPixels.assign(1 + n + size_t(kArtPadding), 0);
    for (size_t i = 0; i < n; ++i) tiles.artPixels[1 + i] = uint8_t(i % 251);
    tiles.tileOffsets[size_t(t)] = 0;
    tiles.tileWidths[size_t(t)] = w;
    tiles.tileHeights[size_t(t)] = h;
    tiles.artLoaded = 1;
}

// 64 x 64 rooms of 512 units (4096 sectors, 32768 walls, 16384 sprites) and a section from
// corner to corner, slightly off the vertices, fitted to the view's width.
std::unique_ptr<Editor> makeSectionScene(bool selectAll) {
    auto ed = makeEditor();
    test::buildSplitRoomGrid(ed->map, 64, 64, 4);
    if (selectAll) ed->map.sectorSelected.fill(1);
    ViewState& v = ed->view;
    v.sideViewSubjectKind = SideViewSubjectKind::Section;
    v.sideViewX1 = -100;
    v.sideViewY1 = 7;
    v.sideViewX2 = 32868;
    v.sideViewY2 = 32800;
    v.sideViewScale = 46500.0f / 800;
    v.sideViewOriginX = -46500.0f / 2;
    v.sideViewOriginZ = -512;
    return ed;
}

void paintFrames(benchmark::State& state, Editor& ed) {
    int32_t frame = 0;
    for (auto _ : state) {
        drawSideView(ed, frame++);
        benchmark::ClobberMemory();
    }
    state.counters["slices"] = ed.view.sectionSliceCount;
    state.counters["sprites"] = ed.planView.spriteDrawCount;
}

void BM_BuildSectionSlicesFullMap(benchmark::State& state) {
    auto ed = makeSectionScene(false);
    for (auto _ : state) {
        buildSideViewSlices(*ed);
        benchmark::ClobberMemory();
    }
    state.counters["slices"] = ed->view.sectionSliceCount;
}
BENCHMARK(BM_BuildSectionSlicesFullMap)->Unit(benchmark::kMillisecond);

void BM_DrawSectionAllSelected(benchmark::State& state) {
    auto ed = makeSectionScene(true);
    buildSideViewSlices(*ed);
    paintFrames(state, *ed);
}
BENCHMARK(BM_DrawSectionAllSelected)->Unit(benchmark::kMillisecond);

// Wall 0 of the grid (256 units) at a quarter unit per pixel: 1024 columns and 4096 rows of
// wall behind the 800 x 456 view, each texel of the 1024 x 1024 tile several pixels wide.
void BM_DrawMagnifiedWall(benchmark::State& state) {
    auto ed = makeEditor();
    test::buildSplitRoomGrid(ed->map, 4, 4, 0);
    giveTile(ed->tiles, 0, 1024, 1024);
    const WallRecord& w = ed->map.walls[0];
    const WallRecord& end = ed->map.walls[w.point2];
    ViewState& v = ed->view;
    v.sideViewSubjectKind = SideViewSubjectKind::Wall;
    v.sideViewSubject = 0;
    v.sideViewX1 = w.x;
    v.sideViewY1 = w.y;
    v.sideViewX2 = end.x;
    v.sideViewY2 = end.y;
    v.sideViewScale = 0.25f;
    v.sideViewOriginX = -128;
    v.sideViewOriginZ = -512;
    ed->map.walls[0].xrepeat = 8;
    ed->map.walls[0].yrepeat = 8;
    buildSideViewSlices(*ed);
    paintFrames(state, *ed);
}
BENCHMARK(BM_DrawMagnifiedWall)->Unit(benchmark::kMillisecond);

// 2000 sprites 8 units apart along a line of 16000 units, with 64 x 64 pictures at repeats 32,
// the line fitted to the view: each picture about 21 x 13 pixels, neighbours overlapping.
void BM_DrawLineAlong2000Sprites(benchmark::State& state) {
    auto ed = makeEditor();
    MapStore& map = ed->map;
    test::buildSplitRoomGrid(map, 32, 1, 0);
    for (int32_t k = 0; k < 2000; ++k) {
        SpriteRecord& sp = map.sprites[map.spriteCount++];
        sp = SpriteRecord{};
        sp.x = 8 * k;
        sp.y = 250;
        sp.z = -k % 7 * 256;
        sp.xrepeat = sp.yrepeat = 32;
        sp.sectnum = int16_t(sp.x / 512);
        sp.owner = sp.extra = -1;
        if (k % 3 == 0) sp.cstat = kSpriteWallAligned;
    }
    giveTile(ed->tiles, 0, 64, 64);
    ed->settings.spritesFull = 1;
    ViewState& v = ed->view;
    v.sideViewSubjectKind = SideViewSubjectKind::Section;
    v.sideViewX1 = -10;
    v.sideViewY1 = 250;
    v.sideViewX2 = 16010;
    v.sideViewY2 = 250;
    v.sideViewScale = 20;
    v.sideViewOriginX = -8000;
    v.sideViewOriginZ = -128;
    buildSideViewSlices(*ed);
    paintFrames(state, *ed);
}
BENCHMARK(BM_DrawLineAlong2000Sprites)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
