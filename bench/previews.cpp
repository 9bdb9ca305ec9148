// What the previews cost every frame at their limits: the terrain and profile previews filling
// both overlay lists (32768 entries), the drag preview turning a map filled to capacity (32768
// walls, 16384 sprites), and the plan view's overlays with both lists full, 1024 light sources
// and a region circle of radius 65536 pixels.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ConfigFile.h"
#include "app/Editor.h"
#include "app/EditorInit.h"
#include "base/FileSystem.h"
#include "editing/DrawVertexList.h"
#include "editing/InputDispatcher.h"
#include "platform/NativeFileSystem.h"
#include "support/GridMaps.h"
#include "ui/Fonts.h"
#include "views/DragPreview.h"
#include "views/MapOverlays.h"
#include "views/PlanFrame.h"
#include "views/PlanView.h"
#include "views/ToolPreview.h"

namespace korvel {
namespace {

struct PreviewScene {
    ToolState tool;
    std::unique_ptr<DrawVertexList> points = std::make_unique<DrawVertexList>();
    HoverState hover;
    std::unique_ptr<MapStore> map = std::make_unique<MapStore>();
    Languages langs;
    std::unique_ptr<OverlayLists> lists = std::make_unique<OverlayLists>();
    std::string label;
    std::vector<ContourSegment> contour;
    ToolPreviewParams params;

    PreviewScene(Tool t) {
        tool.currentTool = t;
        appendToolPoint(*points, 0, 0);
        hover.hitPointX = 60000;
        hover.hitPointY = 1000;
    }
    void build() {
        ToolPreviewFrame f{tool, *points, hover, false, false, *map, 0, langs, *lists, label};
        f.params = params;
        f.params.contour = contour.data();
        buildToolPreview(f);
    }
};

void runPreview(benchmark::State& state, PreviewScene& scene) {
    for (auto _ : state) {
        scene.build();
        benchmark::DoNotOptimize(scene.lists->overlayLineCount);
    }
    state.counters["lines"] = scene.lists->overlayLineCount;
    state.counters["points"] = scene.lists->overlayPointCount;
}

// 100 x 100 triangles: three lines and three points each, so the lists fill at 10923.
void BM_TerrainPreviewFull(benchmark::State& state) {
    PreviewScene scene(Tool::TerrainFromTile);
    scene.params.terrainParamA = scene.params.terrainParamB = 100;
    runPreview(state, scene);
}
BENCHMARK(BM_TerrainPreviewFull)->Unit(benchmark::kMicrosecond);

// 64 sections of 128 segments: four lines and four points each, 32768 of each.
void BM_ProfilePreviewFull(benchmark::State& state) {
    PreviewScene scene(state.range(0) ? Tool::ProfileRevolve : Tool::ProfileSweep);
    scene.contour.assign(128, ContourSegment{100, 0, 0, 200, 0, 0});
    scene.params.contourCount = 128;
    scene.tool.toolDetail = 64;
    runPreview(state, scene);
}
BENCHMARK(BM_ProfilePreviewFull)->Arg(0)->Arg(1)->ArgName("revolve")->Unit(benchmark::kMicrosecond);

// A map filled to capacity, everything selected.
std::unique_ptr<Editor> fullMapEditor() {
    auto ed = std::make_unique<Editor>();
    applyBuiltInDefaults(configTarget(*ed));
    NativeFileSystem fs;
    loadFontSheets(ed->fonts, fs, KORVEL_DATA_DIR);
    MapStore& map = ed->map;
    test::buildSplitRoomGrid(map, 64, 64, 4);
    map.sectorSelected.fill(1);
    map.wallSelected.fill(1);
    map.vertexSelected.fill(1);
    map.spriteSelected.fill(1);
    map.selectedSectorCount = map.sectorCount;
    map.selectedWallCount = map.selectedVertexCount = map.wallCount;
    map.selectedSpriteCount = map.spriteCount;
    return ed;
}

// Every wall and sprite turned with the selection: the walls' lines fill the list.
void BM_DragPreviewTurnFullMap(benchmark::State& state) {
    auto ed = fullMapEditor();
    MapStore& map = ed->map;
    map.movedWallCount = kAllWallsMarked;
    for (int32_t w = 0; w < map.wallCount; ++w) map.wallMoveState[w] = 3;
    ed->tool.selectionMode = SelectionMode::SpritesAndVertices;
    ed->tool.dragKind = DragKind::Rotate;
    ed->tool.draggedSprite = 16777215;
    ed->input.mouseY = 390;
    ed->app.dragStartMouseY = 300;
    ed->input.keyStates[kLeftButton] = -1;
    int32_t walls = 0;
    for (auto _ : state) {
        resetOverlayLists(ed->overlays);
        buildDragPreview(*ed);
        walls = ed->overlays.overlayLineCount;
        benchmark::DoNotOptimize(walls);
    }
    state.counters["walls"] = map.wallCount;
    state.counters["sprites"] = map.spriteCount;
    state.counters["lines"] = walls;
    state.counters["points"] = ed->overlays.overlayPointCount;
}
BENCHMARK(BM_DragPreviewTurnFullMap)->Unit(benchmark::kMicrosecond);

// Both lists full of lines and points spread over the view, 1024 light sources, and the region
// circle's rim far outside the screen.
void BM_MapOverlaysFull(benchmark::State& state) {
    auto ed = fullMapEditor();
    ed->view.viewZoom = 32768.0f / 440;
    ed->view.viewOriginX = -16384;
    ed->view.viewOriginY = 16384;
    OverlayLists& lists = ed->overlays;
    resetOverlayLists(lists);
    for (int32_t i = 0; i < kOverlayCapacity; ++i) {
        const int32_t x = (i * 37) % 32768, y = (i * 101) % 32768;
        appendOverlayLine(lists, x, y, x + 300, y + 200, i % 2 ? OverlayLineKind::Outline : OverlayLineKind::Guide);
        appendOverlayPoint(lists, x, y);
    }
    MapStore& map = ed->map;
    map.lightSpriteCount = 1024;
    for (int32_t i = 0; i < 1024; ++i) map.lightSprites[size_t(i)] = i * 16;
    ed->dispatch.areaSelectLatch = 1;
    ed->tool.selAreaMode = 1;
    ed->hover.hitPointX = ed->hover.hitPointY = 16384;
    ed->dispatch.areaAnchorX = 16384 + int32_t(65536 * ed->view.viewZoom);
    ed->dispatch.areaAnchorY = 16384;
    PlanFrame pf = planFrameOf(*ed);
    int32_t frame = 0;
    for (auto _ : state) {
        drawMapOverlays(pf, frame++);
        benchmark::ClobberMemory();
    }
    state.counters["lines"] = lists.overlayLineCount;
    state.counters["points"] = lists.overlayPointCount;
}
BENCHMARK(BM_MapOverlaysFull)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
