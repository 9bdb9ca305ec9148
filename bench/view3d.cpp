// The 3D view as the user waits for it: preparing the scene from a map of about 1000 rooms (and
// from one filled to capacity), a flight through the rooms at 800 x 450 beside a plain fill of
// the same pixels, the two shaded plan pictures, the hover overlay of a frame, and the edit keys
// on a map filled to capacity with everything selected.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>
#include <vector>

// The map builder of the tests, compiled in here: the benchmarks link no test library.
#include "support/MapBuilder.cpp"
#include "support/GridMaps.h"
#include "StartedEditor.h"
#include "view3d/Cache3d.h"
#include "view3d/Frame3d.h"
#include "view3d/Render3d.h"
#include "app/Editor.h"
#include "platform/VirtualKeys.h"
#include "view3d/HitQueries3d.h"
#include "view3d/HoverInfo3d.h"
#include "view3d/View3DKeys.h"
#include "view3d/View3dScene.h"

namespace korvel {
namespace {

// Per-frame figures are this thread's processor time: the machine is shared, and a frame's wall
// time grows with whatever else runs.
double threadMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

struct BenchScene {
    std::unique_ptr<MapStore> map = std::make_unique<MapStore>();
    TileStore tiles;
    ColorTables colors;
    std::unique_ptr<Scene3d> scene = std::make_unique<Scene3d>();
    Random random;
    int32_t rooms = 0;
    int32_t size = 1024;
};

// Tiles 1..4: 64 x 64, 128 x 128, 48 x 40 and a 256 x 128 sky.
void installTiles(TileStore& tiles) {
    const int16_t sizes[4][2] = {{64, 64}, {128, 128}, {48, 40}, {256, 128}};
    size_t total = 0;
    for (auto& s : sizes) total += size_t(s[0]) * size_t(s[1]);
    tiles.artPixels.assign(1 + total + size_t(kArtPadding), 0);
    size_t at = 0;
    for (int t = 0; t < 4; ++t) {
        const size_t n = size_t(sizes[t][0]) * size_t(sizes[t][1]);
        for (size_t i = 0; i < n; ++i) tiles.artPixels[1 + at + i] = uint8_t(16 + (i * 7 + t * 31) % 200);
        tiles.tileOffsets[size_t(t + 1)] = int32_t(at);
        tiles.tileWidths[size_t(t + 1)] = sizes[t][0];
        tiles.tileHeights[size_t(t + 1)] = sizes[t][1];
        at += n;
    }
    tiles.artLoaded = 1;
}

void installColours(ColorTables& ct) {
    for (int i = 0; i < 65536; ++i) ct.blendTable[size_t(i)] = uint8_t((i >> 8) / 2 + (i & 255) / 2);
    for (int l = 0; l < 32; ++l)
        for (int c = 0; c < 256; ++c) ct.gameShades[size_t(l * 256 + c)] = uint8_t(c * (32 - l) / 32);
    for (int p = 0; p < 27; ++p)
        for (int c = 0; c < 256; ++c) ct.palRemaps[size_t(p * 256 + c)] = uint8_t(c);
    for (int c = 0; c < 256; ++c) ct.gamePaletteMap[size_t(c)] = ColorPair(c | (c << 8));
}

// cols x rows rooms whose sides are split in the middle (8 walls each), every eighth with a
// pillar, varied heights, some sloped, some open to the sky, and sprites of every kind.
void buildScene(BenchScene& b, int32_t cols, int32_t rows, int32_t spritesPerRoom) {
    MapStore& map = *b.map;
    test::MapBuilder build(map);
    const int32_t S = b.size;
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t c = 0; c < cols; ++c) {
            const int32_t x = c * S, y = r * S;
            const int32_t s = build.addSector({{x, y}, {x + S / 2, y}, {x + S, y}, {x + S, y + S / 2},
                                               {x + S, y + S}, {x + S / 2, y + S}, {x, y + S},
                                               {x, y + S / 2}});
            if ((r * cols + c) % 8 == 3) build.addRectHole(x + 400, y + 400, x + 600, y + 600);
            SectorRecord& sec = map.sectors[s];
            sec.floorz = ((r * 7 + c * 3) % 5) * 1024;
            sec.ceilingz = sec.floorz - 16384 - ((r + c) % 3) * 2048;
            sec.floorpicnum = int16_t(1 + (r + c) % 3);
            sec.ceilingpicnum = (r + c) % 6 == 0 ? 4 : 2;
            if ((r + c) % 6 == 0) sec.ceilingstat = kSurfaceParallax;
            if ((r * 3 + c) % 7 == 0) {
                sec.floorstat = kSurfaceSloped;
                sec.floorheinum = 512;
            }
            sec.visibility = uint8_t((r * 13 + c) % 64);
        }
    build.link();
    for (int32_t w = 0; w < map.wallCount; ++w) {
        map.walls[w].picnum = int16_t(1 + w % 3);
        if (w % 17 == 0 && map.walls[w].nextwall >= 0) {
            map.walls[w].cstat = kWallMasked;
            map.walls[w].overpicnum = 3;
        }
    }
    const int32_t rooms = cols * rows;
    for (int32_t s = 0; s < rooms && map.spriteCount < kMaxSprites; ++s)
        for (int32_t k = 0; k < spritesPerRoom && map.spriteCount < kMaxSprites; ++k) {
            const int32_t x = (s % cols) * S + 150 + 230 * k, y = (s / cols) * S + 200 + 170 * k;
            const int32_t id = build.addSprite(x, y, map.sectors[s].floorz, s, int16_t(1 + k % 3));
            SpriteRecord& sp = map.sprites[id];
            sp.cstat = uint16_t((k % 3) * 16 | (k == 1 ? kSpriteTranslucent : 0));
            sp.ang = int16_t(k * 300);
        }
    b.rooms = rooms;
    installTiles(b.tiles);
    installColours(b.colors);
}

void BM_Build3dView(benchmark::State& state) {
    BenchScene b;
    const bool full = state.range(0) != 0;
    if (full) {
        // Every array at its capacity: 4096 rooms of 8 walls, 4 sprites each.
        test::buildSplitRoomGrid(*b.map, 64, 64, 4);
        for (int32_t w = 0; w < b.map->wallCount; ++w) b.map->walls[w].picnum = int16_t(1 + w % 3);
        for (int32_t s = 0; s < b.map->sectorCount; ++s) b.map->sectors[s].floorpicnum = 2;
        for (int32_t k = 0; k < b.map->spriteCount; ++k) {
            b.map->sprites[k].picnum = 1;
            b.map->sprites[k].cstat = uint16_t((k % 3) * 16);
        }
        installTiles(b.tiles);
    } else {
        buildScene(b, 32, 32, 3);
    }
    for (auto _ : state) prepareScene3d(*b.scene, SurfaceSource{*b.map, b.tiles}, 0);
    state.counters["sectors"] = b.map->sectorCount;
    state.counters["walls"] = b.map->wallCount;
    state.counters["sprites"] = b.map->spriteCount;
    state.counters["triangles"] = b.scene->surfaceTriangleCount;
}
BENCHMARK(BM_Build3dView)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The preparation as entering the page runs it: an editor started on the headless platform, its
// progress bar drawn and presented, the scene allocated on the first entry only.
void BM_Build3dViewOnPage(benchmark::State& state) {
    StartedEditor started;
    Editor& ed = *started.ed;
    {
        BenchScene b;
        buildScene(b, 32, 32, 3);
        ed.map = *b.map;
        ed.tiles = b.tiles;
    }
    const double t0 = threadMs();
    build3dView(ed);
    state.counters["first_ms"] = threadMs() - t0;
    for (auto _ : state) build3dView(ed);
    state.counters["triangles"] = scene3d(ed).surfaceTriangleCount;
}
BENCHMARK(BM_Build3dViewOnPage)->Unit(benchmark::kMillisecond);

struct Fingerprint {
    uint64_t h = 1469598103934665603ull;
    template <class T>
    void add(const std::vector<T>& v) {
        const auto* p = reinterpret_cast<const uint8_t*>(v.data());
        for (size_t i = 0; i < v.size() * sizeof(T); ++i) h = (h ^ p[i]) * 1099511628211ull;
    }
};

// 240 frames along a path through the rooms; the median after the first 8 frames is what the
// user sees while flying.
void BM_LiveFlight(benchmark::State& state) {
    BenchScene b;
    buildScene(b, 32, 32, 3);
    prepareScene3d(*b.scene, SurfaceSource{*b.map, b.tiles}, 0);
    std::vector<uint8_t> image(size_t(kImageWidth3d) * kImageHeight3d);
    ViewState view;
    std::vector<double> frames, projections, fills;
    // What the flight drew, so that a faster renderer can show it draws the same.
    Fingerprint fingerprint;
    for (auto _ : state) {
        frames.clear();
        projections.clear();
        fills.clear();
        b.scene->frame3dCounter = 0;
        for (int32_t f = 0; f < 240; ++f) {
            Camera3d cam;
            const double t = f / 240.0;
            cam.camX = 600 + t * 30 * 1024;
            cam.camY = 512 + 10 * 1024 + 3000 * std::sin(t * 6.28);
            cam.camZ = -8192;
            cam.camAngle = 256 * std::sin(t * 12.56);
            FrameInputs3d in{*b.map, b.tiles, b.colors, cam, View3DOptions{}, View3DMode::Live,
                             PlanProjection(view), false, b.random, {}};
            const double t0 = threadMs();
            renderFrame(*b.scene, image, in);
            const double t1 = threadMs();
            frames.push_back(t1 - t0);
            fingerprint.add(image);
            fingerprint.add(b.scene->depthBuffer3d);
            fingerprint.add(b.scene->pickBuffer3d);
            fingerprint.add(b.scene->pickObjectBuffer3d);
            fingerprint.add(std::vector<int32_t>{b.scene->loadAverage3d, b.scene->renderTriangleCount,
                                                 int32_t(b.random.randomState)});
            // The projection alone, on the same cache and camera.
            const double t2 = threadMs();
            project3dTriangles(*b.scene, frameCameraOf(cam), cam, View3DOptions{});
            const double t3 = threadMs();
            projections.push_back(t3 - t2);
            const double t4 = threadMs();
            std::fill(image.begin(), image.end(), uint8_t(f));
            benchmark::DoNotOptimize(image.data());
            const double t5 = threadMs();
            fills.push_back(t5 - t4);
        }
    }
    std::vector<double> steady(frames.begin() + 8, frames.end());
    std::sort(steady.begin(), steady.end());
    std::vector<double> proj(projections.begin() + 8, projections.end());
    std::sort(proj.begin(), proj.end());
    std::vector<double> fill(fills.begin() + 8, fills.end());
    std::sort(fill.begin(), fill.end());
    state.counters["median_ms"] = steady[steady.size() / 2];
    state.counters["first_ms"] = frames.front();
    state.counters["worst_ms"] = *std::max_element(frames.begin(), frames.end());
    state.counters["projection_median_ms"] = proj[proj.size() / 2];
    state.counters["fill_median_ms"] = fill[fill.size() / 2];
    state.counters["fingerprint"] = double(fingerprint.h >> 20);
}
BENCHMARK(BM_LiveFlight)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PlanFilled(benchmark::State& state) {
    BenchScene b;
    buildScene(b, 32, 32, 3);
    const bool light = state.range(0) != 0;
    if (light) {
        // Eight light sprites spread over the map, in the list the lighting reads.
        for (int32_t k = 0; k < 8; ++k) b.map->lightSprites[size_t(k)] = k * 37;
        b.map->lightSpriteCount = 8;
    }
    ViewState view;
    view.viewZoom = 40;
    view.viewOriginX = -16 * 1024;
    view.viewOriginY = 16 * 1024;
    std::vector<uint8_t> image(size_t(kImageWidth3d) * kImageHeight3d);
    // The first picture and the generator after it, so that a faster painter shows it paints
    // the same.
    Fingerprint fingerprint;
    bool first = true;
    for (auto _ : state) {
        FrameInputs3d in{*b.map, b.tiles, b.colors, Camera3d{}, View3DOptions{},
                         light ? View3DMode::PlanFilledAlt : View3DMode::PlanFilled,
                         PlanProjection(view), false, b.random, {}};
        renderFrame(*b.scene, image, in);
        if (first) {
            fingerprint.add(image);
            fingerprint.add(std::vector<uint32_t>{uint32_t(randomLong(b.random))});
            first = false;
        }
    }
    state.counters["fingerprint"] = double(fingerprint.h >> 20);
}
BENCHMARK(BM_PlanFilled)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);


