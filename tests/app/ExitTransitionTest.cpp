#include "app/ExitTransition.h"

#include <gtest/gtest.h>

#include <set>

#include "base/Mainm.h"
#include "support/EditorRig.h"

namespace korvel {
namespace {

using test::EditorRig;

constexpr uint8_t kDark = 7;  // what every colour becomes at the darkest shade level

// Shade level 31 turns every colour into kDark; the other levels leave a colour nearly alone.
void fillShades(ColorTables& ct) {
    for (int level = 0; level < 32; ++level)
        for (int c = 0; c < 256; ++c)
            ct.displayShades[size_t(level) * 256 + size_t(c)] =
                level == 31 ? kDark : uint8_t(c == kDark || c == 0 ? 200 + level % 8 : c);
}

void fillPicture(FrameBuffer& fb) {
    const SurfaceView s = screenView(fb);
    for (int32_t y = 0; y < 600; ++y)
        for (int32_t x = 0; x < 800; ++x) s.at(x, y) = uint8_t(11 + (x * 7 + y * 13) % 180);
}

// The seed whose first draw picks transition k.
uint32_t seedFor(int32_t k) {
    for (uint32_t seed = 0;; ++seed) {
        Random r{seed};
        if (safeFloor(double(randomSingle(r)) * 7) == k) return seed;
    }
}

class ExitTransitionK : public ::testing::TestWithParam<int32_t> {};

TEST_P(ExitTransitionK, EndsInItsFinalPicture) {
    const int32_t k = GetParam();
    {
        EditorRig r("", false);
        r.dir.makeFolder("KorvelD");
        r.ed->settings.exitEffect = 1;
        r.ed->settings.frameDelay = 3;
        fillShades(r.ed->colorTables);
        fillPicture(r.ed->frameBuffer);
        r.ed->random.randomState = seedFor(k);
        EXPECT_TRUE(playExitTransition(*r.ed));
        EXPECT_EQ(r.platform->presentCount(), exitTransitionSteps(k));
        EXPECT_EQ(r.platform->eventPasses(), exitTransitionSteps(k));
        EXPECT_EQ(r.platform->totalSlept(), uint32_t(3 * exitTransitionSteps(k)));

        const SurfaceView s = screenView(r.ed->frameBuffer);
        std::set<uint8_t> colours;
        int32_t lit = 0, litOutsideTheLastPiece = 0;
        for (int32_t y = 0; y < 600; ++y)
            for (int32_t x = 0; x < 800; ++x) {
                const uint8_t c = s.at(x, y);
                colours.insert(c);
                if (c == 0) continue;
                ++lit;
                if (x < 290 || x > 509 || y < 291 || y > 309) ++litOutsideTheLastPiece;
            }
        switch (k) {
            case 0:
            case 3:
            case 4:
                EXPECT_EQ(colours, std::set<uint8_t>{kDark});
                break;
            case 2:
                EXPECT_TRUE(colours == std::set<uint8_t>({0, kDark}) ||
                            colours == std::set<uint8_t>{0});
                break;
            case 1:  // a 220 x 19 piece of the picture is left
                EXPECT_EQ(lit, 220 * 19);
                EXPECT_EQ(litOutsideTheLastPiece, 0);
                break;
            default:
                EXPECT_EQ(colours, std::set<uint8_t>{0});
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachOfTheSeven, ExitTransitionK, ::testing::Range(0, kExitTransitions));

TEST(ExitTransition, ConfigurationIsWrittenWithOrWithoutAnEffect) {
    for (uint8_t effect : {0, 1}) {
        EditorRig r;
        r.ed->settings.exitEffect = effect;
        r.ed->settings.frameDelay = 77;
        fillPicture(r.ed->frameBuffer);
        const auto before = r.ed->frameBuffer.screen;
        EXPECT_TRUE(playExitTransition(*r.ed));
        EXPECT_NE(r.dir.read("KorvelD/korvel.cfg").find("frmdelay77\r\n"), std::string::npos);
        EXPECT_EQ(r.ed->frameBuffer.screen == before, effect == 0);
    }
    EditorRig noData("", false);
    EXPECT_FALSE(playExitTransition(*noData.ed)) << "a configuration that cannot be written";
}

TEST(ExitTransition, ZoomTreatsSourceRowZeroAsOutside) {
    // After the first step (scale 1.2) the bottom row maps to source row -60: black; the middle
    // row maps onto itself at shade level 0.
    EditorRig r("", false);
    fillShades(r.ed->colorTables);
    fillPicture(r.ed->frameBuffer);
    const uint8_t centre = screenView(r.ed->frameBuffer).at(400, 300);
    int steps = 0;
    runExitTransition(r.ed->frameBuffer, r.ed->colorTables, 2, [&] {
        if (++steps != 1) return;
        EXPECT_EQ(screenView(r.ed->frameBuffer).at(400, 0), 0);
        EXPECT_EQ(screenView(r.ed->frameBuffer).at(400, 300), centre);
    });
    EXPECT_EQ(steps, 32);
}

}  // namespace
}  // namespace korvel
