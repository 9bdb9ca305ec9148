// What the long sector operations cost: the booleans on two 512-wall polygons in a map of
// 30,000 walls, a split of a 2000-wall sector with 20 holes, a cut across 100 rooms, a rip
// across 200 rooms and the subdivision of 1000 selected walls in a 30,000-wall map. Each run
// starts from the same map; the operations build their sectors through the polygon tool.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "app/Editor.h"
#include "editing/DrawingTool.h"
#include "geometry/LinearCutter.h"
#include "geometry/SectorBooleans.h"
#include "geometry/SectorRips.h"
#include "geometry/SectorSplit.h"
#include "support/GridMaps.h"

namespace korvel {
namespace {

std::unique_ptr<Editor> planEditor() {
    auto ed = std::make_unique<Editor>();
    ed->app.currentPage = Page::PlanView;
    return ed;
}

using Ring = std::vector<IntPoint>;

// A ring stored as an outer loop (shoelace sum of 0 or less) or as a hole.
void appendLoop(MapStore& map, Ring ring, bool hole) {
    int64_t sum = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const IntPoint a = ring[i], b = ring[(i + 1) % ring.size()];
        sum += (int64_t(b.x) - a.x) * (int64_t(a.y) + b.y);
    }
    if ((sum > 0) != hole) std::reverse(ring.begin(), ring.end());
    const int32_t first = map.wallCount, n = int32_t(ring.size());
    for (int32_t i = 0; i < n; ++i) {
        WallRecord& w = map.walls[first + i];
        w = WallRecord{};
        w.x = ring[size_t(i)].x;
        w.y = ring[size_t(i)].y;
        w.point2 = int16_t(first + (i + 1) % n);
        w.nextwall = w.nextsector = -1;
        w.xrepeat = w.yrepeat = 8;
        w.extra = -1;
    }
    map.wallCount += n;
    map.sectors[map.sectorCount - 1].wallnum = int16_t(map.sectors[map.sectorCount - 1].wallnum + n);
}

void appendSector(MapStore& map, const Ring& outer, const std::vector<Ring>& holes = {}) {
    SectorRecord& s = map.sectors[map.sectorCount++];
    s = SectorRecord{};
    s.wallptr = int16_t(map.wallCount);
    s.ceilingz = -16384;
    s.extra = -1;
    appendLoop(map, outer, false);
    for (const Ring& h : holes) appendLoop(map, h, true);
    noteRecordExtent(map);
    updateWallSectnums(map);
}

Ring circle(int32_t cx, int32_t cy, int32_t r, int32_t n) {
    Ring ring;
    for (int32_t i = 0; i < n; ++i) {
        const double t = 2 * M_PI * i / n;
        ring.push_back({cx + int32_t(std::lround(r * std::sin(t))),
                        cy - int32_t(std::lround(r * std::cos(t)))});
    }
    return ring;
}

Ring square(int32_t x, int32_t y, int32_t size) {
    return {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}};
}

// Runs `op` on the editor's map, put back as `base` before every run.
template <typename Op>
void timed(benchmark::State& state, Editor& ed, Op op) {
    const auto base = std::make_unique<MapContent>(ed.map);
    DrawingToolFeed feed(ed);
    for (auto _ : state) {
        state.PauseTiming();
        static_cast<MapContent&>(ed.map) = *base;
        ed.tool.currentTool = Tool::Idle;
        state.ResumeTiming();
        benchmark::DoNotOptimize(op(feed));
    }
    state.counters["walls"] = ed.map.wallCount;
    state.counters["sectors"] = ed.map.sectorCount;
}

// 60 x 62 rooms of 8 walls (29,760 walls) and, beside them, two overlapping 512-gons.
void BM_BooleanOfTwo512WallPolygons(benchmark::State& state) {
    auto ed = planEditor();
    test::buildSplitRoomGrid(ed->map, 60, 62, 0);
    appendSector(ed->map, circle(60000, 10000, 8000, 512));
    appendSector(ed->map, circle(66000, 12000, 8000, 512));
    const int32_t a = ed->map.sectorCount - 2, b = a + 1;
    const auto kind = BooleanKind(state.range(0));
    timed(state, *ed, [&](ShapeFeed& feed) {
        return combineSectors(ed->map, ed->events, feed, kind, a, b) == BooleanResult::Made;
    });
}
BENCHMARK(BM_BooleanOfTwo512WallPolygons)
    ->ArgName("join0_intersect1_subtract2")
    ->Arg(int(BooleanKind::Join))
    ->Arg(int(BooleanKind::Intersect))
    ->Arg(int(BooleanKind::SubtractAB))
    ->Unit(benchmark::kMillisecond);

