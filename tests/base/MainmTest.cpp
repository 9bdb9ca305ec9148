#include "base/Mainm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvel {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(Mainm, SafeFloor) {
    struct Case {
        double x;
        int32_t want;
    } cases[] = {
        {-0.5, -1},          {0.0, 0},   {2.9, 2},    {-2.1e9, -2100000000},
        {2.1e9, 2100000000}, {2.2e9, 0}, {-2.2e9, 0}, {kNaN, 0},
        {kInf, 0},           {-kInf, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(safeFloor(c.x), c.want) << c.x;
}

TEST(Mainm, IsqrtSmallValues) {
    struct Case {
        int32_t n, want;
    } cases[] = {{2, 1}, {3, 2},  {6, 2}, {8, 3},         {12, 3},           {13, 4},
                 {0, 0}, {-7, 0}, {1, 1}, {INT32_MIN, 0}, {INT32_MAX, 46341}};
    for (const auto& c : cases) EXPECT_EQ(isqrt(c.n), c.want) << c.n;
}

// The nearest integer to sqrt(n): r with (r - 1/2)^2 < n < (r + 1/2)^2, i.e. r^2 - r < n <= r^2 + r
// in integers.
bool isNearestRoot(int64_t n, int64_t r) {
    return r * r - r < n && n <= r * r + r;
}

TEST(Mainm, IsqrtIsTheNearestIntegerRootEverywhere) {
    for (int32_t n = 1; n <= 1000000; ++n) {
        const int32_t r = isqrt(n);
        if (!isNearestRoot(n, r)) FAIL() << "isqrt(" << n << ") = " << r;
    }
    for (int32_t k = 0; k < 100000; ++k) {
        const int32_t n = INT32_MAX - k;
        const int32_t r = isqrt(n);
        if (!isNearestRoot(n, r)) FAIL() << "isqrt(" << n << ") = " << r;
    }
}

TEST(Mainm, AngleOf65536) {
    struct Case {
        int32_t x2, y2, want;
    } cases[] = {{0, -5, 0},    {5, 0, 16384}, {0, 5, 32768}, {-5, 0, 49152}, {-5, -5, -8192},
                 {0, 0, 32768}, {5, 5, 24576}, {5, -5, 8192}, {-5, 5, 40960}};
    for (const auto& c : cases)
        EXPECT_EQ(angleOf65536(0, 0, c.x2, c.y2), c.want) << c.x2 << "," << c.y2;
}

TEST(Mainm, AngleOf65536FormsDifferencesWithWrap) {
    // INT32_MIN - 1 wraps to INT32_MAX: a large positive dx, so the direction is +x.
    EXPECT_EQ(angleOf65536(1, 0, INT32_MIN, 0), 16384);
    EXPECT_EQ(angleOf65536(0, 1, 0, INT32_MIN), 32768);  // dy wraps positive
}

TEST(Mainm, AngleOfSingleAndDoubleAgreeWithTheirRanges) {
    EXPECT_FLOAT_EQ(angleOfSingle(0, 0, 0, 0), 3.1415927f);
    EXPECT_FLOAT_EQ(angleOfSingle(0, 0, 0, -1), 0.0f);
    EXPECT_DOUBLE_EQ(angleOfDouble(0, 0, 0, 1), 3.14159265358979);
    EXPECT_NEAR(angleOfDouble(0, 0, -1, -1), -0.785398163, 1e-9);  // the negative quarter
    EXPECT_NEAR(angleOfDouble(0, 0, -1, 1), 3.926990817, 1e-9);
    EXPECT_NEAR(angleOfDouble(0, 0, 1, 0), 1.570796326794895, 1e-15);
}

TEST(Mainm, AngleDeltas) {
    struct Case {
        int32_t a, b, want;
    } cases65536[] = {{0, 40000, 40000 - 65536}, {0, 32768, 32768},    {0, -32768, -32768},
                      {60000, 1000, 6536},       {1000, 60000, -6536}, {0, 0, 0},
                      {INT32_MIN, INT32_MAX, -1}};
    for (const auto& c : cases65536)
        EXPECT_EQ(angleDelta65536(c.a, c.b), c.want) << c.a << " " << c.b;
    Case cases36000[] = {
        {0, 18000, 18000}, {0, 18001, -17999}, {35000, 1000, 2000}, {0, -18001, 17999}};
    for (const auto& c : cases36000)
        EXPECT_EQ(angleDelta36000(c.a, c.b), c.want) << c.a << " " << c.b;

    EXPECT_NEAR(angleDeltaDouble(0, 4), 4 - 6.28318530717958, 1e-12);
    EXPECT_NEAR(angleDeltaDouble(4, 0), 6.28318530717958 - 4, 1e-12);
    EXPECT_DOUBLE_EQ(angleDeltaDouble(0, 3), 3);
    EXPECT_NEAR(angleDeltaSingle(0, 4), 4 - 6.28318530717958, 1e-6);
    EXPECT_FLOAT_EQ(angleDeltaSingle(1, 2), 1);
}

TEST(Mainm, ArcSinAndArcCosEdges) {
    EXPECT_EQ(arcSin(1.5), 0);
    EXPECT_EQ(arcSin(1), 1.570796326794895);
    EXPECT_EQ(arcSin(-1), -1.570796326794895);
    EXPECT_NEAR(arcSin(0.5), 0.523598776, 1e-9);
    EXPECT_EQ(arcCos(1), 0);
    EXPECT_EQ(arcCos(-1), 3.14159265358979);
    EXPECT_EQ(arcCos(-1.5), 0);
    EXPECT_NEAR(arcCos(0.5), 1.047197551, 1e-9);
}

TEST(Mainm, LerpFixedRoundsHalfUpAndWraps) {
    struct Case {
        int32_t a, b, f, want;
    } cases[] = {
        {0, 100, 32768, 50},
        {0, 3, 32768, 2},
        {0, -3, 32768, -1},
        {10, 20, 0, 10},
        {10, 20, 65536, 20},
        {0, 100, 131072, 200},
        // b - a wraps: INT32_MAX - (-1) is INT32_MIN, so the result moves down.
        {-1, INT32_MAX, 65536, wrap32(int64_t(-1) + INT32_MIN)},
        // The result itself leaves the 32-bit range and wraps.
        {INT32_MAX, INT32_MAX - 1, -65536, wrap32(int64_t(INT32_MAX) + 1)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lerpFixed(c.a, c.b, c.f), c.want) << c.a << " " << c.b << " " << c.f;
}

TEST(Mainm, Distances) {
    EXPECT_EQ(distLong(0, 0, 3, 4), 5);
    EXPECT_EQ(distLong(0, 0, 46340, 0), 46340);
    // Beyond 46341 the squares wrap: the contract keeps the wrapped value, without a trap.
    const int32_t wrapped = wrap32(int64_t(50000) * 50000);
    EXPECT_EQ(distLong(0, 0, 50000, 0), isqrt(wrapped));
    EXPECT_EQ(distLong(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), isqrt(2));
    EXPECT_DOUBLE_EQ(distDouble(0, 0, 3, 4), 5);
    EXPECT_FLOAT_EQ(distSingle(0, 0, 3, 4), 5);
}

TEST(Mainm, SignedDistanceSideAndDegenerateLine) {
    EXPECT_DOUBLE_EQ(signedDistToLine(0, 0, 10, 0, 5, 3), 3);  // greater y on the right-hand side
    EXPECT_DOUBLE_EQ(signedDistToLine(0, 0, 10, 0, 5, -3), -3);
    EXPECT_FALSE(std::isfinite(signedDistToLine(1, 1, 1, 1, 5, 3)));
}

TEST(Mainm, DistToSegmentExcludesEndPoints) {
    struct Case {
        double px, py, want;
    } cases[] = {{0, 3, 1e32}, {5, 3, 3}, {10, 3, 1e32}, {-1, 0, 1e32}, {5, -2, 2}};
    for (const auto& c : cases) EXPECT_EQ(distToSegment(0, 0, 10, 0, c.px, c.py), c.want) << c.px;
    EXPECT_EQ(distToSegment(2, 2, 2, 2, 2, 2), 1e32);
}

TEST(Mainm, DistToSegmentLongIncludesEndPoints) {
    struct Case {
        int32_t px, py, want;
    } cases[] = {{0, 3, 3},         {10, 3, 3},        {5, -3, -3},
                 {11, 0, 16777216}, {-1, 0, 16777216}, {5, 2, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(distToSegmentLong(0, 0, 10, 0, c.px, c.py), c.want) << c.px;
    EXPECT_EQ(distToSegmentLong(4, 4, 4, 4, 4, 4), 16777216);
    // Products that wrap must not trap.
    (void)distToSegmentLong(INT32_MIN, 0, INT32_MAX, 0, 0, INT32_MAX);
}

// Segment 1 is (0,0)-(10,0); segment 2 is vertical at x with y from -5 to 5 unless stated.
TEST(Mainm, IntersectionRoutinesAtSharedEndPoints) {
    const IntPoint none{kNoIntersection, kNoIntersection};
    EXPECT_EQ(segIntersectRounded(0, 0, 10, 0, 5, -5, 5, 5), (IntPoint{5, 0}));
    EXPECT_EQ(segIntersectRounded(0, 0, 10, 0, 10, -5, 10, 5), none);
    EXPECT_EQ(segIntersectRounded(0, 0, 10, 0, 0, -5, 0, 5), none);

    double t = -7;
    EXPECT_EQ(segIntersectParam(0, 0, 10, 0, 10, -5, 10, 5, t), (DoublePoint{10, 0}));
    EXPECT_EQ(t, 1);
    t = -7;
    EXPECT_EQ(segIntersectParam(0, 0, 10, 0, 20, -5, 20, 5, t), (DoublePoint{1e32, 1e32}));
    EXPECT_EQ(t, -7);  // untouched without an intersection
    EXPECT_EQ(segIntersectParam(0, 0, 10, 0, 0, -5, 0, 5, t), (DoublePoint{0, 0}));
    EXPECT_EQ(t, 0);

    EXPECT_EQ(segIntersectExact(0, 0, 10, 0, 5, -5, 5, 5), (DoublePoint{5, 0}));
    EXPECT_EQ(segIntersectExact(0, 0, 10, 0, 10, -5, 10, 5), (DoublePoint{1e32, 1e32}));
    EXPECT_EQ(segIntersectExact(0, 0, 10, 0, 5, 0, 5, 5), (DoublePoint{1e32, 1e32}));  // u = 0

    EXPECT_EQ(segIntersectSingle(0, 0, 10, 0, 5.5f, -5, 5.5f, 5), (IntPoint{5, 0}));  // floor
    EXPECT_EQ(segIntersectSingle(0, 0, 10, 0, 0, -5, 0, 5), (IntPoint{0, 0}));  // t = 0 counts
    EXPECT_EQ(segIntersectSingle(0, 0, 10, 0, 10, -5, 10, 5), none);            // t = 1 not

    struct CrossCase {
        int32_t x3, y3, x4, y4;
        bool cross, strict, open;
    } cases[] = {
        {5, -5, 5, 5, true, true, true},       // plain crossing
        {0, -5, 0, 5, true, false, false},     // at the start of segment 1
        {10, -5, 10, 5, false, false, false},  // at the end of segment 1
        {5, 0, 5, 5, true, true, false},       // segment 2 starts on segment 1
        {5, 5, 5, 0, false, false, false},     // segment 2 ends on segment 1
        {5, 1, 5, 5, false, false, false},     // apart
        {20, -5, 20, 5, false, false, false},  // boxes apart
        {0, 0, 10, 0, false, false, false},    // collinear: det 0
    };
    for (const auto& c : cases) {
        EXPECT_EQ(segmentsCross(0, 0, 10, 0, c.x3, c.y3, c.x4, c.y4), c.cross)
            << c.x3 << "," << c.y3;
        EXPECT_EQ(segmentsCrossStrict(0, 0, 10, 0, c.x3, c.y3, c.x4, c.y4), c.strict)
            << c.x3 << "," << c.y3;
        EXPECT_EQ(segmentsCrossOpen(0, 0, 10, 0, c.x3, c.y3, c.x4, c.y4), c.open)
            << c.x3 << "," << c.y3;
    }
}

TEST(Mainm, LineIntersectionOfNearlyParallelLinesStaysDefined) {
    EXPECT_EQ(lineIntersection(0, 0, 10, 0, 5, -5, 5, 5), (IntPoint{5, 0}));
    EXPECT_EQ(lineIntersection(0, 0, 10, 0, 0, 1, 10, 1), (IntPoint{0, 0}));  // parallel
    // det just above the limit: the point lies far beyond the 32-bit range and is clamped.
    const IntPoint far = lineIntersection(0, 0, 1e6, 0, 0, 1, 1e6, 1 + 1e-8);
    EXPECT_EQ(far.x, INT32_MIN);
    EXPECT_EQ(far.y, 0);
    EXPECT_EQ(lineIntersection(kNaN, 0, 1, 0, 0, 1, 1, 2), (IntPoint{0, 0}));
}

TEST(Mainm, GetFieldAndGetLine) {
    struct Case {
        std::string s;
        int32_t n;
        std::string delims, want;
    } cases[] = {
        {"a,b,", 3, ",", ""},    {"a,b", 3, ",", ""}, {"a;b", 2, ";,", "b"}, {"a,b", 2, ";,", ""},
        {"a,b", 1, ";,", "a,b"}, {"a,b", 0, ",", ""}, {"a,b", -4, ",", ""},  {"abc", 1, "", "abc"},
        {"abc", 2, "", ""},      {"", 1, ",", ""},    {",x", 1, ",", ""},    {",x", 2, ",", "x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(getField(c.s, c.n, c.delims), c.want) << c.s << " " << c.n;
    EXPECT_EQ(getLine("one\r\ntwo\r\nthree", 2), "two");
    EXPECT_EQ(getLine("one\rtwo", 2), "two");
    EXPECT_EQ(getLine("one\r\n\ntwo", 2), "\ntwo");  // only one line feed goes
    EXPECT_EQ(getLine("one", 5), "");
}

TEST(Mainm, HexToLong) {
    struct Case {
        std::string s;
        int32_t want;
    } cases[] = {{"ff", 255},
                 {"FF", 255},
                 {"1G", 0},
                 {"", 0},
                 {"FFFFFFFF", -1},
                 {"1FFFFFFFF", -1},
                 {"123456789", 0x23456789},
                 {"80000000", INT32_MIN},
                 {"G1", 0},
                 {" 1", 0}};
    for (const auto& c : cases) EXPECT_EQ(hexToLong(c.s), c.want) << c.s;
}

TEST(Mainm, ZeroPadAndDrops) {
    EXPECT_EQ(zeroPad(7, 4), "0007");
    EXPECT_EQ(zeroPad(123, 2), "123");
    EXPECT_EQ(zeroPad(-5, 4), "00-5");
    EXPECT_EQ(zeroPad(5, -3), "5");
    EXPECT_EQ(dropLeft("abcd", 1), "bcd");
    EXPECT_EQ(dropRight("abcd", 1), "abc");
    // Counts outside 0..length: below 0 keeps the text, beyond the length drops it all.
    EXPECT_EQ(dropLeft("abcd", 9), "");
    EXPECT_EQ(dropRight("abcd", 9), "");
    EXPECT_EQ(dropLeft("abcd", -2), "abcd");
    EXPECT_EQ(dropRight("abcd", -2), "abcd");
}

TEST(Mainm, NextPowerOfTwoAndFloorMod) {
    struct Case {
        int32_t n, want;
    } cases[] = {{-5, 1},
                 {0, 1},
                 {1, 1},
                 {2, 2},
                 {3, 4},
                 {1024, 1024},
                 {1025, 2048},
                 {1 << 30, 1 << 30},
                 {(1 << 30) + 1, 1 << 30},
                 {INT32_MAX, 1 << 30}};
    for (const auto& c : cases) EXPECT_EQ(nextPowerOfTwo(c.n), c.want) << c.n;
    EXPECT_DOUBLE_EQ(floorMod(-1, 360), 359);
    EXPECT_DOUBLE_EQ(floorMod(1, -360), -359);
    EXPECT_DOUBLE_EQ(floorMod(7.5, 2), 1.5);
    EXPECT_DOUBLE_EQ(floorMod(7.5, 0), 7.5);  // nothing to reduce by
}

TEST(Mainm, SmallHelpers) {
    EXPECT_FLOAT_EQ(radToDegSingle(3.1415927f), 180.0f);
    EXPECT_EQ(orient3(0, 0, 1, 0, 0, 1), 1);
    EXPECT_EQ(maxLong(-1, 2), 2);
    EXPECT_EQ(minLong(-1, 2), -1);
    EXPECT_DOUBLE_EQ(lerpDouble(1, 3, 0.5), 2);
    EXPECT_FLOAT_EQ(lerpSingle(1, 3, 0.25f), 1.5f);
    EXPECT_EQ(wrap32(int64_t(INT32_MAX) + 1), INT32_MIN);
}

}  // namespace
}  // namespace korvel
