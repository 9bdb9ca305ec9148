// Loading and saving a map as the user waits for it, next to a plain read or write of the same
// bytes: a synthetic map at full capacity (version 8, about 1.9 MB) and one of 1000 sectors.
// The load and the save each time their floor in the same run, interleaved, and print the ratio
// to it (load / plain read, save / the atomic write it performs): the figure to watch.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
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

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

// The reported time is the operation's; its floor's mean time and the ratio go beside it.
void reportAgainstFloor(benchmark::State& state, double seconds, double floorSeconds) {
    const double n = double(std::max<int64_t>(state.iterations(), 1));
    state.counters["floor_us"] = floorSeconds / n * 1e6;
    state.counters["ratio"] = floorSeconds > 0 ? seconds / floorSeconds : 0;
}

// Each load next to a plain read of the same file.
void BM_LoadMap(benchmark::State& state, Subject subject) {
    BenchFolder dir;
    NativeFileSystem fs;
    const std::string path = dir.file("bench.map");
    plainWrite(path, serializeMap(*buildMap(subject)));
    auto map = std::make_unique<MapStore>();
    MapFileState file;
    double seconds = 0, floorSeconds = 0;
    for (auto _ : state) {
        Clock::time_point t = Clock::now();
        const MapLoadResult r = loadMap(*map, file, fs, path, false);
        if (!r.loaded) state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(map->wallCount);
        const double load = secondsSince(t);
        state.SetIterationTime(load);
        seconds += load;
        t = Clock::now();
        auto bytes = fs.readAll(path);
        benchmark::DoNotOptimize(bytes);
        floorSeconds += secondsSince(t);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * *fs.fileLength(path));
    reportAgainstFloor(state, seconds, floorSeconds);
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
// Each save next to the atomic write of the same bytes to a file of its own beside it.
void BM_SaveMap(benchmark::State& state, Subject subject) {
    BenchFolder dir;
    NativeFileSystem fs;
    auto map = buildMap(subject);
    MapFileState file;
    const std::string path = dir.file("bench.map");
    const std::string bytes = serializeMap(*map);
    const std::string floorPath = dir.file("floor.map");
    double seconds = 0, floorSeconds = 0;
    for (auto _ : state) {
        Clock::time_point t = Clock::now();
        if (!saveMap(*map, file, fs, path, false, dir.file("TrashBin")))
            state.SkipWithError("not saved");
        const double save = secondsSince(t);
        state.SetIterationTime(save);
        seconds += save;
        t = Clock::now();
        if (!fs.writeAtomic(floorPath, bytes)) state.SkipWithError("not written");
        floorSeconds += secondsSince(t);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
    reportAgainstFloor(state, seconds, floorSeconds);
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

BENCHMARK_CAPTURE(BM_LoadMap, full_v8, kFull)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlainRead, full_v8, kFull)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadMap, sectors_1000, kThousand)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlainRead, sectors_1000, kThousand)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SaveMap, full_v8, kFull)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlainWrite, full_v8, kFull)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AtomicWrite, full_v8, kFull)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SaveMap, sectors_1000, kThousand)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlainWrite, sectors_1000, kThousand)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AtomicWrite, sectors_1000, kThousand)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvel
