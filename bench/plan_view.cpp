// One frame of the plan view, as the user waits for it every frame: a map filled to capacity
// (4096 sectors, 32768 walls, 16384 sprites) zoomed out to show all of it, and a map of 1000
// sectors at a working zoom with its labels. Each also with everything selected, which fills
// every sector in the blink's on phase. The worst views are timed next to a floor: the frame
// copied and the same wall segments clipped and drawn as plain one-pixel lines, in the same run,
// with the ratio of the two. Then the textured view: the sector fill alone and the whole frame
// on those maps, a comb-shaped sector of 1024 walls filling the view, and the pictures of 16384
// small face sprites.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "app/ConfigFile.h"
#include "app/Editor.h"
#include "app/EditorInit.h"
#include "app/FrameLoop.h"
#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "support/GridMaps.h"
#include "ui/Fonts.h"
#include "views/PlanFrame.h"
#include "views/PlanSprites.h"
#include "views/PlanView.h"
#include "views/PlanViewState.h"
#include "views/SpritePictures.h"
#include "views/TexturedFill.h"

namespace korvel {
namespace {

// The map's centre in the middle of the map view, 55 rows above the screen's, at the zoom.
void showCentred(Editor& ed, int32_t cols, int32_t rows, double zoom) {
    ed.settings.gridSpacing = autoGridSpacing(zoom);
    const double cx = cols * 256.0, cy = rows * 256.0;
    ed.view.viewZoom = float(zoom);
    ed.view.viewOriginX = float(-cx);
    ed.view.viewOriginY = float(cy + 55 * zoom);
}

// cols x rows rooms of 512 units with 4 sprites each, tags on some of everything, shown at
// the zoom with the map's centre in the middle of the map view.
std::unique_ptr<Editor> makeScene(int32_t cols, int32_t rows, double zoom, bool selectAll) {
    auto ed = std::make_unique<Editor>();
    applyBuiltInDefaults(configTarget(*ed));
    NativeFileSystem fs;
    loadFontSheets(ed->fonts, fs, KORVEL_DATA_DIR);
    MapStore& map = ed->map;
    test::buildSplitRoomGrid(map, cols, rows, 4);
    for (int32_t s = 0; s < map.sectorCount; s += 3) map.sectors[s].lotag = int16_t(s);
    for (int32_t w = 0; w < map.wallCount; w += 5) map.walls[w].hitag = 7;
    for (int32_t k = 0; k < map.spriteCount; k += 2) map.sprites[k].lotag = 1;
    ed->tileCatalog.tileNames.set(0, "SPAWN");
    if (selectAll) {
        map.sectorSelected.fill(1);
        map.wallSelected.fill(1);
        map.vertexSelected.fill(1);
        map.spriteSelected.fill(1);
    }
    ed->hover.hoveredSector = map.sectorCount / 2;
    ed->input.frameTime = 0;  // the blink's on phase
    showCentred(*ed, cols, rows, zoom);
    return ed;
}

void paintFrames(benchmark::State& state, Editor& ed) {
    int32_t frame = 0;
    for (auto _ : state) {
        draw2DView(ed, frame++);
        benchmark::ClobberMemory();
    }
    state.counters["walls"] = ed.map.wallCount;
    state.counters["lines"] = ed.planView.planWallLineCount;
    state.counters["sprites"] = ed.planView.spriteDrawCount;
}

// The floor a plan view is measured against: the frame copied from a backdrop, then the wall
// segments the view drew, clipped to the map view and drawn one pixel wide with Bresenham.
class NaiveLines {
public:
    explicit NaiveLines(const PlanViewState& st)
        : backdrop_(size_t(kScreenWidth) * kScreenHeight, 3),
          frame_(size_t(kScreenWidth) * kScreenHeight) {
        for (int32_t i = 0; i < st.planWallLineCount; ++i) {
            const PlanWallLine& l = st.planWallLines[i];
            segments_.push_back({l.x1, l.y1, l.x2, l.y2, l.colour});
        }
    }

    size_t count() const { return segments_.size(); }

