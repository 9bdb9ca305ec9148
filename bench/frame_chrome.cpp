// What the chrome costs per frame on a started editor: the whole chrome with a menu open, the
// history panel open, 4,096 particles and a tooltip; and the full rebuild of both panels.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "StartedEditor.h"
#include "app/Editor.h"
#include "app/FrameChrome.h"
#include "app/PanelBackground.h"
#include "app/Startup.h"
#include "platform/HeadlessPlatform.h"
#include "ui/Menus.h"

namespace {

using namespace korvel;

struct Started : StartedEditor {
    Started() {
        ed->particles.screenEffectFrame = 200;
    }
};

Started& started() {
    static Started s;
    return s;
}

// Particles spread over the screen, rising so that none leaves through the bottom.
void fillParticles(Editor& ed) {
    Particles& p = ed.particles;
    p.particles.resize(4096);
    for (int32_t i = 0; i < 4096; ++i)
        p.particles[size_t(i)] = {float(20 + (i * 37) % 760), float(150 + (i * 53) % 400),
                                  float(i % 7 - 3), 0.5f, 200};
    p.particleCount = 4096;
}

void BM_WholeChrome(benchmark::State& state) {
    Editor& ed = *started().ed;
    ed.menus.openMenu = 1;
    drawOpenMenu(ed);
    ed.app.messageLogAnim = 32;
    ed.app.tooltipText = getMessage(441, ed.langs);
    ed.input.mouseX = 300;
    ed.input.mouseY = 200;
    ed.app.redrawRequest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fillParticles(ed);
        copyBackgroundToScreen(ed.frameBuffer);
        state.ResumeTiming();
        drawFrameChrome(ed);
        drawTooltip(ed);
        benchmark::DoNotOptimize(ed.frameBuffer.screen.data());
    }
    ed.menus.openMenu = 0;
    ed.app.messageLogAnim = -1;
}
BENCHMARK(BM_WholeChrome)->Unit(benchmark::kMicrosecond);

void BM_FullPanelRebuild(benchmark::State& state) {
    Editor& ed = *started().ed;
    for (auto _ : state) {
        ed.app.redrawRequest = 2;
        rebuildBackground(ed);
        benchmark::DoNotOptimize(ed.frameBuffer.background.data());
    }
}
BENCHMARK(BM_FullPanelRebuild)->Unit(benchmark::kMicrosecond);

}  // namespace
