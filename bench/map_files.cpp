// Loading and saving a map as the user waits for it, next to a plain read or write of the same
// bytes: a synthetic map at full capacity (version 8, about 1.9 MB) and one of 1000 sectors.
// The ratio of each pair is the figure to watch.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchFolder.h"
#include "base/FileSystem.h"
#include "map/MapFile.h"
#include "platform/NativeFileSystem.h"
#include "support/GridMaps.h"

namespace korvel {
namespace {

struct Subject {
    int32_t cols, rows, spritesPerRoom;
};
// 64 x 64 rooms with 4 sprites fill every array; 40 x 25 rooms make 1000 sectors.
constexpr Subject kFull{64, 64, 4};
constexpr Subject kThousand{40, 25, 2};

std::unique_ptr<MapStore> buildMap(const Subject& s) {
    auto map = std::make_unique<MapStore>();
    test::buildSplitRoomGrid(*map, s.cols, s.rows, s.spritesPerRoom);
    return map;
}

// The plain way to put bytes into a file: one open, one write, one close.
bool plainWrite(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const bool ok = ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    return (::close(fd) == 0) && ok;
}

void BM_LoadMap(benchmark::State& state, Subject subject) {
    BenchFolder dir;
    NativeFileSystem fs;
    const std::string path = dir.file("bench.map");
    plainWrite(path, serializeMap(*buildMap(subject)));
    auto map = std::make_unique<MapStore>();
    MapFileState file;
    for (auto _ : state) {
        const MapLoadResult r = loadMap(*map, file, fs, path, false);
        if (!r.loaded) state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(map->wallCount);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * *fs.fileLength(path));
}

void BM_PlainRead(benchmark::State& state, Subject subject) {
    BenchFolder dir;
    NativeFileSystem fs;
    const std::string path = dir.file("bench.map");
    plainWrite(path, serializeMap(*buildMap(subject)));
    for (auto _ : state) {
        auto bytes = fs.readAll(path);
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * *fs.fileLength(path));
}

// A normal save over the previous one: the new file written and synced beside it, the old one
// linked into the trash, the new one renamed into place, both folders synced.
void BM_SaveMap(benchmark::State& state, Subject subject) {
    BenchFolder dir;
    NativeFileSystem fs;
    auto map = buildMap(subject);
    MapFileState file;
    const std::string path = dir.file("bench.map");
    for (auto _ : state)
        if (!saveMap(*map, file, fs, path, false, dir.file("TrashBin")))
            state.SkipWithError("not saved");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(serializeMap(*map).size()));
}

void BM_PlainWrite(benchmark::State& state, Subject subject) {
    BenchFolder dir;
    const std::string bytes = serializeMap(*buildMap(subject));
    const std::string path = dir.file("bench.map");
    for (auto _ : state)
        if (!plainWrite(path, bytes)) state.SkipWithError("not written");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

// The same bytes through a temporary file that is synced and renamed into place: what every
// file the program writes costs, the map's own work aside.
void BM_AtomicWrite(benchmark::State& state, Subject subject) {
    BenchFolder dir;
    NativeFileSystem fs;
    const std::string bytes = serializeMap(*buildMap(subject));
    const std::string path = dir.file("bench.map");
    for (auto _ : state)
        if (!fs.writeAtomic(path, bytes)) state.SkipWithError("not written");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

BENCHMARK_CAPTURE(BM_LoadMap, full_v8, kFull)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlainRead, full_v8, kFull)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadMap, sectors_1000, kThousand)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlainRead, sectors_1000, kThousand)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SaveMap, full_v8, kFull)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlainWrite, full_v8, kFull)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AtomicWrite, full_v8, kFull)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SaveMap, sectors_1000, kThousand)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlainWrite, sectors_1000, kThousand)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AtomicWrite, sectors_1000, kThousand)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvel
