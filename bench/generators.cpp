// What the larger building tools cost: a 64-strip reel, a 32 x 16 sphere and a 40 x 40 terrain
// built through the polygon tool beside a 10,000-wall map, 1000 array copies of 10 sprites, and
// the light of 1000 sectors from 16 lights and of one floor point from 4 lights.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/Editor.h"
#include "editing/DrawingTool.h"
#include "geometry/ArrayTool.h"
#include "geometry/Generators.h"
#include "geometry/Lighting.h"
#include "geometry/Terrain.h"
#include "geometry/TextureAlignment.h"
#include "support/GridMaps.h"

namespace korvel {
namespace {

// 35 x 36 rooms of 8 walls: 10,080 walls.
std::unique_ptr<Editor> tenThousandWalls() {
    auto ed = std::make_unique<Editor>();
    ed->app.currentPage = Page::PlanView;
    test::buildSplitRoomGrid(ed->map, 35, 36, 0);
    return ed;
}

template <typename Op>
void timed(benchmark::State& state, Editor& ed, Op op) {
    const auto base = std::make_unique<MapContent>(ed.map);
    DrawingToolFeed feed(ed);
    for (auto _ : state) {
        state.PauseTiming();
        static_cast<MapContent&>(ed.map) = *base;
        ed.tool.currentTool = Tool::Idle;
        state.ResumeTiming();
        op(feed);
    }
    state.counters["walls"] = ed.map.wallCount;
    state.counters["sectors"] = ed.map.sectorCount;
}

void BM_Reel64Strips(benchmark::State& state) {
    auto ed = tenThousandWalls();
    timed(state, *ed, [&](ShapeFeed& feed) {
        return buildReel(ed->map, ed->events, feed, {0, 10000, 64, 2048}, {0, -20000},
                         {16000, -20000});
    });
}
BENCHMARK(BM_Reel64Strips)->Unit(benchmark::kMillisecond);

void BM_Sphere32x16(benchmark::State& state) {
    auto ed = tenThousandWalls();
    timed(state, *ed, [&](ShapeFeed& feed) {
        return buildSphere(ed->map, ed->events, feed, {0, -16384, 32, 4096, 4096, 16},
                           {40000, -20000}, {48000, -20000});
    });
}
BENCHMARK(BM_Sphere32x16)->Unit(benchmark::kMillisecond);

void BM_Terrain40x40(benchmark::State& state) {
    auto ed = tenThousandWalls();
    std::vector<uint8_t> pixels(64 * 64);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t((i * 37) ^ (i >> 6));
    TerrainPicture pic;
    pic.width = pic.height = 64;
    pic.pixels = pixels;
    for (int32_t i = 0; i < 256; ++i) pic.level[size_t(i)] = uint8_t(i);
    const IntPoint p0{0, 30000};
    const auto tris = terrainTriangles(p0, 41 * 512, 40, 40);
    int32_t loops = 0;
    timed(state, *ed, [&](ShapeFeed& feed) {
        loops = buildTerrainFromTile(ed->map, ed->events, feed, {40, 40, 8192}, pic, p0, 41 * 512,
                                     tris)
                    .referenceLoops;
    });
    state.counters["referenceLoops"] = loops;
}
BENCHMARK(BM_Terrain40x40)->Unit(benchmark::kMillisecond);

void BM_Array1000CopiesOf10Sprites(benchmark::State& state) {
    auto ed = std::make_unique<Editor>();
    test::buildSplitRoomGrid(ed->map, 4, 4, 0);
    for (int32_t k = 0; k < 10; ++k) {
        SpriteRecord& s = ed->map.sprites[k];
        s = SpriteRecord{};
        s.x = 100 + 10 * k;
        s.y = 100;
        s.xrepeat = s.yrepeat = 32;
        ed->map.spriteSelected[k] = 1;
    }
    ed->map.spriteCount = 10;
    ed->map.selectedSpriteCount = 10;
    const auto base = std::make_unique<MapContent>(ed->map);
    for (auto _ : state) {
        state.PauseTiming();
        static_cast<MapContent&>(ed->map) = *base;
        ArrayParams p;
        p.copyCount = 1001;
        p.steps[0] = 1;
        state.ResumeTiming();
        arrayPasteTool(ed->map, ed->clipboard, ed->events, p, ed->random);
    }
    state.counters["sprites"] = ed->map.spriteCount;
}
BENCHMARK(BM_Array1000CopiesOf10Sprites)->Unit(benchmark::kMillisecond);

// Light sprites spread over the grid, listed as the light tool lists them.
void addLights(MapStore& map, int32_t count, int32_t cols) {
    for (int32_t i = 0; i < count; ++i) {
        const int32_t k = map.spriteCount++;
        SpriteRecord& s = map.sprites[k];
        s = SpriteRecord{};
        s.x = 256 + 512 * ((i * 7) % cols);
        s.y = 256 + 512 * ((i * 3) % cols);
        s.z = -4096;
        s.sectnum = int16_t(((i * 3) % cols) * cols + (i * 7) % cols);
        s.shade = -16;
        map.lightSprites[size_t(map.lightSpriteCount++)] = k;
    }
}

void BM_SectorLight1000Sectors16Lights(benchmark::State& state) {
    auto ed = std::make_unique<Editor>();
    test::buildSplitRoomGrid(ed->map, 40, 25, 0);
    addLights(ed->map, 16, 25);
    for (auto _ : state)
        for (int32_t s = 0; s < 1000; ++s) benchmark::DoNotOptimize(getSectorLightValue(ed->map, s, 0));
}
BENCHMARK(BM_SectorLight1000Sectors16Lights)->Unit(benchmark::kMillisecond);

void BM_SurfacePointLight4Lights(benchmark::State& state) {
    auto ed = std::make_unique<Editor>();
    test::buildSplitRoomGrid(ed->map, 10, 10, 0);
    addLights(ed->map, 4, 10);
    for (auto _ : state) benchmark::DoNotOptimize(lightAtSurfacePoint(ed->map, 2000, 2000, 33, 0));
}
BENCHMARK(BM_SurfacePointLight4Lights)->Unit(benchmark::kMicrosecond);

// A light in the middle of 1000 rooms whose sides are split: the rays past the corners it sees
// cut the rooms through the polygon tool.
void BM_CutShadows1000Sectors(benchmark::State& state) {
    auto ed = std::make_unique<Editor>();
    ed->app.currentPage = Page::PlanView;
    test::buildSplitRoomGrid(ed->map, 40, 25, 0);
    addLights(ed->map, 1, 25);
    const int32_t light = ed->map.lightSprites[0];
    bool cut = false;
    timed(state, *ed, [&](ShapeFeed& feed) { cut = cutShadowsFromSprite(ed->map, ed->events, feed, light); });
    state.counters["cut"] = cut ? 1 : 0;
}
BENCHMARK(BM_CutShadows1000Sectors)->Unit(benchmark::kMillisecond);

// Every wall of a 10,080-wall map carries one tile: the walk reaches all of them.
void BM_AlignWallTexture10000Walls(benchmark::State& state) {
    auto ed = tenThousandWalls();
    ed->tiles.tileWidths[4] = ed->tiles.tileHeights[4] = 64;
    for (int32_t w = 0; w < ed->map.wallCount; ++w) ed->map.walls[w].picnum = 4;
    std::vector<BufferPoint> marks(size_t(kMaxWalls) + 1);
    const TextureWalk walk{ed->tiles, marks, false, {}};
    for (auto _ : state) {
        state.PauseTiming();
        clearWallVisitMarks(marks);
        state.ResumeTiming();
        alignWallTexture(ed->map, walk, 0);
    }
    int64_t visited = 0;
    for (int32_t w = 0; w < ed->map.wallCount; ++w) visited += marks[size_t(w)].x != 0 ? 1 : 0;
    state.counters["visited"] = double(visited);
}
BENCHMARK(BM_AlignWallTexture10000Walls)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
