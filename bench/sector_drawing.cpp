// What drawing sectors costs a frame: the tool preview of a long polygon and of a drawing that
// fills the preview lists, and the Space press that closes a room against its neighbours in a
// map of 30,000 walls or adds an inner loop to its first sector (undo snapshot included).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/Editor.h"
#include "editing/PrimaryAction.h"
#include "geometry/ShapeCompletion.h"
#include "support/GridMaps.h"
#include "views/ToolPreview.h"

namespace korvel {
namespace {

std::unique_ptr<Editor> planEditor() {
    auto ed = std::make_unique<Editor>();
    ed->app.currentPage = Page::PlanView;
    return ed;
}

// A polygon of n points placed so far (a zigzag, so no two are equal) and the pointer beyond.
void placePolygon(Editor& ed, int32_t n) {
    ed.tool.currentTool = Tool::DrawPolygon;
    ed.tool.toolDrawMode = DrawMode::FreeSpace;
    DrawVertexList& list = ed.drawVertices;
    for (int32_t i = 0; i < n; ++i) {
        list.toolPointsX[i] = i * 16;
        list.toolPointsY[i] = (i % 2) * 64;
    }
    list.toolPointCount = n;
    ed.hover.hitPointX = n * 16;
    ed.hover.hitPointY = 512;
}

void BM_ToolPreviewOfPolygon(benchmark::State& state) {
    auto ed = planEditor();
    placePolygon(*ed, int32_t(state.range(0)));
    for (auto _ : state) {
        buildToolPreview(*ed);
        benchmark::DoNotOptimize(ed->overlays.overlayPointCount);
    }
    state.counters["entries"] = ed->overlays.overlayPointCount;
}
BENCHMARK(BM_ToolPreviewOfPolygon)->Arg(1000)->Arg(32767)->Unit(benchmark::kMicrosecond);

// 60 x 62 rooms of 8 walls: 29,760 walls.
constexpr int32_t kCols = 60, kRows = 62;

// Times the press at p0 that closes the polygon `corners` (already placed), the map put back
// between runs.
void closeTimed(benchmark::State& state, const std::vector<IntPoint>& corners, int32_t mode,
                int32_t target) {
    auto ed = planEditor();
    test::buildSplitRoomGrid(ed->map, kCols, kRows, 0);
    auto base = std::make_unique<MapContent>(ed->map);
    for (auto _ : state) {
        state.PauseTiming();
        static_cast<MapContent&>(ed->map) = *base;
        ed->tool.currentTool = Tool::DrawPolygon;
        ed->tool.toolDrawMode = mode;
        ed->tool.toolTargetSector = target;
        DrawVertexList& list = ed->drawVertices;
        for (size_t i = 0; i < corners.size(); ++i) {
            list.toolPointsX[int32_t(i)] = corners[i].x;
            list.toolPointsY[int32_t(i)] = corners[i].y;
        }
        list.toolPointCount = int32_t(corners.size());
        ed->hover.hitPointX = corners[0].x;
        ed->hover.hitPointY = corners[0].y;
        buildToolPreview(*ed);
        state.ResumeTiming();
        hitSpace(*ed);
        benchmark::DoNotOptimize(ed->map.sectorCount);
    }
    state.counters["walls"] = ed->map.wallCount;
    state.counters["sectors"] = ed->map.sectorCount;
}

// A room of 64 corners against the grid's right side: 62 of them on the rooms' corners there.
void BM_SpaceClosesRoomAgainstNeighbours(benchmark::State& state) {
    const int32_t right = kCols * 512;
    std::vector<IntPoint> corners;
    for (int32_t i = 0; i < 62; ++i) corners.push_back({right, i * 256});
    corners.push_back({right + 1024, 61 * 256});
    corners.push_back({right + 1024, 0});
    closeTimed(state, corners, DrawMode::FromVertex, 0);
}
BENCHMARK(BM_SpaceClosesRoomAgainstNeighbours)->Unit(benchmark::kMillisecond);

// A square inside the first room: every later wall moves.
void BM_SpaceAddsInnerLoopToSectorZero(benchmark::State& state) {
    closeTimed(state, {{128, 128}, {384, 128}, {384, 384}, {128, 384}}, DrawMode::InsideSector, 0);
}
BENCHMARK(BM_SpaceAddsInnerLoopToSectorZero)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
