// What demos, screenshots and the screen effects cost: a 2000-frame demo replayed headless
// without sleeping, one screen rotation, one screen shift, and one screenshot written.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "BenchFolder.h"
#include "app/Demo.h"
#include "app/DemoFile.h"
#include "app/Editor.h"
#include "app/FrameLoop.h"
#include "app/Screenshot.h"
#include "app/Startup.h"
#include "platform/HeadlessPlatform.h"
#include "ui/ScreenEffects.h"

namespace {

using namespace korvel;

struct Started {
    BenchFolder folder;
    std::unique_ptr<HeadlessPlatform> platform;
    std::unique_ptr<Editor> ed;
    Started() {
        std::error_code ec;
        std::filesystem::copy(KORVEL_DATA_DIR, folder.file("KorvelD"),
                              std::filesystem::copy_options::recursive, ec);
        platform = std::make_unique<HeadlessPlatform>(folder.path, "");
        platform->setSleepAdvancesClock(false);
        ed = std::make_unique<Editor>();
        ed->app.platform = platform.get();
        startup(*ed);
        ed->settings.limitCpu = 0;
        ed->settings.autosaveDelay = 0;
    }
};

Started& started() {
    static Started s;
    return s;
}

// The pointer wanders over the map and a key goes down and up now and then.
std::string wanderingDemo(const Settings& s, int32_t frames) {
    DemoFileData d;
    storeDemoSettings(d.header, 1, s);
    for (int32_t i = 0; i < frames; ++i) {
        DemoFrame f;
        f.x = int16_t(100 + (i * 7) % 600);
        f.y = int16_t(150 + (i * 11) % 400);
        f.time = i * 16;
        f.prevKeyCount = d.frames.empty() ? 0 : d.frames.back().keyCount;
        f.keyCount = i % 50 == 10 || i % 50 == 12 ? 1 : 0;
        if (f.keyCount) d.keys.push_back('M');
        d.frames.push_back(f);
    }
    return serializeDemoFile(d);
}

void BM_ReplayDemo2000Frames(benchmark::State& state) {
    Started& s = started();
    const std::string path = s.folder.file("bench.kvd");
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        const std::string bytes = wanderingDemo(s.ed->settings, 2000);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    int64_t frames = 0;
    for (auto _ : state) {
        playDemo(*s.ed, path);
        s.ed->settings.limitCpu = 0;
        do {
            runFrame(*s.ed);
            ++frames;
        } while (s.ed->demo.demoFrameIndex != -1);
    }
    state.counters["frames/s"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReplayDemo2000Frames)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_RotateScreenImage(benchmark::State& state) {
    Started& s = started();
    for (auto _ : state) rotateScreenImage(s.ed->frameBuffer, 1.3f);
}
BENCHMARK(BM_RotateScreenImage)->Unit(benchmark::kMicrosecond);

void BM_ScrollScreenImage(benchmark::State& state) {
    Started& s = started();
    for (auto _ : state) scrollScreenImage(s.ed->frameBuffer, *s.platform, 7, -5);
}
BENCHMARK(BM_ScrollScreenImage)->Unit(benchmark::kMicrosecond);

void BM_Screenshot(benchmark::State& state) {
    Started& s = started();
    for (auto _ : state) {
        s.ed->app.screenshotCounter = 0;
        benchmark::DoNotOptimize(saveScreenshot(*s.ed));
    }
}
BENCHMARK(BM_Screenshot)->Unit(benchmark::kMicrosecond);

}  // namespace
