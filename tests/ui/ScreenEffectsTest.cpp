// The shake's shift, the swing's rotation and the set-up of the sparks page.
#include "ui/ScreenEffects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "base/Random.h"
#include "platform/HeadlessPlatform.h"
#include "support/TempFolder.h"
#include "ui/FrameBuffer.h"
#include "ui/Sparks.h"

namespace korvel {
namespace {

// A screen whose every pixel tells where it is: a diagonal ramp that no shift maps onto itself.
void fillRamp(FrameBuffer& fb) {
    const SurfaceView s = screenView(fb);
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = 0; x < kScreenWidth; ++x) s.at(x, y) = uint8_t((x * 7 + y * 13) % 251 + 1);
}
uint8_t ramp(int32_t x, int32_t y) {
    return uint8_t((x * 7 + y * 13) % 251 + 1);
}

TEST(ScreenEffects, ShiftMovesThePictureAndHalfAsFarThePointer) {
    struct Case {
        int32_t dx, dy;
        PointerPos pointerAfter;  // from (100, 100)
    };
    const Case cases[] = {{16, 0, {92, 100}}, {-3, 0, {101, 100}}, {0, 5, {100, 98}},
                          {-7, -9, {103, 104}}, {900, 0, {-350, 100}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.dx << "," << c.dy);
        TempFolder dir;
        HeadlessPlatform platform(dir.path());
        platform.setPointer(100, 100);
        FrameBuffer fb;
        fillRamp(fb);
        scrollScreenImage(fb, platform, c.dx, c.dy);
        const SurfaceView s = screenView(fb);
        int32_t wrong = 0;
        for (int32_t y = 0; y < kScreenHeight; ++y)
            for (int32_t x = 0; x < kScreenWidth; ++x) {
                const int32_t sx = x + c.dx, sy = y + c.dy;
                const bool inside = sx >= 0 && sx < kScreenWidth && sy >= 0 && sy < kScreenHeight;
                wrong += s.at(x, y) != (inside ? ramp(sx, sy) : 0);
            }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(platform.pointerPosition().x, c.pointerAfter.x);
        EXPECT_EQ(platform.pointerPosition().y, c.pointerAfter.y);
    }
    // Columns 784 to 799 are uncovered by a shift of 16.
    TempFolder dir;
    HeadlessPlatform platform(dir.path());
    FrameBuffer fb;
    fillRamp(fb);
    scrollScreenImage(fb, platform, 16, 0);
    EXPECT_EQ(screenView(fb).at(784, 300), 0);
    EXPECT_NE(screenView(fb).at(783, 300), 0);
}

TEST(ScreenEffects, RotationByAQuarterTurnLeavesThePictureWithinOnePixel) {
    FrameBuffer fb;
    fillRamp(fb);
    rotateScreenImage(fb, float(3.14159265358979 / 2));
    const SurfaceView s = screenView(fb);
    int32_t far = 0;
    for (int32_t y = 1; y < kScreenHeight - 1; ++y)
        for (int32_t x = 1; x < kScreenWidth - 1; ++x) {
            bool near = false;
            for (int32_t dy = -1; dy <= 1 && !near; ++dy)
                for (int32_t dx = -1; dx <= 1 && !near; ++dx) near = s.at(x, y) == ramp(x + dx, y + dy);
            far += !near;
        }
    EXPECT_EQ(far, 0);
    // Column 1 repeats column 0: the fixed-point start lies just below 0, floored to -1, and the
    // source is truncated towards zero.
    EXPECT_EQ(s.at(1, 300), ramp(0, 300));
}

TEST(ScreenEffects, RotationByAHalfTurnMirrorsThroughTheCentreAndBlanksTheRest) {
    FrameBuffer fb;
    fillRamp(fb);
    // a - pi / 2 = pi: the picture turned half round (400, 300).
    rotateScreenImage(fb, float(3 * 3.14159265358979 / 2));
    const SurfaceView s = screenView(fb);
    for (const auto& [x, y] : {std::pair{500, 350}, {300, 250}, {450, 120}}) {
        const uint8_t got = s.at(x, y);
        bool near = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) near |= got == ramp(800 - x + dx, 600 - y + dy);
        EXPECT_TRUE(near) << x << "," << y;
    }
    fillRamp(fb);
    rotateScreenImage(fb, 0.0f);  // a quarter turn: the corners' sources lie off the screen
    EXPECT_EQ(screenView(fb).at(0, 0), 0);
    EXPECT_EQ(screenView(fb).at(799, 599), 0);
}

TEST(ScreenEffects, SparksSetUpDrawsTheDocumentedNumbersPerColourStep) {
    struct Case {
        uint8_t step;
        int32_t colourClass;  // -1: drawn
        double mass;          // before the class
    };
    const Case cases[] = {{0, 6, 128}, {1, 6, 384}, {2, 6, 32},   {3, -1, 128},
                          {4, 2, 128}, {5, 3, 256}, {6, 5, 1024}, {7, 5, 256}};
    constexpr int32_t kCount = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.step));
        Sparks sp;
        sp.sparkX[0] = 11;
        sp.sparkVelX[0] = 3;
        sp.sparkVelY[3] = 9;
        sp.sparkColorCycle = c.step;
        Random random{12345}, expected{12345};
        initSparks(sp, kCount, random);
        for (int32_t i = 1; i < kCount; ++i) {
            EXPECT_EQ(sp.sparkX[i], double(randomSingle(expected) * 800.0f));
            EXPECT_EQ(sp.sparkY[i], double(randomSingle(expected) * 456.0f + 128.0f));
            EXPECT_EQ(sp.sparkVelX[i], 0);
            EXPECT_EQ(sp.sparkVelY[i], 0);
        }
        EXPECT_EQ(sp.sparkX[0], 11) << "spark 0 keeps its place";
        EXPECT_EQ(sp.sparkVelX[0], 3);
        for (int32_t i = 0; i < kCount; ++i) {
            int32_t cls = c.colourClass;
            if (cls < 0) cls = int32_t(std::floor(double(randomSingle(expected)) * 2));
            if (c.step == 7 && i == 0) cls = 2;
            EXPECT_EQ(sp.sparkColors[i], cls);
            EXPECT_EQ(sp.sparkRadius[i], std::sqrt(c.mass));
            const double scaled = cls == 1   ? -c.mass
                                  : cls == 2 ? c.mass * 16
                                  : cls == 3 ? c.mass / 16
                                  : cls == 4 ? c.mass * 64
                                  : cls == 5 ? c.mass / 64
                                             : c.mass;
            EXPECT_EQ(sp.sparkMass[i], scaled);
        }
        EXPECT_EQ(random.randomState, expected.randomState) << "no draw more or less";
    }
    // One spark: no position drawn, but still its class in step 3; step 6 gives radius 32, mass 16.
    Sparks one;
    one.sparkColorCycle = 3;
    Random r{1}, e{1};
    initSparks(one, 1, r);
    randomSingle(e);
    EXPECT_EQ(r.randomState, e.randomState);
    Sparks six;
    six.sparkColorCycle = 6;
    initSparks(six, 3, r);
    EXPECT_EQ(six.sparkRadius[2], 32);
    EXPECT_EQ(six.sparkMass[2], 16);
}

}  // namespace
}  // namespace korvel
