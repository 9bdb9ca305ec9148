// The statistics pie: its picture from a seeded generator, a number of random draws that depends
// on its size alone, and nothing drawn outside the background.
#include "views/PieChart.h"

#include <gtest/gtest.h>

#include <memory>

#include "resources/ColorTables.h"

namespace korvel {
namespace {

struct PieRig {
    std::unique_ptr<FrameBuffer> fb = std::make_unique<FrameBuffer>();
    std::unique_ptr<ColorTables> colors = std::make_unique<ColorTables>();
    Canvas cv{*fb, *colors, false};
    Random random{12345};
    uint8_t bg(int32_t x, int32_t y) { return backgroundView(*fb).at(x, y); }
};

// FNV-1a over a rectangle of the background.
uint64_t regionHash(FrameBuffer& fb, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const SurfaceView bg = backgroundView(fb);
    uint64_t h = 1469598103934665603ull;
    for (int32_t y = y1; y <= y2; ++y)
        for (int32_t x = x1; x <= x2; ++x) h = (h ^ bg.at(x, y)) * 1099511628211ull;
    return h;
}

TEST(PieChart, PictureOfTheStatisticsPie) {
    struct Case {
        int32_t split;
        uint64_t hash;
    };
    // An empty map's share, half the largest map, and the whole.
    const Case cases[] = {{6, 665958916047407046ull},
                          {32768, 10879749075144006434ull},
                          {65536, 14729044304556992823ull}};
    for (const Case& c : cases) {
        PieRig r;
        drawPieChart(r.cv, r.random, 400, 216, 64, 12, c.split, 120, 216);
        EXPECT_EQ(regionHash(*r.fb, 330, 140, 470, 260), c.hash) << "split " << c.split;
    }
}

TEST(PieChart, HalfSplitLightsTheFrontRimInTheFirstColour) {
    PieRig r;
    drawPieChart(r.cv, r.random, 400, 216, 64, 12, 32768, 120, 216);
    // The rim's front column below the centre: (colour + 3) + 4 (y - yy) / r and a random value
    // in [0, 1) give 120 + 3 + 2 = 125 (yy = y - 36 at the front).
    const uint8_t v = r.bg(400, 216 - 36 - 6);
    EXPECT_GE(v, 125);
    EXPECT_LE(v, 126);
    // The outline and the split line are drawn in colour 0.
    EXPECT_EQ(r.bg(335, 216), 0);
}

// The top face's pixels are found on rows scaled by 1.732, so the centre's row counts too; the
// split angle and how much of the pie the background clips do not.
TEST(PieChart, RandomDrawsDependOnTheSizeAndRowOnly) {
    auto drawsFor = [](int32_t x, int32_t y, int32_t radius, int32_t split) {
        PieRig r;
        drawPieChart(r.cv, r.random, x, y, radius, 12, split, 120, 216);
        return r.random.randomState;
    };
    const uint32_t reference = drawsFor(400, 216, 64, 0);
    EXPECT_NE(reference, 12345u);
    EXPECT_EQ(drawsFor(400, 216, 64, 50000), reference);
    EXPECT_EQ(drawsFor(5, 216, 64, 0), reference);        // half off the background
    EXPECT_EQ(drawsFor(790, 216, 64, 20000), reference);  // clipped at the other side
    EXPECT_EQ(drawsFor(-5000, 216, 64, 0), reference);    // wholly outside
    EXPECT_EQ(drawsFor(400, 216, 3, 0), 12345u);          // too small: nothing at all
}

TEST(PieChart, SmallRadiusDrawsNothing) {
    PieRig r;
    const std::vector<uint8_t> before = r.fb->background;
    for (int32_t radius : {-5, 0, 1, 3})
        drawPieChart(r.cv, r.random, 400, 216, radius, 12, 0, 1, 2);
    EXPECT_TRUE(r.fb->background == before);
}

}  // namespace
}  // namespace korvel