// One frame's overlay: an object locked, another hovered and 2000 selected, over a picture of
// 8 x 8-cell patches of 2500 different walls.
void BM_HoverOverlay(benchmark::State& state) {
    BenchScene b;
    buildScene(b, 32, 32, 3);
    Scene3d& sc = *b.scene;
    for (int32_t row = 0; row < kCellRows3d; ++row)
        for (int32_t col = 0; col < kCellColumns3d; ++col)
            sc.pickObjectBuffer3d[size_t(row) * kCellColumns3d + size_t(col)] =
                objectCode3d(SurfaceKind::Wall, (row / 9) * 50 + col / 8);
    for (int32_t w = 0; w < 2000; ++w) sc.selected3d[size_t(objectCode3d(SurfaceKind::Wall, w))] = 1;
    sc.any3dSelected = 1;
    const Pick3d pick{objectCode3d(SurfaceKind::Wall, 1234), objectCode3d(SurfaceKind::Wall, 77)};
    FrameBuffer fb;
    Fonts fonts;
    Languages langs;
    InputState input;
    const NameTable names(kTileCount);
    int32_t time = 0;
    for (auto _ : state) {
        const HoverOverlay3d o{sc, pick, *b.map, names, langs, fonts, 83, time, input};
        drawHoverOverlay3d(Canvas{fb, b.colors, false}, o);
        time += 16;
        benchmark::DoNotOptimize(fb.screen.data());
    }
}
BENCHMARK(BM_HoverOverlay)->Unit(benchmark::kMicrosecond);

