#include "app/BootLog.h"

#include <algorithm>
#include <cstring>

#include "app/InputState.h"
#include "platform/Platform.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int kSpaceKey = 32;
constexpr int32_t kLogLines = 49;
// How long each pass of the step-by-step wait sleeps, in milliseconds.
constexpr uint32_t kWaitSleep = 10;
// One frame at 60 frames a second, in milliseconds.
constexpr uint32_t kFrameInterval = 16;

void presentLog(BootLogState& log, const Canvas& cv, Platform& platform) {
    presentScreen(cv.frame, platform);
    log.presentPending = 0;
    log.presentedOnce = 1;
    log.lastPresentTick = platform.ticks();
}

void fillRows(const Canvas& cv, int32_t rowFrom, int32_t rowTo, int64_t x, int64_t width,
              uint8_t colour) {
    const SurfaceView s = screenView(cv.frame);
    const int64_t a = std::max<int64_t>(x, 0), b = std::min<int64_t>(x + width - 1, s.width - 1);
    if (a > b) return;
    for (int32_t y = std::max(rowFrom, 0); y <= std::min(rowTo, s.height - 1); ++y)
        std::memset(&s.at(int32_t(a), y), colour, size_t(b - a + 1));
}

}  // namespace

void bootLog(BootLogState& log, const Canvas& cv, const Fonts& fonts, const InputState& input,
             Platform& platform, const std::string& text, uint8_t colour) {
    if (log.bootLogLine < 0 || log.bootLogLine >= kLogLines) log.bootLogLine = 0;
    const int32_t y = 586 - 12 * log.bootLogLine;
    drawText(cv, fonts, text, 3, y, 0);
    drawText(cv, fonts, text, 2, y + 1, colour);
    if (++log.bootLogLine >= kLogLines) log.bootLogLine = 0;
    if (log.stepByStepBoot || !log.presentedOnce ||
        platform.ticks() - log.lastPresentTick >= kFrameInterval)
        presentLog(log, cv, platform);
    else
        log.presentPending = 1;
    if (log.stepByStepBoot) {
        auto spaceDown = [&] { return keyIsDown(platform.keyState(kSpaceKey)); };
        // A held Space does not count: each line needs a new press.
        while (spaceDown() && !input.closeRequested) {
            platform.processEvents();
            platform.sleep(kWaitSleep);
        }
        while (!spaceDown() && !input.closeRequested) {
            platform.processEvents();
            platform.sleep(kWaitSleep);
        }
    }
    platform.processEvents();
}

void showBootLog(BootLogState& log, const Canvas& cv, Platform& platform) {
    if (log.presentPending) presentLog(log, cv, platform);
}

void drawProgressFrame(BootLogState& log, const Canvas& cv, Platform& platform) {
    if (!log.progressShown) return;
    fillRows(cv, 290, 310, 141, 518, 0);
    fillRows(cv, 291, 309, 142, 516, 20);
    fillRows(cv, 292, 308, 143, 514, 0);
    log.progressDone = 0;
    log.progressDrawnWidth = 0;
    presentLog(log, cv, platform);
    platform.processEvents();
}

void updateProgressBar(BootLogState& log, const Canvas& cv, Platform& platform) {
    if (!log.progressShown || log.progressTotal < 1) return;
    const int64_t w =
        std::clamp<int64_t>(int64_t(log.progressDone) * 512 / log.progressTotal, 0, 512);
    const int64_t n = w - log.progressDrawnWidth - 1;
    if (n <= 8) return;
    fillRows(cv, 293, 307, 144 + int64_t(log.progressDrawnWidth), n, 20);
    presentLog(log, cv, platform);
    log.progressDrawnWidth = int32_t(w - 1);
}

}  // namespace korvel
