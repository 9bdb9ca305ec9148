// Per-frame cost of the sparks toy with every ball, the profile editor with a full profile side
// by side, and the help popup's largest topics.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "pages/HelpTopics.h"
#include "pages/ProfileEditor.h"
#include "pages/SparksToy.h"
#include "resources/ColorTables.h"
#include "ui/Fonts.h"
#include "ui/Languages.h"
#include "ui/Skin.h"

namespace {

using namespace korvel;

struct Surfaces {
    std::unique_ptr<FrameBuffer> fb = std::make_unique<FrameBuffer>();
    std::unique_ptr<ColorTables> colors = std::make_unique<ColorTables>();
    Canvas cv{*fb, *colors, false};
};

void BM_StepSparks512Balls(benchmark::State& state) {
    Surfaces s;
    auto toy = std::make_unique<SparksToyState>();
    buildSparkShadeImage(toy->sparkShadeImage);
    toy->sparkCount = kSparkCapacity;
    toy->sparkInteraction = uint8_t(state.range(0));
    for (int32_t i = 0; i < kSparkCapacity; ++i) {
        toy->sparkX[i] = 20 + (i * 37) % 760;
        toy->sparkY[i] = 140 + (i * 53) % 430;
        toy->sparkMass[i] = 1 + i % 64;
        toy->sparkRadius[i] = 1 + (i % 64) / 4.0 + 1;
        toy->sparkColors[i] = uint8_t(i % 7);
    }
    const SparkPointer mouse{400, 350, true, false};
    for (auto _ : state) {
        stepSparkBalls(s.cv, *toy, mouse);
        benchmark::DoNotOptimize(s.fb->screen.data());
    }
}
BENCHMARK(BM_StepSparks512Balls)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ProfileEditor4096Segments(benchmark::State& state) {
    Surfaces s;
    Fonts fonts;
    Languages langs;
    Skin skin;
    auto p = std::make_unique<ProfileEditorState>();
    p->profileZoom = 1;
    p->contourCount = kContourCapacity;
    p->contourSelected = 17;
    p->profileNearSlice = 2000, p->profileNearHandle = 4;
    p->profileDragSlice = 2001, p->profileDragHandle = 2;
    // Side by side: each segment a fifth of a pixel wide, so the profile spans the pane.
    for (int32_t k = 0; k < kContourCapacity; ++k)
        p->contour[size_t(k)] = {k * 2 / 11 - 372, 1600, -1600, (k + 1) * 2 / 11 - 372 + 1,
                                 800, -800};
    for (auto _ : state) {
        paintProfileEditor({s.cv, fonts, langs, skin, int32_t(state.range(0)), 0}, *p);
        benchmark::DoNotOptimize(s.fb->screen.data());
    }
}
BENCHMARK(BM_ProfileEditor4096Segments)->Arg(64)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_HelpTopics(benchmark::State& state) {
    Surfaces s;
    Fonts fonts;
    for (auto* sheet : {&fonts.font4x6, &fonts.font7x11, &fonts.font8x11})
        std::fill(sheet->begin(), sheet->end(), uint8_t(255));
    fonts.font8x11Widths.fill(7);
    Languages langs;
    LanguageRecord record;
    for (auto& t : record.texts) t = std::string(60, 'w');
    langs.languages.push_back(record);
    NameTable names(1000);
    for (size_t i = 0; i < names.size(); ++i) names.set(i, std::string(200, 'n'));
    std::vector<int32_t> uses(1000, 123456);
    const std::string prompt = "500";
    const HelpTopicInput in{s.cv, fonts, langs, prompt, 0, names, uses};
    for (auto _ : state) {
        drawEffectorLotagList(in);
        drawSectorLotagList(in);
        drawSoundList(in);
        for (int32_t tool = 1; tool <= 35; ++tool) drawToolHint(in, tool);
        benchmark::DoNotOptimize(s.fb->screen.data());
    }
}
BENCHMARK(BM_HelpTopics)->Unit(benchmark::kMillisecond);

}  // namespace