    void draw() {
        std::memcpy(frame_.data(), backdrop_.data(), frame_.size());
        for (const auto& g : segments_) clipAndDraw(g);
        benchmark::DoNotOptimize(frame_.data());
    }

private:
    // Liang-Barsky against the map view, then the ends rounded.
    void clipAndDraw(const std::array<int32_t, 5>& g) {
        const double x1 = g[0], y1 = g[1], dx = double(g[2]) - g[0], dy = double(g[3]) - g[1];
        double t0 = 0, t1 = 1;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {x1, kScreenRight - x1, y1 - kMapViewBottom, kMapViewTop - y1};
        for (int k = 0; k < 4; ++k) {
            if (p[k] == 0) {
                if (q[k] < 0) return;
                continue;
            }
            const double t = q[k] / p[k];
            if (p[k] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
            if (t0 > t1) return;
        }
        bresenham(int32_t(std::lround(x1 + t0 * dx)), int32_t(std::lround(y1 + t0 * dy)),
                  int32_t(std::lround(x1 + t1 * dx)), int32_t(std::lround(y1 + t1 * dy)),
                  uint8_t(g[4]));
    }

    void bresenham(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t colour) {
        const int32_t dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int32_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int32_t err = dx + dy;
        for (;;) {
            frame_[size_t(kScreenHeight - 1 - y0) * kScreenWidth + size_t(x0)] = colour;
            if (x0 == x1 && y0 == y1) return;
            const int32_t e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }

    std::vector<std::array<int32_t, 5>> segments_;
    std::vector<uint8_t> backdrop_, frame_;
};

// The view's frames interleaved with the floor's: the reported time is the view's, with the
// floor's time and the ratio of the two beside it.
void paintAgainstNaive(benchmark::State& state, Editor& ed) {
    using Clock = std::chrono::steady_clock;
    draw2DView(ed, 0);
    NaiveLines naive(ed.planView);
    double viewSeconds = 0, naiveSeconds = 0;
    int32_t frame = 1;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        draw2DView(ed, frame++);
        benchmark::ClobberMemory();
        const auto t1 = Clock::now();
        naive.draw();
        benchmark::ClobberMemory();
        const auto t2 = Clock::now();
        const double view = std::chrono::duration<double>(t1 - t0).count();
        state.SetIterationTime(view);
        viewSeconds += view;
        naiveSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = double(std::max<int64_t>(state.iterations(), 1));
    state.counters["naive_ms"] = naiveSeconds / n * 1e3;
    state.counters["ratio"] = naiveSeconds > 0 ? viewSeconds / naiveSeconds : 0;
    state.counters["lines"] = ed.planView.planWallLineCount;
    state.counters["vertices"] = ed.planView.planVertexCount;
    state.counters["sprites"] = ed.planView.spriteDrawCount;
}

// The whole 32768-unit square in the 456 rows of the map view.
constexpr double kFullFitZoom = 32768.0 / 440;

void BM_FullMapFitted(benchmark::State& state) {
    auto ed = makeScene(64, 64, kFullFitZoom, state.range(0) != 0);
    paintFrames(state, *ed);
}
BENCHMARK(BM_FullMapFitted)->Arg(0)->Arg(1)->ArgName("selected")->Unit(benchmark::kMillisecond);

// Fitted to the width instead: vertices and sprites are drawn at this zoom.
void BM_FullMapFittedToWidth(benchmark::State& state) {
    auto ed = makeScene(64, 64, 32768.0 / 800, state.range(0) != 0);
    paintFrames(state, *ed);
}
BENCHMARK(BM_FullMapFittedToWidth)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("selected")
    ->Unit(benchmark::kMillisecond);

// 1000 rooms at zoom 4: about 100 rooms on the screen with their labels.
void BM_ThousandSectorsWorkingZoom(benchmark::State& state) {
    auto ed = makeScene(40, 25, 4, state.range(0) != 0);
    paintFrames(state, *ed);
}
BENCHMARK(BM_ThousandSectorsWorkingZoom)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("selected")
    ->Unit(benchmark::kMillisecond);

void BM_ThousandSectorsFitted(benchmark::State& state) {
    auto ed = makeScene(40, 25, 20480.0 / 800, state.range(0) != 0);
    paintFrames(state, *ed);
}
BENCHMARK(BM_ThousandSectorsFitted)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("selected")
    ->Unit(benchmark::kMillisecond);

// The worst view of a full map: the most of it the view shows before vertex and sprite marks
// start, every wall drawn at its longest.
void BM_FullMapBeforeMarks(benchmark::State& state) {
    auto ed = makeScene(64, 64, kFullFitZoom, state.range(0) != 0);
    showCentred(*ed, 64, 64, double(ed->settings.spriteZoomLimit));
    paintAgainstNaive(state, *ed);
}
BENCHMARK(BM_FullMapBeforeMarks)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("selected")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The whole of a map of 1000 rooms, next to the floor.
void BM_ThousandSectorsFittedAgainstNaive(benchmark::State& state) {
    auto ed = makeScene(40, 25, 20480.0 / 800, state.range(0) != 0);
    paintAgainstNaive(state, *ed);
}
BENCHMARK(BM_ThousandSectorsFittedAgainstNaive)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("selected")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A close look at a full map: a few rooms on the screen out of 4096. What the frame costs here
// is what it costs to find them.
void BM_FullMapCloseZoom(benchmark::State& state) {
    auto ed = makeScene(64, 64, 2.5, state.range(0) != 0);
    paintAgainstNaive(state, *ed);
}
BENCHMARK(BM_FullMapCloseZoom)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("selected")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// Tiles 0..7 of 64 x 64 random texels and 8..15 of 8 x 8, marked loaded; tile 1 animated; colour
// tables with every shade and pal a permutation, so that no lookup is the identity.
void installBenchTiles(Editor& ed) {
    std::mt19937 rng(7);
    TileStore& tiles = ed.tiles;
    tiles.artPixels.assign(size_t(16 * 4096 + kArtPadding), 0);
    for (int32_t t = 0; t < 16; ++t) {
        const int16_t size = t < 8 ? 64 : 8;
        tiles.tileWidths[size_t(t)] = tiles.tileHeights[size_t(t)] = size;
        tiles.tileOffsets[size_t(t)] = t * 4096 - 1;
        for (int32_t i = 0; i < size * size; ++i)
            tiles.artPixels[size_t(t * 4096 + i)] = uint8_t(rng());
    }
    tiles.tileAnims[1] = 128 | 3 | (3 << 24);
    tiles.artLoaded = 1;
    ColorTables& ct = ed.colorTables;
    for (size_t i = 0; i < ct.palRemaps.size(); ++i) ct.palRemaps[i] = uint8_t(i * 7 + 3);
    for (size_t i = 0; i < ct.gameShades.size(); ++i) ct.gameShades[i] = uint8_t(i * 13 + 1);
    for (int32_t c = 0; c < 256; ++c) ct.gamePaletteMap[size_t(c)] = ColorPair(c | (255 - c) << 8);
    for (size_t i = 0; i < ct.blendTable.size(); ++i) ct.blendTable[i] = uint8_t(i * 31 + (i >> 8));
}

// Every sector textured with a mix of mappings: world-aligned, flipped and swapped, relative to
// the first wall, sloped, and a sky now and then.
void textureSectors(Editor& ed) {
    installBenchTiles(ed);
    const uint16_t stats[] = {0, 16, 4 | 32, 64, 64 | 2, 8, 0, 1};
    MapStore& map = ed.map;
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        SectorRecord& sec = map.sectors[s];
        sec.floorpicnum = sec.ceilingpicnum = int16_t(s % 8);
        sec.floorstat = sec.ceilingstat = stats[s % 8];
        sec.floorshade = int8_t(s % 24);
        sec.floorpal = uint8_t(s % 3);
        sec.floorheinum = 2048;
        sec.floorxpanning = uint8_t(s);
    }
    ed.settings.sectorsFull = 1;
}

// fillSectorsTextured alone, on the frame's projected walls.
void fillFrames(benchmark::State& state, Editor& ed) {
    PlanFrame pf = planFrameOf(ed);
    int32_t frame = 0;
    for (auto _ : state) {
        ++ed.planView.paintCount;
        projectWallPoints(pf);
        ed.planView.labelCount = 0;
        fillSectorsTextured(pf, frame++);
        benchmark::ClobberMemory();
    }
}

void BM_TexturedFillFullMapFitted(benchmark::State& state) {
    auto ed = makeScene(64, 64, kFullFitZoom, false);
    textureSectors(*ed);
    fillFrames(state, *ed);
}
BENCHMARK(BM_TexturedFillFullMapFitted)->Unit(benchmark::kMillisecond);

void BM_TexturedViewFullMapFitted(benchmark::State& state) {
    auto ed = makeScene(64, 64, kFullFitZoom, false);
    textureSectors(*ed);
    paintFrames(state, *ed);
}
BENCHMARK(BM_TexturedViewFullMapFitted)->Unit(benchmark::kMillisecond);

void BM_TexturedFillThousandSectorsFitted(benchmark::State& state) {
    auto ed = makeScene(40, 25, 20480.0 / 800, false);
    textureSectors(*ed);
    fillFrames(state, *ed);
}
BENCHMARK(BM_TexturedFillThousandSectorsFitted)->Unit(benchmark::kMillisecond);

void BM_TexturedViewThousandSectorsFitted(benchmark::State& state) {
    auto ed = makeScene(40, 25, 20480.0 / 800, false);
    textureSectors(*ed);
    paintFrames(state, *ed);
}
BENCHMARK(BM_TexturedViewThousandSectorsFitted)->Unit(benchmark::kMillisecond);

// One sector of 1024 walls shaped like a comb of 511 pointed teeth over the whole view: every
// tooth's two walls cross every row, about 1000 crossings a row.
void BM_TexturedFillComb(benchmark::State& state) {
    auto ed = std::make_unique<Editor>();
    applyBuiltInDefaults(configTarget(*ed));
    MapStore& map = ed->map;
    constexpr int32_t kTeeth = 511, kPitch = 16;
    // A back at y = 9000; from its right end the ring runs down to each tooth's tip at y = 0 and
    // up to the valley at y = 8000 before the next, right to left.
    std::vector<IntPoint> comb;
    comb.push_back({0, 9000});
    comb.push_back({kTeeth * kPitch, 9000});
    for (int32_t i = kTeeth - 1; i >= 0; --i) {
        comb.push_back({i * kPitch + kPitch / 2, 0});
        comb.push_back({i * kPitch, 8000});
    }
    const int32_t n = int32_t(comb.size());
    map.sectorCount = 1;
    map.sectors[0].wallptr = 0;
    map.sectors[0].wallnum = int16_t(n);
    for (int32_t i = 0; i < n; ++i) {
        map.walls[i].x = comb[size_t(i)].x;
        map.walls[i].y = comb[size_t(i)].y;
        map.walls[i].point2 = int16_t((i + 1) % n);
        map.walls[i].nextwall = map.walls[i].nextsector = -1;
        map.wallSector[i] = 0;
    }
    map.wallCount = n;
    textureSectors(*ed);
    const double zoom = kTeeth * kPitch / 800.0;
    ed->view.viewZoom = float(zoom);
    ed->view.viewOriginX = float(-kTeeth * kPitch / 2.0);
    ed->view.viewOriginY = float(4000);
    state.counters["walls"] = n;
    fillFrames(state, *ed);
}
BENCHMARK(BM_TexturedFillComb)->Unit(benchmark::kMillisecond);

// 16384 face sprites of about 8 x 8 pixels, 128 x 128 of them over the view.
void BM_SpritePictures(benchmark::State& state) {
    auto ed = std::make_unique<Editor>();
    applyBuiltInDefaults(configTarget(*ed));
    NativeFileSystem fs;
    loadFontSheets(ed->fonts, fs, KORVEL_DATA_DIR);
    installBenchTiles(*ed);
    MapStore& map = ed->map;
    test::buildSplitRoomGrid(map, 1, 1, 0);
    for (int32_t k = 0; k < kMaxSprites; ++k) {
        SpriteRecord& sp = map.sprites[k];
        sp = SpriteRecord{};
        sp.x = (k % 128) * 4;
        sp.y = (k / 128) * 4;
        sp.z = (k % 7) * 256;
        sp.picnum = int16_t(8 + k % 8);
        sp.cstat = uint16_t(k % 3 == 0 ? 2 : 0);
        sp.xrepeat = 4;  // 8 x 4 / 4.8 map units wide, 8 x 3 / 4 high: about 8 x 8 pixels
        sp.yrepeat = 3;
        sp.shade = int8_t(k % 32);
        sp.pal = uint8_t(k % 4);
        sp.sectnum = 0;
    }
    map.spriteCount = kMaxSprites;
    ed->settings.spritesFull = 1;
    ed->settings.spriteOffsets = 0;
    ed->settings.spriteZoomLimit = 1 << 20;
    // 512 map units over about 700 columns.
    const double zoom = 512.0 / 700;
    ed->view.viewZoom = float(zoom);
    ed->view.viewOriginX = float(-256);
    ed->view.viewOriginY = float(256 + 55 * zoom);
    PlanFrame pf = planFrameOf(*ed);
    ++ed->planView.paintCount;
    projectWallPoints(pf);
    buildSpriteDrawList(pf, spriteMarkerSize(pf));
    int32_t frame = 0;
    for (auto _ : state) {
        ++ed->planView.paintCount;
        drawSpritePictures2D(pf, frame++);
        benchmark::ClobberMemory();
    }
    state.counters["sprites"] = ed->planView.spriteDrawCount;
}
BENCHMARK(BM_SpritePictures)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
