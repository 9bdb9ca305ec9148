#include "app/BootLog.h"

#include <gtest/gtest.h>

#include "app/InputState.h"
#include "platform/HeadlessPlatform.h"
#include "support/DrawFixtures.h"
#include "support/TempFolder.h"
#include "ui/Fonts.h"

namespace korvel {
namespace {

// Space follows a script, one state per event pass (the last state repeats); a close request
// arrives at a chosen pass.
class ScriptedPlatform : public HeadlessPlatform {
public:
    using HeadlessPlatform::HeadlessPlatform;
    void processEvents() override {
        if (eventPasses() + 1 == closeAtPass) queueClose();
        HeadlessPlatform::processEvents();
        if (!spaceScript.empty())
            setKeyDown(32, spaceScript[std::min(next++, spaceScript.size() - 1)]);
    }
    std::vector<bool> spaceScript;
    size_t next = 0;
    int closeAtPass = -1;
};

struct LogRig {
    test::DrawRig draw;
    std::unique_ptr<Fonts> fonts = std::make_unique<Fonts>();
    TempFolder dir;
    ScriptedPlatform platform{dir.path()};
    InputState input;
    BootLogState log;

    LogRig() {
        // Glyph 'A' is a single ink pixel at its lower left corner.
        fonts->font7x11[size_t((15 - 'A' / 16) * 11) * 112 + ('A' % 16) * 7] = 255;
        platform.setCloseHandler([this] { input.closeRequested = true; });
        draw.clear(5);
    }
    void line(uint8_t colour) { bootLog(log, draw.canvas, *fonts, input, platform, "A", colour); }
};

TEST(BootLog, LinesHaveAShadowAndWrapAfterFortyNine) {
    LogRig rig;
    rig.line(83);
    EXPECT_EQ(rig.draw.px(2, 587), 83);
    EXPECT_EQ(rig.draw.px(3, 586), 0);  // shadow one right, one down
    EXPECT_EQ(rig.platform.presentCount(), 1);
    EXPECT_EQ(rig.platform.eventPasses(), 1);
    EXPECT_EQ(rig.platform.framePixel(2, 587), 83);
    for (int n = 2; n <= 49; ++n) rig.line(uint8_t(n));
    EXPECT_EQ(rig.draw.px(2, 11), 49);  // the 49th line at y = 10
    EXPECT_EQ(rig.draw.px(3, 10), 0);
    EXPECT_EQ(rig.log.bootLogLine, 0);
    rig.line(44);  // the 50th goes over the first without clearing it
    EXPECT_EQ(rig.draw.px(2, 587), 44);
    EXPECT_EQ(rig.log.bootLogLine, 1);
}

TEST(BootLog, StepByStepWaitsForANewPressOfSpace) {
    LogRig rig;
    rig.log.stepByStepBoot = 1;
    rig.platform.setKeyDown(32, true);  // still held from the line before
    rig.platform.spaceScript = {true, true, false, false, true, true};
    rig.line(83);
    // Three passes until the release shows, two until the new press, then the closing pass.
    EXPECT_EQ(rig.platform.eventPasses(), 6);
    EXPECT_EQ(rig.platform.presentCount(), 1);
    EXPECT_FALSE(rig.input.closeRequested);
}

TEST(BootLog, ClosingTheWindowEndsTheWait) {
    LogRig rig;
    rig.log.stepByStepBoot = 1;
    rig.platform.setKeyDown(32, true);
    rig.platform.spaceScript = {true};  // never released
    rig.platform.closeAtPass = 3;
    rig.line(83);
    EXPECT_TRUE(rig.input.closeRequested);
    EXPECT_EQ(rig.platform.eventPasses(), 4);
    rig.line(83);  // later lines no longer wait
    EXPECT_EQ(rig.platform.eventPasses(), 5);
}

TEST(BootLog, LinesWithinAFrameIntervalShareOnePresent) {
    LogRig rig;
    rig.platform.setSleepAdvancesClock(false);
    rig.line(83);  // the first line is always shown
    rig.line(84);
    rig.line(85);
    EXPECT_EQ(rig.platform.presentCount(), 1);
    EXPECT_EQ(rig.platform.eventPasses(), 3);  // events are still processed for each line
    rig.platform.advanceClock(16);
    rig.line(86);  // a frame interval later: shown, with the lines before it
    EXPECT_EQ(rig.platform.presentCount(), 2);
    EXPECT_EQ(rig.platform.framePixel(2, 587 - 36), 86);
    rig.line(87);
    showBootLog(rig.log, rig.draw.canvas, rig.platform);  // the last line reaches the screen
    EXPECT_EQ(rig.platform.presentCount(), 3);
    EXPECT_EQ(rig.platform.framePixel(2, 587 - 48), 87);
    showBootLog(rig.log, rig.draw.canvas, rig.platform);  // nothing new: no present
    EXPECT_EQ(rig.platform.presentCount(), 3);

    // Step by step, every line is shown before it waits.
    rig.log.stepByStepBoot = 1;
    rig.platform.spaceScript = {false, true};
    for (int n = 0; n < 3; ++n) {
        rig.platform.next = 0;
        rig.line(88);
    }
    EXPECT_EQ(rig.platform.presentCount(), 6);
}

TEST(BootLog, ProgressBarGrowsInStepsOfAtLeastNinePixels) {
    LogRig rig;
    rig.log.progressShown = 1;
    rig.log.progressTotal = 1000;
    rig.log.progressDone = 77;
    drawProgressFrame(rig.log, rig.draw.canvas, rig.platform);
    EXPECT_EQ(rig.log.progressDone, 0);
    EXPECT_EQ(rig.draw.px(141, 290), 0);
    EXPECT_EQ(rig.draw.px(658, 310), 0);
    EXPECT_EQ(rig.draw.px(142, 291), 20);
    EXPECT_EQ(rig.draw.px(657, 309), 20);
    EXPECT_EQ(rig.draw.px(143, 292), 0);
    EXPECT_EQ(rig.draw.px(140, 300), 5);
    const int presents = rig.platform.presentCount();
    for (int done = 1; done <= 19; ++done) {
        rig.log.progressDone = done;
        updateProgressBar(rig.log, rig.draw.canvas, rig.platform);
    }
    EXPECT_EQ(rig.platform.presentCount(), presents);
    EXPECT_EQ(rig.draw.px(144, 300), 0);
    rig.log.progressDone = 20;
    updateProgressBar(rig.log, rig.draw.canvas, rig.platform);
    for (int x = 144; x <= 152; ++x) EXPECT_EQ(rig.draw.px(x, 300), 20) << x;
    EXPECT_EQ(rig.draw.px(153, 300), 0);
    EXPECT_EQ(rig.draw.px(150, 293), 20);
    EXPECT_EQ(rig.draw.px(150, 292), 0);
    rig.log.progressDone = 1000;
    updateProgressBar(rig.log, rig.draw.canvas, rig.platform);
    EXPECT_EQ(rig.draw.px(654, 307), 20);
    EXPECT_EQ(rig.draw.px(655, 307), 0);
}

TEST(BootLog, ProgressBarStaysInItsBox) {
    struct Case {
        const char* name;
        uint8_t shown;
        int32_t total, done;
        int32_t lastColumn;  // last column of the bar; 0 when nothing is drawn
    };
    const Case cases[] = {{"hidden", 0, 100, 50, 0},
                          {"a total of 0", 1, 0, 5, 0},
                          {"a negative total", 1, -10, 5, 0},
                          {"more done than the total", 1, 100, 5000, 654},
                          {"a negative count", 1, 100, -50, 0},
                          {"counts near the limits", 1, INT32_MAX, INT32_MAX, 654}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogRig rig;
        rig.log.progressShown = c.shown;
        rig.log.progressTotal = c.total;
        drawProgressFrame(rig.log, rig.draw.canvas, rig.platform);
        const auto frame = rig.draw.fb->screen;
        rig.log.progressDone = c.done;
        updateProgressBar(rig.log, rig.draw.canvas, rig.platform);
        if (!c.shown) {
            EXPECT_TRUE(test::unchangedOutside(screenView(*rig.draw.fb), 5, {}));
        }
        if (c.lastColumn == 0) {
            EXPECT_EQ(rig.draw.fb->screen, frame);
            continue;
        }
        EXPECT_TRUE(test::unchangedOutside(screenView(*rig.draw.fb), 5, {141, 290, 658, 310}));
        EXPECT_EQ(rig.draw.px(c.lastColumn, 300), 20);
        EXPECT_EQ(rig.draw.px(c.lastColumn + 1, 300), 0);
    }
}

}  // namespace
}  // namespace korvel
