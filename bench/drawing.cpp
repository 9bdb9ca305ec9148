// What one frame of drawing costs: the plan view's lines, the texts of pages and chrome, and the
// background copy with the cursor that every frame starts and ends with.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/InputState.h"
#include "platform/HeadlessPlatform.h"
#include "resources/ColorTables.h"
#include "support/DrawFixtures.h"
#include "ui/Cursor.h"
#include "ui/Fonts.h"
#include "ui/FrameBuffer.h"
#include "ui/Raster.h"
#include "ui/Skin.h"
#include "ui/Text.h"

namespace {

using namespace korvel;

struct Scene {
    std::unique_ptr<FrameBuffer> fb = std::make_unique<FrameBuffer>();
    std::unique_ptr<ColorTables> colors = std::make_unique<ColorTables>();
    std::unique_ptr<Fonts> fonts = std::make_unique<Fonts>();
    std::unique_ptr<Skin> skin = std::make_unique<Skin>();

    Scene() {
        test::fillSyntheticBlend(*colors);
        std::mt19937 rng(3);
        for (auto* sheet : {&fonts->font4x6, &fonts->font7x11, &fonts->font5x7, &fonts->font8x11})
            for (auto& b : *sheet) b = (rng() % 3 == 0) ? 255 : 0;
        for (size_t k = 0; k < 224; ++k) {
            fonts->font5x7Widths[k] = uint8_t(3 + k % 3);
            fonts->font8x11Widths[k] = uint8_t(4 + k % 5);
        }
        for (auto& b : skin->skin) b = (rng() % 4 == 0) ? kSkinTransparent : uint8_t(rng());
    }
    Canvas canvas(bool smooth) { return Canvas{*fb, *colors, smooth}; }
};

struct Line {
    int32_t x1, y1, x2, y2;
};

// Plan-view walls: mostly short and on screen, some crossing the edges, a few far outside.
std::vector<Line> planLines(int n) {
    std::mt19937 rng(11);
    std::vector<Line> lines;
    for (int i = 0; i < n; ++i) {
        const int kind = int(rng() % 10);
        const int32_t x = int32_t(rng() % 1000) - 100, y = int32_t(rng() % 700) - 50;
        const int32_t reach = kind < 7 ? 60 : kind < 9 ? 600 : 100000;
        lines.push_back({x, y, x + int32_t(rng() % (2 * reach)) - reach,
                         y + int32_t(rng() % (2 * reach)) - reach});
    }
    return lines;
}

void BM_MapViewLines10000(benchmark::State& state) {
    Scene scene;
    const Canvas cv = scene.canvas(state.range(0) != 0);
    const auto lines = planLines(10000);
    for (auto _ : state) {
        for (const Line& l : lines) drawLineMapView(cv, l.x1, l.y1, l.x2, l.y2, 33);
        benchmark::ClobberMemory();
    }
    state.SetLabel(state.range(0) ? "smoothed" : "plain");
}
BENCHMARK(BM_MapViewLines10000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

std::vector<std::string> texts(int n) {
    std::mt19937 rng(5);
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) {
        std::string s(8 + rng() % 24, ' ');
        for (char& c : s) c = char(32 + rng() % 224);
        out.push_back(s);
    }
    return out;
}

template <void (*Draw)(const Canvas&, const Fonts&, const std::string&, int32_t, int32_t, int32_t)>
void BM_Strings2000(benchmark::State& state) {
    Scene scene;
    const Canvas cv = scene.canvas(false);
    const auto strings = texts(2000);
    std::vector<std::pair<int32_t, int32_t>> at;
    std::mt19937 rng(9);
    for (int i = 0; i < 2000; ++i) at.push_back({int32_t(rng() % 760), int32_t(rng() % 590)});
    for (auto _ : state) {
        for (size_t i = 0; i < strings.size(); ++i)
            Draw(cv, *scene.fonts, strings[i], at[i].first, at[i].second, 83);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Strings2000<drawSmallText>)->Name("BM_Strings2000/4x6")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Strings2000<drawText>)->Name("BM_Strings2000/7x11")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Strings2000<drawSmallPropText>)
    ->Name("BM_Strings2000/5x7")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Strings2000<drawPropText>)->Name("BM_Strings2000/8x11")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Strings2000<drawTextMapClipped>)
    ->Name("BM_Strings2000/7x11 map view")
    ->Unit(benchmark::kMillisecond);

void BM_BackgroundCopyAndCursor(benchmark::State& state) {
    Scene scene;
    const Canvas cv = scene.canvas(false);
    HeadlessPlatform platform("/tmp");
    InputState input;
    const CursorState cursor{CursorShape::MapCross, 72};
    const CursorOptions options{true, true};
    MapCursorInputs map;
    int32_t dragStart = 0;
    int32_t frame = 0;
    for (auto _ : state) {
        copyBackgroundToScreen(*scene.fb);
        // A pointer moving 20 pixels per frame: a shadow and a trail of six copies.
        input.prevMouseX2 = input.prevMouseX, input.prevMouseY2 = input.prevMouseY;
        input.prevMouseX = input.mouseX, input.prevMouseY = input.mouseY;
        input.mouseX = 100 + (frame * 20) % 600, input.mouseY = 300;
        drawCursor(cv, *scene.skin, cursor, options, map, input, dragStart, platform);
        ++frame;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BackgroundCopyAndCursor)->Unit(benchmark::kMicrosecond);

}  // namespace
