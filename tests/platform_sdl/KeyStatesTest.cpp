#include "platform/sdl/KeyStates.h"

#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace korvel {
namespace {

constexpr int16_t kDown = kKeyDownBit;
constexpr int16_t kToggle = kKeyToggleBit;

TEST(KeyStates, PressSetsTheSignBitAndFlipsTheToggle) {
    KeyStates keys;
    EXPECT_EQ(keys.state('A'), 0);
    keys.sourceDown(4, 'A');
    EXPECT_EQ(keys.state('A'), int16_t(kDown | kToggle));
    EXPECT_LT(keys.state('A'), 0);
    keys.sourceDown(4, 'A');  // held: auto-repeat does not toggle again
    EXPECT_EQ(keys.state('A'), int16_t(kDown | kToggle));
    keys.sourceUp(4);
    EXPECT_EQ(keys.state('A'), kToggle);
    keys.sourceDown(4, 'A');
    EXPECT_EQ(keys.state('A'), kDown);
    keys.sourceUp(4);
    EXPECT_EQ(keys.state('A'), 0);
    keys.sourceUp(4);  // an unmatched release changes nothing
    EXPECT_EQ(keys.state('A'), 0);
}

TEST(KeyStates, GenericModifiersAreDownWhileEitherSideIs) {
    struct Case {
        int left, right, generic;
    } cases[] = {{160, 161, 16}, {162, 163, 17}, {164, 165, 18}};
    for (const auto& c : cases) {
        KeyStates keys;
        keys.sourceDown(1, c.left);
        EXPECT_TRUE(keyIsDown(keys.state(c.generic)));
        keys.sourceDown(2, c.right);
        keys.sourceUp(1);
        EXPECT_TRUE(keyIsDown(keys.state(c.generic))) << c.generic;
        EXPECT_FALSE(keyIsDown(keys.state(c.left)));
        EXPECT_TRUE(keyIsDown(keys.state(c.right)));
        keys.sourceUp(2);
        EXPECT_FALSE(keyIsDown(keys.state(c.generic)));
        // Both sides overlapped in one press of the generic key: it toggled once.
        EXPECT_EQ(keys.state(c.generic) & kToggle, kToggle) << c.generic;
    }
}

TEST(KeyStates, ASourceReleasesTheKeyItPressedAndSharedKeysWaitForAll) {
    KeyStates keys;
    keys.sourceDown(89, 97);  // pad 1 pressed with NumLock on
    keys.sourceUp(89);        // released after NumLock went off: still its own key comes up
    EXPECT_FALSE(keyIsDown(keys.state(97)));
    EXPECT_FALSE(keyIsDown(keys.state(35)));

    keys.sourceDown(40, 13);  // Enter
    keys.sourceDown(88, 13);  // the pad's Enter
    keys.sourceUp(40);
    EXPECT_TRUE(keyIsDown(keys.state(13)));
    keys.sourceUp(88);
    EXPECT_FALSE(keyIsDown(keys.state(13)));
}

TEST(KeyStates, ReleaseAllKeepsTogglesAndLockTogglesAreSet) {
    KeyStates keys;
    keys.sourceDown(1, 160);
    keys.sourceDown(2, 'Q');
    keys.releaseAll();
    EXPECT_EQ(keys.state(16), kToggle);
    EXPECT_EQ(keys.state(160), kToggle);
    EXPECT_EQ(keys.state('Q'), kToggle);
    keys.sourceUp(2);  // the release that arrives late is harmless
    EXPECT_EQ(keys.state('Q'), kToggle);

    keys.setToggle(20, true);
    EXPECT_EQ(keys.state(20), kToggle);
    keys.sourceDown(57, 20);
    keys.setToggle(20, false);  // the real lock state wins over the flip of the press
    EXPECT_EQ(keys.state(20), kDown);
}

TEST(KeyStates, OutOfRangeInputsAreIgnored) {
    KeyStates keys;
    keys.sourceDown(-1, 'A');
    keys.sourceDown(KeyStates::kSourceCount, 'A');
    keys.sourceDown(3, 0);
    keys.sourceDown(3, 256);
    keys.sourceUp(-1);
    for (int vk = 0; vk < 256; ++vk) EXPECT_EQ(keys.state(vk), 0);
    EXPECT_EQ(keys.state(-1), 0);
    EXPECT_EQ(keys.state(256), 0);
}

}  // namespace
}  // namespace korvel
