// What a user waits for in the map model on a map filled to capacity: the undo snapshot an edit
// takes and its restore, the link repair of every wall, and the wall-to-sector table every
// renumbering rebuilds.
#include <benchmark/benchmark.h>

#include <memory>

#include "geometry/WallLinks.h"
#include "map/MapClipboard.h"
#include "map/MapEdit.h"
#include "map/UndoSnapshot.h"
#include "support/GridMaps.h"

namespace korvel {
namespace {

// Receives nothing: the benchmarks measure the model alone.
using Quiet = SilentMapEvents;

std::unique_ptr<MapStore> fullMap() {
    auto map = std::make_unique<MapStore>();
    test::buildSplitRoomGrid(*map, 64, 64, 4);
    return map;
}

void unlinkAll(MapStore& map) {
    for (int32_t w = 0; w < map.wallCount; ++w)
        map.walls[w].nextwall = map.walls[w].nextsector = -1;
}

// An edit that takes the snapshot and commits, then its undo.
void BM_SaveAndRestoreUndo(benchmark::State& state) {
    auto map = fullMap();
    auto undo = std::make_unique<UndoSnapshot>();
    auto clip = std::make_unique<MapClipboard>();
    Quiet events;
    for (auto _ : state) {
        MapEdit(*map, *undo, events, EditUndo::Snapshot).commit();
        restoreUndo(*map, *undo, *clip, SelectionMode::Sectors, events);
        benchmark::ClobberMemory();
    }
    state.counters["walls"] = map->wallCount;
}
BENCHMARK(BM_SaveAndRestoreUndo)->Unit(benchmark::kMillisecond);

// The repair command on a map whose 32768 walls all lost their links.
void BM_RepairWallLinksIndexed(benchmark::State& state) {
    auto map = fullMap();
    auto unlinked = std::make_unique<MapStore>();
    unlinkAll(*map);
    *unlinked = *map;
    Quiet events;
    for (auto _ : state) {
        state.PauseTiming();
        *map = *unlinked;
        state.ResumeTiming();
        repairWallLinks(*map, events);
    }
    state.counters["walls"] = map->wallCount;
}
BENCHMARK(BM_RepairWallLinksIndexed)->Unit(benchmark::kMillisecond);

// The same wall by wall with the whole-map scan of each single repair: quadratic.
void BM_RepairWallLinksWallByWall(benchmark::State& state) {
    auto map = fullMap();
    auto unlinked = std::make_unique<MapStore>();
    unlinkAll(*map);
    *unlinked = *map;
    Quiet events;
    for (auto _ : state) {
        state.PauseTiming();
        *map = *unlinked;
        state.ResumeTiming();
        for (int32_t i = map->wallCount; i != 0;) {
            --i;
            checkWallPointer(*map, events, i, false, false);
            if (map->wallCount < i) i = map->wallCount;
        }
    }
    state.counters["walls"] = map->wallCount;
}
BENCHMARK(BM_RepairWallLinksWallByWall)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_UpdateWallSectnums(benchmark::State& state) {
    auto map = fullMap();
    for (auto _ : state) {
        updateWallSectnums(*map);
        benchmark::ClobberMemory();
    }
    state.counters["walls"] = map->wallCount;
}
BENCHMARK(BM_UpdateWallSectnums)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvel
