// The small conversions every tool preview shares: roundings, read-outs and appending map points
// and lines (y negated as the plan view stores it) to the frame's lists.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "base/Mainm.h"
#include "views/ToolPreview.h"

namespace korvel::preview {

constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;
constexpr double kHalfPi = kPi / 2;

using Kind = OverlayLineKind;

// Rounding with halves up, 0 outside plus or minus 2.1e9.
inline int32_t roundUp(double v) {
    return safeFloor(v + 0.5);
}

// The nearest integer, halves to the even neighbour; saturated to 32 bits, NaN giving 0.
inline int32_t roundEven(double v) {
    if (std::isnan(v)) return 0;
    const double r = std::nearbyint(v);
    if (r >= 2147483647.0) return INT32_MAX;
    if (r <= -2147483648.0) return INT32_MIN;
    return int32_t(r);
}

inline int32_t saturate(int64_t v) {
    return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v);
}

inline int64_t absDiff(int32_t a, int32_t b) {
    const int64_t d = int64_t(a) - b;
    return d < 0 ? -d : d;
}

inline std::string num(int64_t v) {
    return std::to_string(v);
}

// A single-precision number in its shortest decimal form.
inline std::string shortest(float v) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
}

inline void readOut(ToolPreviewFrame& f, int32_t message, const std::string& a1 = "",
             const std::string& a2 = "") {
    f.cursorLabel = getMessage(message, f.langs, a1, a2);
}

inline int32_t distanceDown(IntPoint a, IntPoint b) {
    return safeFloor(distSingle(float(a.x), float(a.y), float(b.x), float(b.y)));
}

inline float angleOf(IntPoint a, IntPoint b) {
    return angleOfSingle(float(a.x), float(a.y), float(b.x), float(b.y));
}

// A line between two map points, y negated as the plan view stores it.
inline bool line(ToolPreviewFrame& f, IntPoint a, IntPoint b, Kind kind) {
    return appendOverlayLine(f.lists, a.x, negatedY(a.y), b.x, negatedY(b.y), kind);
}

inline bool point(ToolPreviewFrame& f, IntPoint p) {
    return appendOverlayPoint(f.lists, p.x, p.y);
}

inline IntPoint placed(const ToolPreviewFrame& f, int32_t k) {
    return {f.points.toolPointsX[k], f.points.toolPointsY[k]};
}

inline IntPoint hitPoint(const ToolPreviewFrame& f) {
    return {f.hover.hitPointX, f.hover.hitPointY};
}

inline int32_t placedCount(const ToolPreviewFrame& f) {
    const int32_t n = f.points.toolPointCount;
    return n < 0 ? 0 : n > kDrawVertexCapacity ? kDrawVertexCapacity : n;
}

// The corner at angle t and radius r around c: the point as listed, and the stored y of a line
// end there, rounded after the negation.
inline IntPoint corner(IntPoint c, double r, double t) {
    return {roundUp(c.x + r * std::sin(t)), roundUp(c.y - r * std::cos(t))};
}
inline int32_t cornerStoredY(IntPoint c, double r, double t) {
    return roundUp(r * std::cos(t) - c.y);
}

inline void raiseDetail(ToolPreviewFrame& f, int32_t minimum) {
    if (f.tool.toolDetail < minimum) f.tool.toolDetail = minimum;
}

inline void markDegenerate(ToolPreviewFrame& f) {
    f.lists.toolPreviewDegenerate = 1;
}

}  // namespace korvel::preview
