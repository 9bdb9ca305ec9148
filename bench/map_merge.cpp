// Merging a map file into the map being edited, as the user waits for it: a map of 1000 sectors
// merged into itself, and files at every capacity whose sprites all lost their sectors, with
// sound rooms and with every sector claiming every wall.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchFolder.h"
#include "geometry/MapMerge.h"
#include "platform/NativeFileSystem.h"
#include "support/GridMaps.h"

namespace korvel {
namespace {

struct Model {
    MapStore map;
    MapClipboard clip;
    UndoSnapshot undo;
    MapFileState file;
    SilentMapEvents events;
};

enum class Subject { ThousandIntoItself, FullLostSprites, FullEveryRangeClaimsAll };

void BM_MergeMap(benchmark::State& state, Subject subject) {
    BenchFolder dir;
    NativeFileSystem fs;
    auto source = std::make_unique<MapStore>();
    if (subject == Subject::ThousandIntoItself) {
        test::buildSplitRoomGrid(*source, 40, 25, 2);
    } else {
        test::buildSplitRoomGrid(*source, 64, 64, 4);
        for (int32_t k = 0; k < source->spriteCount; ++k) source->sprites[k].sectnum = -1;
        if (subject == Subject::FullEveryRangeClaimsAll)
            for (int32_t s = 0; s < source->sectorCount; ++s) {
                source->sectors[s].wallptr = 0;
                source->sectors[s].wallnum = 32767;
            }
    }
    const std::string path = dir.file("merged.map");
    if (!fs.writeAtomic(path, serializeMap(*source))) state.SkipWithError("not written");
    // The map merged into: the file itself, or nothing.
    auto start = std::make_unique<MapStore>();
    if (subject == Subject::ThousandIntoItself) *start = *source;
    auto m = std::make_unique<Model>();
    for (auto _ : state) {
        state.PauseTiming();
        m->map = *start;
        state.ResumeTiming();
        if (!insertMapFile(m->map, m->clip, m->undo, m->file, fs, m->events, path).loaded)
            state.SkipWithError("not merged");
        benchmark::DoNotOptimize(m->map.spriteCount);
    }
    state.counters["sectors"] = m->map.sectorCount;
    state.counters["sprites"] = m->map.spriteCount;
}

BENCHMARK_CAPTURE(BM_MergeMap, sectors_1000_into_itself, Subject::ThousandIntoItself)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MergeMap, full_sprites_without_sectors, Subject::FullLostSprites)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MergeMap, full_every_range_claims_all, Subject::FullEveryRangeClaimsAll)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