// A map at capacity (4096 sectors, 32768 walls, 16384 sprites) entered with everything
// selected; each iteration is one press with its snapshot and refreshes.
struct FullEditor {
    std::unique_ptr<Editor> ed = std::make_unique<Editor>();
    explicit FullEditor(bool spritesOnly) {
        MapStore& map = ed->map;
        test::buildSplitRoomGrid(map, 64, 64, 4);
        for (int32_t w = 0; w < map.wallCount; ++w) map.walls[w].picnum = int16_t(1 + w % 3);
        for (int32_t s = 0; s < map.sectorCount; ++s) map.sectors[s].floorpicnum = 2;
        for (int32_t k = 0; k < map.spriteCount; ++k) {
            map.sprites[k].picnum = 1;
            map.sprites[k].cstat = uint16_t((k % 3) * 16);
        }
        installTiles(ed->tiles);
        for (int32_t s = 0; s < map.sectorCount; ++s) map.sectorSelected[s] = 1;
        for (int32_t w = 0; w < map.wallCount; ++w) map.wallSelected[w] = 1;
        for (int32_t k = 0; k < map.spriteCount; ++k) map.spriteSelected[k] = 1;
        map.selectedSectorCount = map.sectorCount;
        map.selectedWallCount = map.wallCount;
        map.selectedSpriteCount = map.spriteCount;
        build3dView(*ed);
        if (spritesOnly) {
            for (int32_t s = 0; s < map.sectorCount; ++s) map.sectorSelected[s] = 0;
            for (int32_t w = 0; w < map.wallCount; ++w) map.wallSelected[w] = 0;
            map.selectedSectorCount = map.selectedWallCount = 0;
        }
    }
    void press(int key, bool shift) {
        ed->dispatch.shiftHeld = shift ? 1 : 0;
        ed->input.keyPressed[size_t(key)] = 1;
        process3DKeys(*ed);
    }
};

void BM_Keys3dAtCapacity(benchmark::State& state) {
    struct Press {
        int key;
        bool shift, spritesOnly;
    };
    // Shift+P over all sectors, '-' over all walls, then keypad 6 and Delete over all sprites.
    const Press presses[] = {{'P', true, false}, {vk::Minus, false, false}, {vk::Pad6, false, true},
                             {vk::Delete, false, true}};
    const Press& p = presses[state.range(0)];
    FullEditor f(p.spritesOnly);
    for (auto _ : state) f.press(p.key, p.shift);
    state.counters["sectors"] = f.ed->map.sectorCount;
    state.counters["walls"] = f.ed->map.wallCount;
    state.counters["sprites"] = f.ed->map.spriteCount;
}
BENCHMARK(BM_Keys3dAtCapacity)->DenseRange(0, 3)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
