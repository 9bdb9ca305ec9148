// What a user waits for when the editor starts: from nothing to the first presented frame with
// the generated data folder (no game archive), and then one idle frame of the loop.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/Editor.h"
#include "app/FrameLoop.h"
#include "app/Startup.h"
#include "platform/HeadlessPlatform.h"

namespace {

using namespace korvel;

std::string programFolder() {
    return std::filesystem::path(KORVEL_DATA_DIR).parent_path().string();
}

void BM_StartupToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        HeadlessPlatform platform(programFolder());
        auto ed = std::make_unique<Editor>();
        ed->app.platform = &platform;
        if (!startup(*ed)) state.SkipWithError("start-up failed");
        runFrame(*ed);
        benchmark::DoNotOptimize(platform.presentCount());
    }
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond);

void BM_IdleFrame(benchmark::State& state) {
    HeadlessPlatform platform(programFolder());
    auto ed = std::make_unique<Editor>();
    ed->app.platform = &platform;
    if (!startup(*ed)) state.SkipWithError("start-up failed");
    for (auto _ : state) runFrame(*ed);
}
BENCHMARK(BM_IdleFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
