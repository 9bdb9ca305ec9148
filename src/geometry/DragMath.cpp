#include "geometry/DragMath.h"

#include <cmath>
#include <cstdlib>

namespace korvel {

namespace {

constexpr double kUnitsPerRadian = 10430.378350470464;  // 65536 / 2 pi
constexpr double kUnitsPerDegree = 182.044444444444;    // 65536 / 360

int32_t clamp64(int64_t v) {
    if (v > 2147483647) return 2147483647;
    if (v < -2147483647) return -2147483647;
    return int32_t(v);
}

IntPoint turnedPoint(IntPoint centre, double r, double direction) {
    return {clampedFloor(double(centre.x) + std::floor(r * std::sin(direction) + 0.5)),
            clampedFloor(double(centre.y) - std::floor(r * std::cos(direction) + 0.5))};
}

}  // namespace

int32_t clampedFloor(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483647.0) return -2147483647;
    return int32_t(std::floor(v));
}

IntPoint dragMoveTarget(IntPoint hit, IntPoint start, bool axisLock) {
    if (!axisLock) return hit;
    const int64_t mx = std::llabs(int64_t(hit.x) - start.x);
    const int64_t my = std::llabs(int64_t(hit.y) - start.y);
    if (mx > my) return {hit.x, start.y};
    return {start.x, hit.y};
}

DragOffset dragMoveOffset(IntPoint hit, IntPoint start, bool axisLock) {
    const IntPoint t = dragMoveTarget(hit, start, axisLock);
    return {int64_t(t.x) - start.x, int64_t(t.y) - start.y};
}

IntPoint shiftPoint(IntPoint p, DragOffset offset) {
    return {clamp64(p.x + offset.x), clamp64(p.y + offset.y)};
}

int32_t dragVerticalMotion(int32_t mouseY, int32_t startMouseY) {
    return clamp64(int64_t(mouseY) - startMouseY);
}

int32_t dragTurnAngle(int32_t dy, bool snap) {
    const double turned = std::floor(double(dy) * kUnitsPerDegree + 16777216.0);
    auto theta = int32_t(int64_t(std::fmod(turned, 65536.0) + 65536.0) % 65536);
    if (snap) theta -= theta % 4096;
    return theta;
}

IntPoint turnPointPreview(IntPoint centre, IntPoint p, int32_t theta) {
    const double a = std::nearbyint(angleOfDouble(centre.x, centre.y, p.x, p.y) * kUnitsPerRadian);
    const double r = std::floor(double(distSingle(float(centre.x), float(centre.y), float(p.x),
                                                  float(p.y))));
    return turnedPoint(centre, r, (a + theta) / kUnitsPerRadian);
}

IntPoint turnPointCommit(IntPoint centre, IntPoint p, int32_t theta) {
    const double direction = angleOfDouble(centre.x, centre.y, p.x, p.y);
    const double r = std::floor(distDouble(centre.x, centre.y, p.x, p.y) + 0.5);
    return turnedPoint(centre, r, direction + theta / kUnitsPerRadian);
}

double dragScaleFactor(int32_t dy, bool snap) {
    if (snap) return std::floor(double(dy) / 50.0 + 2.0) / 2.0;
    return double(dy) / 100.0 + 1.0;
}

int32_t scaleCoordinate(int32_t c, int32_t v, double s) {
    return clampedFloor(double(c) + std::floor((double(v) - c) * s + 0.5));
}

IntPoint scalePoint(IntPoint centre, IntPoint p, double s) {
    return {scaleCoordinate(centre.x, p.x, s), scaleCoordinate(centre.y, p.y, s)};
}

IntPoint vertexDragCentre(const DragState& drag) {
    return {drag.dragStartX, drag.dragStartY};
}

IntPoint spriteDragCentre(const DragState& drag) {
    return {drag.spriteDragStartX, drag.spriteDragStartY};
}

}  // namespace korvel
