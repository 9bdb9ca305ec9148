// What a user waits for on the report and statistics pages: the map check and the statistics
// with their pie on a map filled to capacity, the check on one sector of 32767 walls in a single
// loop, and the check of a full map whose every sector claims every wall.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "map/MapCheck.h"
#include "map/MapStatistics.h"
#include "resources/TileCatalog.h"
#include "support/GridMaps.h"
#include "views/PieChart.h"

namespace korvel {
namespace {

class CountingSink : public CheckSink {
public:
    bool add(const CheckFinding&) override { return ++count <= 4096; }
    int64_t count = 0;
};

struct Tiles {
    std::vector<int16_t> sizes = std::vector<int16_t>(kTileCount, 64);
    TileSizes view() const { return {sizes, sizes}; }
};

// 4096 sectors of 8 walls, 16384 sprites of which 2000 are effectors.
std::unique_ptr<MapStore> fullMap() {
    auto map = std::make_unique<MapStore>();
    test::buildSplitRoomGrid(*map, 64, 64, 4);
    for (int32_t k = 0; k < 2000; ++k) {
        map->sprites[k].picnum = 1;
        map->sprites[k].lotag = int16_t(k % 46);
        map->sprites[k].hitag = int16_t(k % 37);
    }
    return map;
}

// One sector whose single loop of 32767 walls runs round a circle.
std::unique_ptr<MapStore> oneBigLoop() {
    auto map = std::make_unique<MapStore>();
    const int32_t n = 32767;
    map->sectorCount = 1;
    map->sectors[0].wallnum = int16_t(n);
    map->sectors[0].ceilingz = -16384;
    for (int32_t i = 0; i < n; ++i) {
        const double a = -2 * 3.141592653589793 * i / n;
        WallRecord& w = map->walls[i];
        w.x = int32_t(std::lround(4000000 * std::cos(a)));
        w.y = int32_t(std::lround(4000000 * std::sin(a)));
        w.point2 = int16_t((i + 1) % n);
        w.nextwall = w.nextsector = -1;
    }
    map->wallCount = n;
    updateWallSectnums(*map);
    return map;
}

void runCheck(benchmark::State& state, const MapStore& map) {
    Tiles tiles;
    SilentMapEvents events;
    int64_t findings = 0;
    for (auto _ : state) {
        CountingSink sink;
        checkMap(map, tiles.view(), 1, events, sink);
        findings = sink.count;
    }
    state.counters["findings"] = double(findings);
}

void BM_CheckFullMap(benchmark::State& state) {
    auto map = fullMap();
    runCheck(state, *map);
}
BENCHMARK(BM_CheckFullMap)->Unit(benchmark::kMillisecond);

void BM_CheckOneLoopOf32767Walls(benchmark::State& state) {
    auto map = oneBigLoop();
    runCheck(state, *map);
}
BENCHMARK(BM_CheckOneLoopOf32767Walls)->Unit(benchmark::kMillisecond);

void BM_CheckFullMapEverySectorClaimsEveryWall(benchmark::State& state) {
    auto map = fullMap();
    for (int32_t s = 0; s < map->sectorCount; ++s) {
        map->sectors[s].wallptr = 0;
        map->sectors[s].wallnum = int16_t(32767);
    }
    runCheck(state, *map);
}
BENCHMARK(BM_CheckFullMapEverySectorClaimsEveryWall)->Unit(benchmark::kMillisecond);

void BM_StatisticsWithPieFullMap(benchmark::State& state) {
    auto map = fullMap();
    std::vector<uint8_t> categories(kTileCount, 0);
    categories[1] = TileCategory::Effectors;
    auto fb = std::make_unique<FrameBuffer>();
    auto colors = std::make_unique<ColorTables>();
    const Canvas cv{*fb, *colors, false};
    Random random{1};
    MapStatistics st;
    for (auto _ : state) {
        computeMapStatistics(*map, categories, st);
        drawPieChart(cv, random, 400, 216, 64, 12,
                     int32_t(double(st.statMapFileSize) / kFullMapFileSize * 65536), 120, 216);
        benchmark::ClobberMemory();
    }
    state.counters["vertices"] = st.statVertexCount;
}
BENCHMARK(BM_StatisticsWithPieFullMap)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
