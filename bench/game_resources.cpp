// What the user waits for at start-up: building the colour tables when colortab.dat is missing,
// and loading the tiles from the game archive, measured against a plain read of the same file.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "base/FileSystem.h"
#include "map/MapEvents.h"
#include "platform/NativeFileSystem.h"
#include "resources/ColorTableBuild.h"
#include "resources/GroupFile.h"
#include "resources/TileStore.h"

namespace {

using namespace korvel;

constexpr int kTiles = 3000;
constexpr int kTileWidth = 58, kTileHeight = 60;  // 3000 tiles of 3480 bytes: about 10 MB

void putLong(std::string& s, size_t at, int32_t v) {
    for (size_t i = 0; i < 4; ++i) s[at + i] = char((uint32_t(v) >> (8 * i)) & 0xFF);
}

// ART files 0..11, 256 tiles each but the last, packed into one archive.
std::string makeArchive() {
    std::vector<std::pair<std::string, std::string>> entries;
    for (int n = 0; n * 256 < kTiles; ++n) {
        const int count = std::min(256, kTiles - n * 256);
        std::string art(2064, '\0');
        putLong(art, 0, 1);
        putLong(art, 8, 256 * n);
        putLong(art, 12, 256 * n + 255);
        for (int i = 0; i < count; ++i) {
            art[size_t(16 + 2 * i)] = char(kTileWidth);
            art[size_t(528 + 2 * i)] = char(kTileHeight);
        }
        art.resize(art.size() + size_t(count * kTileWidth * kTileHeight), char(n + 1));
        char name[16];
        std::snprintf(name, sizeof name, "TILES%03d.ART", n);
        entries.emplace_back(name, std::move(art));
    }
    std::string grp(kGroupSignature);
    grp.resize(16 + 16 * entries.size(), '\0');
    putLong(grp, 12, int32_t(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        std::memcpy(&grp[16 + 16 * i], entries[i].first.data(), entries[i].first.size());
        putLong(grp, 28 + 16 * i, int32_t(entries[i].second.size()));
    }
    for (const auto& e : entries) grp += e.second;
    return grp;
}

// The archive on disk for the life of the program.
struct ArchiveFile {
    std::string path;
    ArchiveFile() {
        path = (std::filesystem::temp_directory_path() /
                ("korvel-bench-" + std::to_string(::getpid()) + ".grp"))
                   .string();
        const std::string bytes = makeArchive();
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    ~ArchiveFile() { std::filesystem::remove(path); }
};

const ArchiveFile& archive() {
    static const ArchiveFile file;
    return file;
}

void BM_LoadArchiveTiles(benchmark::State& state) {
    NativeFileSystem fs;
    SilentMapEvents events;
    auto tiles = std::make_unique<TileStore>();
    const std::string folder = std::filesystem::temp_directory_path().string();
    for (auto _ : state) {
        std::string grpPath = archive().path;
        loadArtTiles(*tiles, grpPath, folder, fs, events);
        benchmark::DoNotOptimize(tiles->artPixels.data());
    }
    if (tiles->tileWidths[kTiles - 1] != kTileWidth) state.SkipWithError("tiles not loaded");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(*fs.fileLength(archive().path)));
}
BENCHMARK(BM_LoadArchiveTiles)->Unit(benchmark::kMillisecond);

void BM_PlainReadOfArchive(benchmark::State& state) {
    NativeFileSystem fs;
    int64_t bytes = 0;
    for (auto _ : state) {
        auto all = fs.readAll(archive().path, INT64_MAX);
        bytes = int64_t(all->size());
        benchmark::DoNotOptimize(all->data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}
BENCHMARK(BM_PlainReadOfArchive)->Unit(benchmark::kMillisecond);

std::unique_ptr<ColorTables> palettes() {
    auto c = std::make_unique<ColorTables>();
    for (size_t k = 0; k < 256; ++k) {
        c->paletteRed[k] = uint8_t((k % 12) * 21);
        c->paletteGreen[k] = uint8_t((k / 12) * 12);
        c->paletteBlue[k] = uint8_t(255 - k);
        c->gamePaletteRed[k] = uint8_t(k);
        c->gamePaletteGreen[k] = uint8_t((k * 7) % 256);
        c->gamePaletteBlue[k] = uint8_t((k * 13) % 256);
    }
    return c;
}

// Everything a start without colortab.dat computes.
void BM_BuildColorTables(benchmark::State& state) {
    auto c = palettes();
    for (auto _ : state) {
        buildRemapRows(*c);
        buildBlendTable(*c);
        buildShadeTables(*c);
        buildTintTable(*c, 20);
        buildGammaRemap(*c, 1200, false);
        benchmark::DoNotOptimize(c->blendTable.data());
    }
}
BENCHMARK(BM_BuildColorTables)->Unit(benchmark::kMillisecond);

// What every start computes even when colortab.dat is there.
void BM_TintAndGammaTables(benchmark::State& state) {
    auto c = palettes();
    for (auto _ : state) {
        buildTintTable(*c, 20);
        buildGammaRemap(*c, 1200, true);
        benchmark::DoNotOptimize(c->gamePaletteMap.data());
    }
}
BENCHMARK(BM_TintAndGammaTables)->Unit(benchmark::kMicrosecond);

}  // namespace
