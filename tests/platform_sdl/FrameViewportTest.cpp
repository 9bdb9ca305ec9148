#include "platform/sdl/FrameViewport.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(FrameViewport, KeepsTheAspectAndCentres) {
    struct Case {
        int w, h;
        int x, y, width, height;
    } cases[] = {
        {800, 600, 0, 0, 800, 600},
        {1024, 768, 0, 0, 1024, 768},
        {1920, 1080, 240, 0, 1440, 1080},
        {800, 1000, 0, 200, 800, 600},
        {1000, 600, 100, 0, 800, 600},
        {400, 300, 0, 0, 400, 300},
        {0, 0, 0, 0, 1, 1},
        {1, 10000, 0, 4999, 1, 1},
    };
    for (const auto& c : cases) {
        const FrameViewport v = frameViewport(c.w, c.h);
        EXPECT_EQ(v.x, c.x) << c.w << "x" << c.h;
        EXPECT_EQ(v.y, c.y) << c.w << "x" << c.h;
        EXPECT_EQ(v.width, c.width) << c.w << "x" << c.h;
        EXPECT_EQ(v.height, c.height) << c.w << "x" << c.h;
    }
}

TEST(FrameViewport, EveryFramePixelMapsBackToItselfWhenScaledUp) {
    for (auto [w, h] : {std::pair{800, 600}, {1024, 768}, {1920, 1080}, {1366, 768}, {801, 999}}) {
        const FrameViewport v = frameViewport(w, h);
        for (int x = 0; x < kFrameWidth; ++x) {
            const PointerPos p =
                windowToFrame(v, frameToWindow(v, x, 300).x, frameToWindow(v, x, 300).y);
            ASSERT_EQ(p.x, x) << w << "x" << h;
            ASSERT_EQ(p.y, 300) << w << "x" << h;
        }
        for (int y = 0; y < kFrameHeight; ++y) {
            const PointerPos wp = frameToWindow(v, 17, y);
            ASSERT_EQ(windowToFrame(v, wp.x, wp.y).y, y) << w << "x" << h;
        }
    }
}

TEST(FrameViewport, WindowEdgesAndBarsMapOutsideTheFrame) {
    const FrameViewport v = frameViewport(1920, 1080);  // bars of 240 pixels left and right
    EXPECT_EQ(windowToFrame(v, 240, 0).x, 0);
    EXPECT_EQ(windowToFrame(v, 240, 0).y, 0);
    EXPECT_EQ(windowToFrame(v, 1679, 1079).x, 799);
    EXPECT_EQ(windowToFrame(v, 1679, 1079).y, 599);
    EXPECT_EQ(windowToFrame(v, 239, 0).x, -1);  // just inside the left bar
    EXPECT_EQ(windowToFrame(v, 1680, 0).x, 800);
    EXPECT_EQ(windowToFrame(v, 240, -1).y, -1);  // above the window
    // Scaled down, a window pixel stands for the frame pixel under its centre.
    const FrameViewport half = frameViewport(400, 300);
    EXPECT_EQ(windowToFrame(half, 100, 50).x, 201);
    EXPECT_EQ(windowToFrame(half, 100, 50).y, 101);
}

}  // namespace
}  // namespace korvel
