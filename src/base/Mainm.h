// Mainm: the stateless maths and string routines the whole program shares. Their edge behaviour
// (open or closed parameter ranges, sentinels, rounding) is what the geometry, views and tools
// rely on, so keep them exactly as they are rather than swapping in library routines.
#pragma once

#include <cstdint>
#include <climits>
#include <string>

namespace korvel {

// Wrapping 32-bit arithmetic: every routine whose contract wraps modulo 2^32 goes through this.
constexpr int32_t wrap32(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

// 64-bit values kept in or tested against the 32-bit range.
constexpr int32_t clamp32(int64_t v) {
    return static_cast<int32_t>(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
}
constexpr bool in32(int64_t v) {
    return v >= INT32_MIN && v <= INT32_MAX;
}

// Doubles that may not fit an integer: NaN gives 0, others are floored and clamped to the 32-bit
// range, so that a far-away point stays far away.
int32_t saturateToInt32(double v);

struct IntPoint {
    int32_t x = 0, y = 0;
    bool operator==(const IntPoint&) const = default;
};
struct DoublePoint {
    double x = 0, y = 0;
    bool operator==(const DoublePoint&) const = default;
};

constexpr int32_t kNoIntersection = -16777216;
constexpr double kNoIntersectionF = 1e32;
constexpr double kFarDistance = 1e32;
constexpr int32_t kFarDistanceLong = 16777216;

// --- Strings ---
int32_t hexToLong(const std::string& s);
std::string getField(const std::string& s, int32_t n, const std::string& delimiters);
std::string getLine(const std::string& text, int32_t n);
// n below 0 counts as 0; n beyond the length drops everything.
std::string dropLeft(const std::string& s, int32_t n);
std::string dropRight(const std::string& s, int32_t n);
std::string zeroPad(int32_t n, int32_t width);

// --- Numbers and angles ---
// Above 2^30 the answer would not fit: 2^30 is returned.
int32_t nextPowerOfTwo(int32_t n);
float radToDegSingle(float x);
double arcSin(double x);
double arcCos(double x);
float lerpSingle(float a, float b, float t);
double lerpDouble(double a, double b, double t);
int32_t lerpFixed(int32_t a, int32_t b, int32_t f);
double orient3(double x1, double y1, double x2, double y2, double x3, double y3);
float angleOfSingle(float x1, float y1, float x2, float y2);
double angleOfDouble(double x1, double y1, double x2, double y2);
int32_t angleOf65536(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
int32_t angleDelta65536(int32_t a, int32_t b);
int32_t angleDelta36000(int32_t a, int32_t b);
float angleDeltaSingle(float a, float b);
double angleDeltaDouble(double a, double b);
// With b = 0 there is nothing to reduce by: a is returned unchanged.
double floorMod(double a, double b);
inline int32_t maxLong(int32_t a, int32_t b) {
    return a > b ? a : b;
}
inline int32_t minLong(int32_t a, int32_t b) {
    return a < b ? a : b;
}
inline double maxDouble(double a, double b) {
    return a > b ? a : b;
}
inline double minDouble(double a, double b) {
    return a < b ? a : b;
}
// The floor as a 32-bit integer; 0 outside +-2.1e9, for infinities and for NaN.
inline int32_t safeFloor(double x) {
    if (x >= -2.1e9 && x <= 2.1e9) return int32_t(__builtin_floor(x));
    return 0;  // also infinities and NaN, which fail both comparisons
}
int32_t isqrt(int32_t n);

// --- Distances ---
float distSingle(float x1, float y1, float x2, float y2);
double distDouble(double x1, double y1, double x2, double y2);
int32_t distLong(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
double signedDistToLine(double x1, double y1, double x2, double y2, double px, double py);
double distToSegment(double x1, double y1, double x2, double y2, double px, double py);
int32_t distToSegmentLong(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t px, int32_t py);

// --- Intersections and crossings: segment 1 from p1 to p2 (parameter t), segment 2 from p3
// to p4 (parameter u). The ranges decide how contacts at end points count. ---
IntPoint lineIntersection(double x1, double y1, double x2, double y2, double x3, double y3,
                          double x4, double y4);
IntPoint segIntersectRounded(double x1, double y1, double x2, double y2, double x3, double y3,
                             double x4, double y4);
DoublePoint segIntersectExact(double x1, double y1, double x2, double y2, double x3, double y3,
                              double x4, double y4);
// t is written only when there is an intersection.
DoublePoint segIntersectParam(double x1, double y1, double x2, double y2, double x3, double y3,
                              double x4, double y4, double& t);
IntPoint segIntersectSingle(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                            float y4);
bool segmentsCross(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                   int32_t x4, int32_t y4);
bool segmentsCrossStrict(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                         int32_t x4, int32_t y4);
bool segmentsCrossOpen(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                       int32_t x4, int32_t y4);

}  // namespace korvel
