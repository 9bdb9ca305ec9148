#include "geometry/DragMath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvel::test {
namespace {

TEST(DragMath, TurnAngleIsOneDegreePerPixelAndSnapsDownToSixteenthTurns) {
    struct Case {
        int32_t dy;
        bool snap;
        int32_t theta;
    };
    const Case cases[] = {
        {0, false, 0},      {90, false, 16384},  {-1, false, 65353},  {360, false, 0},
        {22, true, 0},      {23, true, 4096},    {-1, true, 61440},   {30, true, 4096},
        {180, true, 32768}, {-90, true, 49152},  {2147483647, false, -1},
    };
    for (const Case& c : cases) {
        const int32_t theta = dragTurnAngle(c.dy, c.snap);
        if (c.theta >= 0) EXPECT_EQ(theta, c.theta) << c.dy << " snap " << c.snap;
        EXPECT_GE(theta, 0) << c.dy;
        EXPECT_LT(theta, 65536) << c.dy;
    }
}

TEST(DragMath, ScaleFactorMovesInHalfStepsWithSnap) {
    struct Case {
        int32_t dy;
        bool snap;
        double s;
    };
    const Case cases[] = {
        {0, true, 1.0},    {49, true, 1.0},   {50, true, 1.5},     {-1, true, 0.5},
        {-50, true, 0.5},  {-51, true, 0.0},  {-101, true, -0.5},  {-150, true, -0.5},
        {0, false, 1.0},   {-100, false, 0.0}, {-150, false, -0.5}, {25, false, 1.25},
    };
    for (const Case& c : cases) EXPECT_EQ(dragScaleFactor(c.dy, c.snap), c.s) << c.dy;
}

TEST(DragMath, MoveTargetLocksToTheLargerAxisAndATieKeepsTheVertical) {
    struct Case {
        IntPoint hit;
        bool lock;
        IntPoint target;
    };
    const IntPoint start{100, 100};
    const Case cases[] = {
        {{130, 90}, false, {130, 90}},  {{130, 90}, true, {130, 100}}, {{105, 140}, true, {100, 140}},
        {{105, 95}, true, {100, 95}},   {{95, 105}, true, {100, 105}}, {{100, 100}, true, {100, 100}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dragMoveTarget(c.hit, start, c.lock), c.target) << c.hit.x << "," << c.hit.y;
        const DragOffset off = dragMoveOffset(c.hit, start, c.lock);
        EXPECT_EQ(shiftPoint(start, off), c.target);
    }
}

TEST(DragMath, OffsetsAndShiftsAcrossTheWholeRangeStayInRange) {
    const IntPoint lo{-2147483647 - 1, -2147483647 - 1}, hi{2147483647, 2147483647};
    const DragOffset off = dragMoveOffset(hi, lo, false);
    EXPECT_EQ(off, (DragOffset{4294967295LL, 4294967295LL}));
    EXPECT_EQ(shiftPoint(hi, off), (IntPoint{2147483647, 2147483647}));
    EXPECT_EQ(shiftPoint(lo, DragOffset{-5, -5}), (IntPoint{-2147483647, -2147483647}));
    EXPECT_EQ(dragVerticalMotion(2147483647, -2147483647 - 1), 2147483647);
}

TEST(DragMath, TurnsGoClockwiseOnTheMapFromMinusY) {
    struct Case {
        IntPoint p;
        int32_t theta;
        IntPoint turned;
    };
    const IntPoint c{1000, 1000};
    const Case cases[] = {
        {{1100, 1000}, 16384, {1000, 1100}}, {{1100, 1000}, 32768, {900, 1000}},
        {{1000, 900}, 16384, {1100, 1000}},  {{1000, 900}, 0, {1000, 900}},
        {{1000, 1000}, 12345, {1000, 1000}}, {{1030, 1040}, 32768, {970, 960}},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(turnPointPreview(c, k.p, k.theta), k.turned) << k.p.x << "," << k.p.y;
        EXPECT_EQ(turnPointCommit(c, k.p, k.theta), k.turned) << k.p.x << "," << k.p.y;
    }
}

TEST(DragMath, PreviewCutsTheRadiusWhileTheCommitRoundsIt) {
    // |(2, 2)| = 2.83: the preview turns a radius of 2, the commit one of 3.
    EXPECT_EQ(turnPointPreview({0, 0}, {2, 2}, 0), (IntPoint{1, 1}));
    EXPECT_EQ(turnPointCommit({0, 0}, {2, 2}, 0), (IntPoint{2, 2}));
}

TEST(DragMath, ScalingRoundsHalvesUpAndMirrorsThroughTheCentre) {
    struct Case {
        IntPoint p;
        double s;
        IntPoint scaled;
    };
    const IntPoint c{10, 20};
    const Case cases[] = {
        {{13, 17}, 0.5, {12, 19}}, {{7, 23}, 0.5, {9, 22}},  {{110, 120}, 0.0, {10, 20}},
        {{110, 120}, -0.5, {-40, -30}}, {{110, 120}, 1.25, {135, 145}},
    };
    for (const Case& k : cases) EXPECT_EQ(scalePoint(c, k.p, k.s), k.scaled) << k.p.x << " " << k.s;
}

TEST(DragMath, PointsNearTheEndsOfTheRangeAreKeptInRange) {
    const IntPoint lo{-2147483647 - 1, -2147483647 - 1}, hi{2147483647, 2147483647};
    EXPECT_EQ(scalePoint(lo, hi, 2.0), hi);
    EXPECT_EQ(scalePoint(hi, lo, 3.0), (IntPoint{-2147483647, -2147483647}));
    EXPECT_EQ(scaleCoordinate(0, 5, std::nan("")), 0);
    for (int32_t theta : {0, 8192, 16384, 40000}) {
        const IntPoint a = turnPointPreview(lo, hi, theta), b = turnPointCommit(hi, lo, theta);
        EXPECT_GE(a.x, -2147483647);
        EXPECT_GE(b.y, -2147483647);
    }
}

}  // namespace
}  // namespace korvel::test
