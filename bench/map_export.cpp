// Exporting the drawing of a full map (32768 walls, 16384 sprites) as an 8192 x 8192 picture
// with the grid and both marks, next to writing the same number of bytes: plainly (one open,
// one write, one close; with and without a sync) and through the same banded atomic replacement
// without any drawing, and next to the drawing alone.
// The ratio of the export to the plain write is the figure to watch; the counters give the
// band's bytes (the pixel memory) and the process's peak resident size.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>

#include "BenchFolder.h"
#include "base/FileReplace.h"
#include "platform/NativeFileSystem.h"
#include "resources/ColorTables.h"
#include "support/GridMaps.h"
#include "ui/Skin.h"
#include "views/MapImageExport.h"

namespace korvel {
namespace {

struct Subject {
    std::unique_ptr<MapStore> map = std::make_unique<MapStore>();
    std::unique_ptr<Skin> skin = std::make_unique<Skin>();
    std::unique_ptr<ColorTables> colors = std::make_unique<ColorTables>();
    ViewState view;
    MapImageSize size;

    Subject() {
        test::buildSplitRoomGrid(*map, 64, 64, 4);  // 32768 units each way
        view.exportLeft = view.exportBottom = 0;
        view.exportRight = view.exportTop = 32768;
        view.exportScale = 4004;  // 32768000 / 4004 + 8 = 8191: 8192 columns and rows
        view.exportGridSpacing = 512;
        view.exportOptionA = view.exportOptionB = 1;
        size = *exportImageSize(view);
    }
    int64_t bandBytes() const {
        const int64_t row = imageRowBytes(size.width);
        return kMaxImageBandBytes / row * row;
    }
};

void report(benchmark::State& state, const Subject& s) {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["band_MiB"] = double(s.bandBytes()) / (1 << 20);
    state.counters["peak_rss_MiB"] = double(usage.ru_maxrss) / 1024;
    state.SetBytesProcessed(int64_t(state.iterations()) * imageFileBytes(s.size));
}

void BM_ExportMapImage(benchmark::State& state) {
    const Subject s;
    BenchFolder dir;
    NativeFileSystem fs;
    for (auto _ : state) {
        const MapImageResult r =
            exportMapImage(*s.map, s.view, *s.skin, *s.colors, fs, dir.path, "bench.bmp");
        if (r.auxResult() != 1) state.SkipWithError("not written");
    }
    report(state, s);
}

// One open, one write, one close; made durable too, as the export's file is before it takes
// its name, when `sync` is set.
void BM_PlainWriteOfTheSameBytes(benchmark::State& state, bool sync) {
    const Subject s;
    BenchFolder dir;
    const std::string bytes(size_t(imageFileBytes(s.size)), char(255));
    for (auto _ : state) {
        const int fd = ::open(dir.file("bench.bmp").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        bool ok = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
        if (sync) ok = ok && ::fsync(fd) == 0;
        if (fd < 0 || ::close(fd) != 0 || !ok) state.SkipWithError("not written");
    }
    report(state, s);
}

// The drawing alone: every band painted into one buffer, nothing written.
void BM_PaintingOfTheBands(benchmark::State& state) {
    const Subject s;
    const int64_t rowBytes = imageRowBytes(s.size.width);
    const int32_t bandRows = int32_t(s.bandBytes() / rowBytes), rows = s.size.height + 1;
    std::string buffer(size_t(s.bandBytes()), '\0');
    for (auto _ : state) {
        const MapImagePainter painter(*s.map, s.view, *s.skin, *s.colors, s.size);
        for (int32_t first = 0; first < rows; first += bandRows)
            painter.paintBand({reinterpret_cast<uint8_t*>(buffer.data()), s.size, first,
                               std::min(bandRows, rows - first)});
        benchmark::DoNotOptimize(buffer.data());
    }
    report(state, s);
}

// The same bytes in the export's bands through the atomic replacement (written, synced,
// renamed): what the export costs besides its drawing.
void BM_BandedReplacementOfTheSameBytes(benchmark::State& state) {
    const Subject s;
    BenchFolder dir;
    NativeFileSystem fs;
    const int64_t total = imageFileBytes(s.size);
    const int64_t bandBytes = s.bandBytes();
    const std::string band(size_t(bandBytes), char(255)),
        last(size_t(total % bandBytes), char(255));
    for (auto _ : state) {
        FileReplacement file(fs, dir.file("bench.bmp"));
        for (int64_t done = 0; done < total; done += bandBytes)
            file.append(total - done >= bandBytes ? band : last);
        if (!file.commit().replaced) state.SkipWithError("not written");
    }
    report(state, s);
}

BENCHMARK(BM_ExportMapImage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_PlainWriteOfTheSameBytes, unsynced, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_PlainWriteOfTheSameBytes, synced, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PaintingOfTheBands)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BandedReplacementOfTheSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace korvel
