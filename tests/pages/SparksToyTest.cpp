// The sparks toy: pair forces in both modes, the mouse's pull, the walls, the drawing of each
// ball, and balls whose numbers would make a step divide by zero or run off to infinity.
#include "pages/SparksToy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "support/DrawFixtures.h"

namespace korvel {
namespace {

constexpr uint8_t kClear = 3;

struct SparkRig {
    test::DrawRig draw;
    std::unique_ptr<SparksToyState> s = std::make_unique<SparksToyState>();
    SparkRig() {
        buildSparkShadeImage(s->sparkShadeImage);
        draw.clear(kClear);
    }
    void ball(int32_t i, double x, double y, double mass, double diameter, double vx = 0,
              double vy = 0) {
        s->sparkX[i] = x, s->sparkY[i] = y, s->sparkMass[i] = mass, s->sparkRadius[i] = diameter;
        s->sparkVelX[i] = vx, s->sparkVelY[i] = vy;
    }
    void step(const SparkPointer& mouse = {}) { stepSparkBalls(draw.canvas, *s, mouse); }
};

// A plain transcription of the rules, with the balls as a list of structs.
struct RefBall {
    double x, y, vx, vy, fx, fy, m, d;
};
void referenceStep(std::vector<RefBall>& b, bool attract, bool damping, const SparkPointer& mouse) {
    auto walls = [](RefBall& p) {
        if (p.y < p.d / 2 + 128) p.y = p.d / 2 + 128, p.vy = -p.vy / 2;
        if (p.y > 583 - p.d / 2) p.y = 583 - p.d / 2, p.vy = -p.vy / 2;
        if (p.x < p.d / 2) p.x = p.d / 2, p.vx = -p.vx / 2;
        if (p.x > 799 - p.d / 2) p.x = 799 - p.d / 2, p.vx = -p.vx / 2;
    };
    for (size_t i = 0; i < b.size(); ++i) {
        RefBall& a = b[i];
        a.fx = a.fy = 0;
        for (size_t j = 0; j < b.size(); ++j) {
            if (j == i) continue;
            RefBall& o = b[j];
            const double d = std::hypot(o.x - a.x, o.y - a.y);
            if (d <= 0.001) continue;
            const double ux = (o.x - a.x) / d, uy = (o.y - a.y) / d, R = (a.d + o.d) / 2;
            if (attract) {
                const double F = (32 / ((d + R) * (d + R)) - 16 / (d * d)) * o.m / a.m;
                if (R >= d) a.vx = o.vx + 0.9 * (a.vx - o.vx), a.vy = o.vy + 0.9 * (a.vy - o.vy);
                a.fx += F * ux, a.fy += F * uy;
            } else {
                const double g = d - R, M = a.m + o.m;
                if (std::abs(M) <= 0.00001) continue;
                const double nx = R > d ? ux : ux / (d * d), ny = R > d ? uy : uy / (d * d);
                a.x += nx * g / 2, a.y += ny * g / 2;
                a.vx += nx * g * o.m / M * 0.1, a.vy += ny * g * o.m / M * 0.1;
                o.x -= nx * g / 2, o.y -= ny * g / 2;
                o.vx -= nx * g * a.m / M * 0.1, o.vy -= ny * g * a.m / M * 0.1;
            }
        }
        if (mouse.leftHeld && !(a.x == mouse.x && a.y == mouse.y)) {
            const float dx = float(mouse.x - a.x), dy = float(mouse.y - a.y);
            const double d = std::sqrt(dx * dx + dy * dy);
            double F = 0;
            if (d >= 10)
                F = mouse.shiftHeld ? 256 * (2048 / ((d + 8) * (d + 8)) - 1024 / (d * d)) / a.m
                                    : 256 * (128 / ((d + 8) * (d + 8)) - 64 / (d * d)) / a.m;
            if (F != 0) a.fx += F * (mouse.x - a.x) / d, a.fy += F * (mouse.y - a.y) / d;
        }
        walls(a);
        a.vx = (a.vx + a.fx) * (damping ? 0.99 : 1);
        a.vy = (a.vy + a.fy) * (damping ? 0.99 : 1);
    }
    for (RefBall& a : b) {
        a.x += a.vx, a.y += a.vy;
        walls(a);
    }
}

TEST(SparksToy, ThreeBallsFollowThePlainRulesFor100Steps) {
    struct Case {
        bool attract, damping;
        SparkPointer mouse;
    };
    const Case cases[] = {
        {false, false, {}},
        {true, false, {}},
        {false, true, {300, 400, true, false}},
        {true, true, {500, 300, true, true}},
        {false, false, {420, 350, true, true}},
    };
    for (const Case& c : cases) {
        SparkRig r;
        std::vector<RefBall> ref = {{400, 350, 0.5, -0.2, 0, 0, 16, 4},
                                    {412, 352, 0, 0, 0, 0, 64, 8},
                                    {380, 300, 1, 1, 0, 0, -9, 3}};
        r.s->sparkCount = 3;
        r.s->sparkInteraction = c.attract;
        r.s->sparkDamping = c.damping;
        for (int32_t i = 0; i < 3; ++i)
            r.ball(i, ref[i].x, ref[i].y, ref[i].m, ref[i].d, ref[i].vx, ref[i].vy);
        for (int32_t step = 0; step < 100; ++step) {
            r.step(c.mouse);
            referenceStep(ref, c.attract, c.damping, c.mouse);
        }
        for (int32_t i = 0; i < 3; ++i) {
            const double tol = 1e-6 * (1 + std::abs(ref[i].x) + std::abs(ref[i].vx));
            EXPECT_NEAR(r.s->sparkX[i], ref[i].x, tol) << c.attract << c.damping << " ball " << i;
            EXPECT_NEAR(r.s->sparkY[i], ref[i].y, tol) << c.attract << c.damping << " ball " << i;
            EXPECT_NEAR(r.s->sparkVelX[i], ref[i].vx, tol) << c.attract << c.damping;
            EXPECT_NEAR(r.s->sparkVelY[i], ref[i].vy, tol) << c.attract << c.damping;
        }
    }
}

TEST(SparksToy, ForcesVanishWhereTheRulesSayNothingHappens) {
    struct Case {
        const char* what;
        uint8_t interaction;
        double x1, y1, m1, x2, y2, m2;
        SparkPointer mouse;
    };
    const Case cases[] = {
        {"same spot, collision", 0, 300, 300, 4, 300.0005, 300, 4, {}},
        {"same spot, attraction", 1, 300, 300, 4, 300, 300.001, 4, {}},
        {"masses summing to zero", 0, 300, 300, 4, 320, 300, -4.000001, {}},
        // The other ball's mass cancels this one's: the pair does not collide.
        {"mouse on the centre", 0, 200, 300, 4, 600, 500, -4, {200, 300, true, false}},
        {"mouse within 10", 0, 200, 300, 4, 600, 500, -4, {205, 307, true, true}},
        // The mouse sits on the other ball's centre, so that one takes no mouse force.
        {"massless ball", 1, 300, 300, 0, 320, 300, 4, {320, 300, true, false}},
        {"negative zero mass", 1, 300, 300, -0.0, 320, 300, 4, {320, 300, true, false}},
        {"mass not a number", 1, 300, 300, std::numeric_limits<double>::quiet_NaN(), 320, 300, 4,
         {320, 300, true, false}},
    };
    for (const Case& c : cases) {
        SparkRig r;
        r.s->sparkCount = 2;
        r.s->sparkInteraction = c.interaction;
        r.ball(0, c.x1, c.y1, c.m1, 4);
        r.ball(1, c.x2, c.y2, c.m2, 4);
        r.step(c.mouse);
        EXPECT_EQ(r.s->sparkVelX[0], 0) << c.what;
        EXPECT_EQ(r.s->sparkVelY[0], 0) << c.what;
        EXPECT_EQ(r.s->sparkX[0], c.x1) << c.what;
        EXPECT_EQ(r.s->sparkY[0], c.y1) << c.what;
        // A ball without a usable mass exerts nothing on the other either.
        if (!(c.m1 != 0 && std::isfinite(c.m1))) EXPECT_EQ(r.s->sparkVelX[1], 0) << c.what;
    }
}

TEST(SparksToy, WallsSendBallsBackAtHalfSpeed) {
    struct Case {
        double x, y, vx, vy;
        double wantX, wantY, wantVx, wantVy;
    };
    const Case cases[] = {
        {400, 135, 0, -10, 400, 133, 0, 5},   // lower edge: diameter 10, bound 128 + 5
        {400, 575, 0, 12, 400, 578, 0, -6},   // upper edge 583 - 5
        {8, 300, -4, 0, 5, 300, 2, 0},        // left edge
        {790, 300, 20, 0, 794, 300, -10, 0},  // right edge 799 - 5
    };
    for (const Case& c : cases) {
        SparkRig r;
        r.s->sparkCount = 1;
        r.ball(0, c.x, c.y, 1, 10, c.vx, c.vy);
        r.step();
        EXPECT_EQ(r.s->sparkX[0], c.wantX);
        EXPECT_EQ(r.s->sparkY[0], c.wantY);
        EXPECT_EQ(r.s->sparkVelX[0], c.wantVx);
        EXPECT_EQ(r.s->sparkVelY[0], c.wantVy);
    }
}

TEST(SparksToy, BallsAreDrawnFromTheShadePictureCutToTheMapView) {
    SparkRig r;
    r.s->sparkCount = 1;
    r.s->sparkColors[0] = 2;
    // Diameter 64 at (300.7, 300.2): box 268..332 x 268..332; the picture is read 1:1.
    r.ball(0, 300.7, 300.2, 1, 64);
    r.step();
    const auto& img = r.s->sparkShadeImage;
    for (auto [c, row] : {std::pair{300, 300}, {270, 300}, {300, 331}, {268, 268}, {320, 290}}) {
        const uint8_t p = img[size_t(65 * (row - 268) + (c - 268))];
        EXPECT_EQ(r.draw.px(c, row), p == 255 ? kClear : uint8_t(p + 24)) << c << "," << row;
    }
    EXPECT_TRUE(test::allInside(test::changedPixels(screenView(*r.draw.fb), kClear),
                                {268, 268, 332, 332}));

    // Diameters below 1 draw nothing; a ball larger than the view is drawn only inside it.
    for (double diameter : {0.0, 0.99, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
        SparkRig small;
        small.s->sparkCount = 1;
        small.ball(0, 300, 300, 1, diameter);
        small.step();
        EXPECT_TRUE(test::changedPixels(screenView(*small.draw.fb), kClear).empty()) << diameter;
    }
    SparkRig big;
    big.s->sparkCount = 1;
    big.ball(0, 400, 350, 1, 700);
    big.step();
    const auto changed = test::changedPixels(screenView(*big.draw.fb), kClear);
    EXPECT_FALSE(changed.empty());
    EXPECT_TRUE(test::allInside(changed, kMapView));
    EXPECT_TRUE(big.draw.guardsIntact());
}

TEST(SparksToy, RunawayBallsAndCountsAreBroughtBack) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double x, y, vx, vy, mass;
        SparkPointer mouse;
    };
    const Case cases[] = {
        {inf, 300, 0, 0, 1, {}},
        {300, -inf, 1, 1, 1, {}},
        {300, 300, nan, 0, 1, {}},
        // The mouse's pull on an all but massless ball overflows to infinity.
        {600, 400, 0, 0, std::numeric_limits<double>::denorm_min(), {100, 200, true, true}},
    };
    for (const Case& c : cases) {
        SparkRig r;
        r.s->sparkCount = 1;
        r.ball(0, c.x, c.y, c.mass, 4, c.vx, c.vy);
        r.step(c.mouse);
        EXPECT_EQ(r.s->sparkX[0], 399.5) << c.x << " " << c.y;
        EXPECT_EQ(r.s->sparkY[0], 355.5) << c.x << " " << c.y;
        EXPECT_EQ(r.s->sparkVelX[0], 0) << c.x << " " << c.y;
        EXPECT_EQ(r.s->sparkVelY[0], 0) << c.x << " " << c.y;
    }
    // A ball far beyond single precision's range takes the mouse's pull and ends inside.
    SparkRig far;
    far.s->sparkCount = 1;
    far.ball(0, 1e308, -1e308, 1, 4);
    far.step({100, 200, true, false});
    EXPECT_GE(far.s->sparkX[0], 2);
    EXPECT_LE(far.s->sparkX[0], 797);
    EXPECT_GE(far.s->sparkY[0], 130);
    EXPECT_LE(far.s->sparkY[0], 581);
    // Counts outside 1..512 step one ball or all of them.
    for (int32_t count : {0, -5, 100000}) {
        SparkRig c;
        c.s->sparkCount = count;
        for (int32_t i = 0; i < kSparkCapacity; ++i) c.ball(i, 300, 300, 1, 4, 1, 0);
        c.step();
        EXPECT_EQ(c.s->sparkX[0], 301) << count;
        EXPECT_EQ(c.s->sparkX[kSparkCapacity - 1], count > 0 ? 301 : 300) << count;
    }
}

}  // namespace
}  // namespace korvel
