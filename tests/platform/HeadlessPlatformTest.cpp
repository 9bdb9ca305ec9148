#include "platform/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/TempFolder.h"

namespace korvel {
namespace {

class HeadlessPlatformTest : public testing::Test {
protected:
    TempFolder tmp;
    HeadlessPlatform platform{tmp.path()};
};

TEST_F(HeadlessPlatformTest, ActivationAndCloseArriveOnlyInsideEventProcessing) {
    std::vector<int> seen;  // 1 activate, 0 deactivate, 9 close
    platform.setActivationHandler([&](bool active) { seen.push_back(active ? 1 : 0); });
    platform.setCloseHandler([&] { seen.push_back(9); });
    platform.queueActivation(false);
    platform.queueActivation(true);
    platform.queueClose();
    EXPECT_TRUE(seen.empty());
    platform.processEvents();
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 9}));
    platform.processEvents();  // delivered once only
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_EQ(platform.eventPasses(), 2);
}

TEST_F(HeadlessPlatformTest, KeyStatesCarryDownAndToggleBits) {
    EXPECT_EQ(platform.keyState('A'), 0);
    platform.setKeyDown('A', true);
    EXPECT_EQ(platform.keyState('A'), int16_t(kKeyDownBit | kKeyToggleBit));
    platform.setKeyDown('A', true);  // still held: no second toggle
    EXPECT_TRUE(keyIsDown(platform.keyState('A')));
    EXPECT_EQ(platform.keyState('A') & kKeyToggleBit, kKeyToggleBit);
    platform.setKeyDown('A', false);
    EXPECT_EQ(platform.keyState('A'), kKeyToggleBit);
    platform.setKeyDown('A', true);
    EXPECT_EQ(platform.keyState('A'), kKeyDownBit);
    platform.toggleKey(20);
    EXPECT_EQ(platform.keyState(20), kKeyToggleBit);
    EXPECT_EQ(platform.keyState(-1), 0);
    EXPECT_EQ(platform.keyState(256), 0);
}

TEST_F(HeadlessPlatformTest, SleepAdvancesTheClockUnlessToldNotTo) {
    platform.setClock(100);
    platform.sleep(15);
    EXPECT_EQ(platform.ticks(), 115u);
    platform.setSleepAdvancesClock(false);
    platform.sleep(10);
    EXPECT_EQ(platform.ticks(), 115u);
    EXPECT_EQ(platform.totalSlept(), 25u);
}

TEST_F(HeadlessPlatformTest, SoundsAreRecordedByNameAndMissingOnesApart) {
    tmp.write("KorvelD/beep2.wav", "RIFF");
    platform.playSound(platform.programFolder() + "KorvelD\\beep2.wav",
                       kSoundAsync | kSoundNoDefault);
    platform.playSound(platform.programFolder() + "KorvelD\\pyro.wav", 3);
    EXPECT_EQ(platform.playedSounds(), std::vector<std::string>{"beep2.wav"});
    EXPECT_EQ(platform.playedMissing(), std::vector<std::string>{"pyro.wav"});
}

TEST_F(HeadlessPlatformTest, LastFrameKeptWithRowZeroAtTheBottom) {
    std::vector<uint8_t> frame(size_t(kFrameWidth) * kFrameHeight, 0);
    frame[5] = 7;                                             // row 0, the bottom row
    frame[size_t(kFrameHeight - 1) * kFrameWidth + 799] = 9;  // top right
    Palette256 palette{};
    palette[7] = {1, 2, 3};
    platform.present(frame.data(), palette);
    frame[5] = 0;  // the kept frame is a copy
    EXPECT_EQ(platform.framePixel(5, 0), 7);
    EXPECT_EQ(platform.framePixel(799, 599), 9);
    EXPECT_EQ(platform.framePixel(800, 0), 0);
    EXPECT_EQ(platform.lastPalette()[7], (Rgb{1, 2, 3}));
    EXPECT_EQ(platform.presentCount(), 1);
}

}  // namespace
}  // namespace korvel