// A 2000-corner sector with 0 or 20 square holes off its diameter, split along the diameter;
// the counter "split" says whether the split was made.
void BM_SplitOf2000WallSector(benchmark::State& state) {
    auto ed = planEditor();
    const int32_t r = 200000;
    std::vector<Ring> holes;
    for (int32_t i = 0; i < state.range(0); ++i) holes.push_back(square(-100000 + i * 10000, 20000, 4000));
    appendSector(ed->map, circle(0, 0, r, 2000), holes);
    // Corner 500 and corner 1500 of the circle: the diameter along y = 0.
    const MapStore& map = ed->map;
    int32_t a = -1, b = -1;
    for (int32_t w = 0; w < 2000; ++w) {
        if (map.walls[w].x == r && map.walls[w].y == 0) b = w;
        if (map.walls[w].x == -r && map.walls[w].y == 0) a = w;
    }
    const int32_t xs[2] = {r, -r}, ys[2] = {0, 0};
    const SplitPath path{xs, ys, 1};
    bool made = false;
    timed(state, *ed, [&](ShapeFeed& feed) {
        made = a >= 0 && b >= 0 && splitSector(ed->map, ed->events, feed, path, a, b);
        return made;
    });
    state.counters["split"] = made;
}
BENCHMARK(BM_SplitOf2000WallSector)
    ->ArgName("holes")
    ->Arg(0)
    ->Arg(20)
    ->Unit(benchmark::kMillisecond);

// A cut along a row of 100 rooms.
void BM_CutAcross100Sectors(benchmark::State& state) {
    auto ed = planEditor();
    test::buildSplitRoomGrid(ed->map, 100, 1, 0);
    const CutSegment cut{-100, 200, 100 * 512 + 100, 200};
    timed(state, *ed, [&](ShapeFeed& feed) {
        return linearCutter(ed->map, ed->events, feed, cut, false, false);
    });
}
BENCHMARK(BM_CutAcross100Sectors)->Unit(benchmark::kMillisecond);

// 20 x 10 rooms and, as the newest sector, a rectangle overlapping every one of them.
void BM_MultiSectorRipAcross200Sectors(benchmark::State& state) {
    auto ed = planEditor();
    test::buildSplitRoomGrid(ed->map, 20, 10, 0);
    appendSector(ed->map, {{100, 100},
                           {20 * 512 - 100, 100},
                           {20 * 512 - 100, 10 * 512 - 100},
                           {100, 10 * 512 - 100}});
    timed(state, *ed,
          [&](ShapeFeed& feed) { return multiSectorRip(ed->map, ed->events, feed); });
}
BENCHMARK(BM_MultiSectorRipAcross200Sectors)->Unit(benchmark::kMillisecond);

// 29,760 walls, the first 1000 selected (the first row of rooms and part of the second), and
// a comb below the first row whose 60 teeth end on the rooms' top walls.
void BM_SplitWallsAtVerticesOf1000SelectedWalls(benchmark::State& state) {
    auto ed = planEditor();
    test::buildSplitRoomGrid(ed->map, 60, 62, 0);
    Ring comb;
    for (int32_t k = 0; k < 60; ++k) comb.push_back({128 + 512 * k, 0});
    comb.push_back({128 + 512 * 59, -100});
    comb.push_back({128, -100});
    appendSector(ed->map, comb);
    for (int32_t w = 0; w < 1000; ++w) ed->map.wallSelected[w] = 1;
    ed->map.selectedWallCount = 1000;
    timed(state, *ed, [&](ShapeFeed&) {
        return splitWallsAtVertices(ed->map, ed->events, false);
    });
}
BENCHMARK(BM_SplitWallsAtVerticesOf1000SelectedWalls)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
