#include "app/ParticleShow.h"

#include <gtest/gtest.h>

#include "app/FrameChrome.h"
#include "support/ChromeRig.h"

namespace korvel {
namespace {

using test::ChromeRig;

int32_t drawsBetween(Random before, const Random& after, int32_t limit) {
    for (int32_t n = 0; n <= limit; ++n) {
        if (before.randomState == after.randomState) return n;
        (void)randomSingle(before);
    }
    return limit + 1;
}

struct Sparks : ChromeRig {
    Particles& list = ed->particles;
    void set(std::initializer_list<Particle> ps) {
        list.particles.assign(ps);
        list.particleCount = int32_t(ps.size());
    }
};

TEST(ParticleShow, LifeAndSpeedColours) {
    struct Case {
        int32_t life, colour;
    };
    // Fresh particles (life 193..208) show in 71 or 83; the last ones in 0 to 4.
    for (const Case c : {Case{193, 71}, Case{207, 71}, Case{208, 83}, Case{80, 125},
                         Case{159, 92}, Case{160, 93}, Case{176, 70}, Case{4 * 16, 4},
                         Case{0, 0}, Case{16 * 300, 44}, Case{-16, 255}})
        EXPECT_EQ(lifeColour(c.life), c.colour) << c.life;
    struct Speed {
        float vx, vy;
        int32_t colour;
    };
    for (const Speed s : {Speed{0, 0, 8}, Speed{3, 4, 20}, Speed{0, 11.5f, 112}, Speed{12, 0, 110},
                          Speed{1e30f, 1e30f, 8}, Speed{-1, 0, 128}})
        EXPECT_EQ(speedColour(s.vx, s.vy), s.colour) << s.vx << " " << s.vy;
}

TEST(ParticleShow, RemovalThroughTheBottomVisitsTheMovedSlotOnce) {
    Sparks s;
    s.ed->settings.sparkMode = 0;
    // Slot 0 falls out; the last particle moves into it and is moved exactly once.
    s.set({{100, 0.5f, 0, 0, 50}, {200, 300, 1, 0, 50}, {300, 300, 2, 0, 50}});
    stepParticles(*s.ed);
    ASSERT_EQ(s.list.particleCount, 2);
    EXPECT_FLOAT_EQ(s.list.particles[0].x, 302);
    EXPECT_FLOAT_EQ(s.list.particles[1].x, 201);
    EXPECT_EQ(s.list.particles[0].shade, 49);
}

TEST(ParticleShow, SidesBounceAndTheTopKeepsTheParticle) {
    Sparks s;
    s.ed->settings.sparkMode = 0;
    s.set({{0.5f, 300, -3, 0, 10}, {799.5f, 300, 3, 0, 10}, {400, 650, 0, 1, 10}});
    stepParticles(*s.ed);
    ASSERT_EQ(s.list.particleCount, 3);
    // Put back at column 1 and 798 with the speed reversed and divided by 1.5, then moved.
    EXPECT_FLOAT_EQ(s.list.particles[0].vx, 2.0f / 1.01f);
    EXPECT_FLOAT_EQ(s.list.particles[0].x, 3);
    EXPECT_FLOAT_EQ(s.list.particles[1].vx, -2.0f / 1.01f);
    EXPECT_FLOAT_EQ(s.list.particles[1].x, 796);
    EXPECT_FLOAT_EQ(s.list.particles[2].y, 651);
    EXPECT_EQ(s.px(400, 599), 0) << "above the top: not drawn";
}

TEST(ParticleShow, DrawnAsAStreakInItsColour) {
    Sparks s;
    s.ed->settings.sparkMode = 0;
    s.ed->settings.smoothLines = 0;
    s.set({{100, 100, 3, 0, 200}});
    stepParticles(*s.ed);
    EXPECT_EQ(s.px(100, 100), 71);
    EXPECT_EQ(s.px(102, 100), 71);
    EXPECT_EQ(s.px(100, 101), 0);
}

TEST(ParticleShow, RandomDrawsPerModeAndModesBeyondTwoStillMove) {
    Sparks s;
    struct Case {
        uint8_t mode;
        int32_t draws;  // per particle drawn inside the screen
    };
    for (const Case c : {Case{0, 0}, Case{1, 2}, Case{2, 1}, Case{3, 0}, Case{255, 0}}) {
        s.ed->settings.sparkMode = c.mode;
        s.set({{100, 100, 1, 1, 100}, {200, 200, 1, 1, 100}});
        const Random before = s.ed->random;
        stepParticles(*s.ed);
        EXPECT_EQ(drawsBetween(before, s.ed->random, 100), 2 * c.draws) << int(c.mode);
        EXPECT_NE(s.list.particles[0].x, 100) << int(c.mode) << " moves";
    }
    // Mode 5 falls out of the list like mode 0.
    s.ed->settings.sparkMode = 5;
    s.set({{400, 300, 0, 0, 100}});
    for (int32_t f = 0; f < 400 && s.list.particleCount > 0; ++f) stepParticles(*s.ed);
    EXPECT_EQ(s.list.particleCount, 0);
}

TEST(ParticleShow, ManyParticlesAtExtremePositions) {
    Sparks s;
    const float big = 3.0e38f, inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<Particle> ps;
    const float values[] = {-big, -1, 0, 1, 400, 798.9f, 799, big, inf, -inf, nan};
    for (int32_t i = 0; i < 100000; ++i) {
        const float x = values[size_t(i) % 11], y = values[size_t(i / 11) % 11];
        ps.push_back({x, y, values[size_t(i / 121) % 11], values[size_t(i / 1331) % 11], i - 50000});
    }
    for (const uint8_t mode : {0, 1, 2, 7}) {
        s.ed->settings.sparkMode = mode;
        s.list.particles = ps;
        s.list.particleCount = int32_t(ps.size());
        stepParticles(*s.ed);
        EXPECT_LE(s.list.particleCount, 100000);
    }
}

TEST(ParticleShow, ShowDrawsItsPatternOnlyAtFrameZeroAndLasts200Frames) {
    Sparks s;
    Editor& ed = *s.ed;
    ed.settings.showSparks = 0;  // adds nothing, but counts its frames all the same
    s.list.screenEffectFrame = 0;
    s.list.particleCount = 0;
    Random before = ed.random;
    stepFireworkShow(ed);
    EXPECT_EQ(s.list.screenEffectFrame, 1);
    const int32_t pattern = s.list.showPattern;
    Random expected = before;
    EXPECT_EQ(pattern, safeFloor(double(randomSingle(expected)) * 10));
    for (int32_t f = 1; f < 250; ++f) stepFireworkShow(ed);
    EXPECT_EQ(s.list.screenEffectFrame, 200);
    EXPECT_EQ(s.list.particleCount, 0);
    EXPECT_EQ(s.list.showPattern, pattern);
}

TEST(ParticleShow, PatternFourDrawsItsHeightsInTableOrder) {
    Sparks s;
    Editor& ed = *s.ed;
    ed.settings.showSparks = 1;
    s.list.screenEffectFrame = 5;
    s.list.showPattern = 4;
    s.list.particleCount = 0;
    Random r = ed.random;
    stepFireworkShow(ed);
    ASSERT_EQ(s.list.particleCount, 4);
    // Each height is drawn just before its particle, whose kind 3 then draws two values.
    for (int32_t k = 0; k < 4; ++k) {
        const int32_t y = safeFloor(600 * double(randomSingle(r)));
        EXPECT_FLOAT_EQ(s.list.particles[size_t(k)].y, float(y)) << k;
        EXPECT_FLOAT_EQ(s.list.particles[size_t(k)].x, k < 2 ? 1.0f : 798.0f);
        for (int32_t d = 0; d < 2; ++d) (void)randomSingle(r);
    }
    EXPECT_EQ(r.randomState, ed.random.randomState);
}

TEST(ParticleShow, EveryPatternAddsItsParticles) {
    Sparks s;
    Editor& ed = *s.ed;
    ed.settings.showSparks = 1;
    const int32_t perFrame[10] = {2, 2, 2, 2, 4, 2, 3, 3, 4, 2};
    for (int32_t p = 0; p < 10; ++p) {
        s.list.particleCount = 0;
        s.list.showPattern = p;
        s.list.screenEffectFrame = 20;
        stepFireworkShow(ed);
        EXPECT_EQ(s.list.particleCount, perFrame[p]) << p;
    }
}

TEST(ParticleShow, TooltipBoxInEachQuadrantAndAtTheEdges) {
    struct Case {
        int32_t mx, my, w;
        TooltipBox box;
    };
    const Case cases[] = {
        {100, 100, 50, {105, 104, 160, 118}},    // lower left: right of and above the cursor
        {500, 100, 50, {440, 104, 495, 118}},    // lower right: to the left
        {100, 400, 50, {105, 376, 160, 390}},    // upper half: below the cursor
        {500, 400, 50, {440, 376, 495, 390}},
        {390, 100, 700, {94, 104, 799, 118}},    // wide text left of 400: shifted to end at 799
        {410, 100, 700, {0, 104, 705, 118}},     // to the left beyond 0: shifted right
        {100, 590, 50, {105, 566, 160, 580}},
        {100, 10, 50, {105, 14, 160, 28}},
        {100, -100, 50, {105, 0, 160, 14}},      // below the screen: moved up
        {100, 700, 50, {105, 585, 160, 599}},  // above the screen: moved down
    };
    for (const Case& c : cases) {
        const TooltipBox b = tooltipBox(c.mx, c.my, c.w);
        EXPECT_EQ(b.left, c.box.left) << c.mx << "," << c.my;
        EXPECT_EQ(b.bottom, c.box.bottom) << c.mx << "," << c.my;
        EXPECT_EQ(b.right, c.box.right) << c.mx << "," << c.my;
        EXPECT_EQ(b.top, c.box.top) << c.mx << "," << c.my;
    }
}

TEST(ParticleShow, TooltipDrawsABorderedTintedBoxAndSkipsTooWideTexts) {
    Sparks s;
    Editor& ed = *s.ed;
    ed.input.mouseX = 100;
    ed.input.mouseY = 100;
    ed.app.tooltipText = "Undo";
    s.clearScreen(40);
    drawTooltip(ed);
    const int32_t w = propTextWidth(ed.fonts, "Undo");
    EXPECT_EQ(s.px(105, 104), 0);
    EXPECT_EQ(s.px(110 + w, 118), 0);
    const auto& blend = ed.colorTables.blendTable;
    const uint8_t inner = blend[83 * 256 + blend[size_t(40) * 256 + blend[40 * 256 + 40]]];
    EXPECT_EQ(s.px(106, 117), inner);
    EXPECT_TRUE(s.shows("Undo", 108, 106, 0, &drawPropText));

    s.clearScreen(40);
    ed.app.tooltipText = std::string(10000, 'W');
    drawTooltip(ed);
    for (int32_t x = 0; x < 800; ++x) EXPECT_EQ(s.px(x, 110), 40);
    for (const int32_t m : {-2147483647 - 1, -1, 0, 799, 800, 2147483647}) {
        ed.input.mouseX = m;
        ed.input.mouseY = m;
        ed.app.tooltipText = "x";
        drawTooltip(ed);
    }
}

}  // namespace
}  // namespace korvel
