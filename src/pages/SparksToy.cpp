#include "pages/SparksToy.h"

#include <algorithm>
#include <cmath>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "editing/InputDispatcher.h"

namespace korvel {

namespace {

constexpr double kAreaLeft = 0, kAreaRight = kScreenRight;
constexpr double kAreaBottom = kMapViewBottom, kAreaTop = kMapViewTop;
// Balls wider than this are not drawn: their boxes would leave the range the pixel loop counts in.
constexpr double kWidestDrawn = 1 << 30;

// A ball the forces divide by nothing, or by something that is not a number, stays out of them.
bool takesForces(double mass) {
    return mass != 0 && std::isfinite(mass);
}

// A ball that has flown off to infinity (or to no number at all) starts again, at rest, in the
// middle of the area.
void recentre(SparksToyState& s, int32_t i) {
    if (std::isfinite(s.sparkX[i]) && std::isfinite(s.sparkY[i]) &&
        std::isfinite(s.sparkVelX[i]) && std::isfinite(s.sparkVelY[i]))
        return;
    s.sparkX[i] = (kAreaLeft + kAreaRight) / 2;
    s.sparkY[i] = (kAreaBottom + kAreaTop) / 2;
    s.sparkVelX[i] = 0;
    s.sparkVelY[i] = 0;
}

// Keeps the ball inside the area; a wall sends it back at half its speed.
void bounce(SparksToyState& s, int32_t i) {
    const double half = s.sparkRadius[i] / 2;
    double& x = s.sparkX[i];
    double& y = s.sparkY[i];
    if (y < half + kAreaBottom) {
        y = half + kAreaBottom;
        s.sparkVelY[i] = -s.sparkVelY[i] / 2;
    }
    if (y > kAreaTop - half) {
        y = kAreaTop - half;
        s.sparkVelY[i] = -s.sparkVelY[i] / 2;
    }
    if (x < half + kAreaLeft) {
        x = half + kAreaLeft;
        s.sparkVelX[i] = -s.sparkVelX[i] / 2;
    }
    if (x > kAreaRight - half) {
        x = kAreaRight - half;
        s.sparkVelX[i] = -s.sparkVelX[i] / 2;
    }
}

void pairForce(SparksToyState& s, int32_t i, int32_t j) {
    const double mi = s.sparkMass[i], mj = s.sparkMass[j];
    if (!takesForces(mi) || !takesForces(mj)) return;
    const double dx = s.sparkX[j] - s.sparkX[i], dy = s.sparkY[j] - s.sparkY[i];
    const double d = std::sqrt(dx * dx + dy * dy);
    if (!(d > 0.001)) return;
    const double r = (s.sparkRadius[i] + s.sparkRadius[j]) / 2;
    const double ux = dx / d, uy = dy / d;
    if (s.sparkInteraction & 1) {
        const double e = d + r;
        const double f = (32 / (e * e) - 16 / (d * d)) * mj / mi;
        if (r >= d) {
            s.sparkVelX[i] = s.sparkVelX[j] + 0.9 * (s.sparkVelX[i] - s.sparkVelX[j]);
            s.sparkVelY[i] = s.sparkVelY[j] + 0.9 * (s.sparkVelY[i] - s.sparkVelY[j]);
        }
        s.sparkForceX[i] += f * ux;
        s.sparkForceY[i] += f * uy;
        return;
    }
    const double g = d - r, m = mi + mj;
    if (std::abs(m) <= 0.00001) return;
    const double scale = r > d ? 1 : 1 / (d * d);
    const double nx = ux * scale, ny = uy * scale;
    s.sparkX[i] += nx * g / 2;
    s.sparkY[i] += ny * g / 2;
    s.sparkVelX[i] += nx * g * mj / m * 0.1;
    s.sparkVelY[i] += ny * g * mj / m * 0.1;
    s.sparkX[j] -= nx * g / 2;
    s.sparkY[j] -= ny * g / 2;
    s.sparkVelX[j] -= nx * g * mi / m * 0.1;
    s.sparkVelY[j] -= ny * g * mi / m * 0.1;
}

void mouseForce(SparksToyState& s, int32_t i, const SparkPointer& mouse) {
    const double mi = s.sparkMass[i];
    if (!mouse.leftHeld || !takesForces(mi)) return;
    const double dx = mouse.x - s.sparkX[i], dy = mouse.y - s.sparkY[i];
    if (dx == 0 && dy == 0) return;
    // The distance is taken in single precision; beyond its range the pull is nil anyway.
    constexpr double kFloatReach = 1e30;
    const float fdx = float(std::clamp(dx, -kFloatReach, kFloatReach));
    const float fdy = float(std::clamp(dy, -kFloatReach, kFloatReach));
    const double d = double(std::sqrt(fdx * fdx + fdy * fdy));
    if (!(d >= 10)) return;
    const double e = d + 8;
    const double f = mouse.shiftHeld ? 256 * (2048 / (e * e) - 1024 / (d * d)) / mi
                                     : 256 * (128 / (e * e) - 64 / (d * d)) / mi;
    s.sparkForceX[i] += f * dx / d;
    s.sparkForceY[i] += f * dy / d;
}

void drawBall(const Canvas& cv, const SparksToyState& s, int32_t i) {
    const double diameter = std::floor(s.sparkRadius[i]);
    if (!(diameter >= 1) || diameter > kWidestDrawn) return;
    const int64_t size = int64_t(diameter);
    const int64_t left = int64_t(std::floor(s.sparkX[i])) - size / 2;
    const int64_t bottom = int64_t(std::floor(s.sparkY[i])) - size / 2;
    const int64_t x0 = std::max<int64_t>(left, 0), x1 = std::min<int64_t>(left + size, kScreenRight);
    const int64_t y0 = std::max<int64_t>(bottom, kMapViewBottom);
    const int64_t y1 = std::min<int64_t>(bottom + size, kMapViewTop);
    if (x0 > x1 || y0 > y1) return;
    const double step = 64 / diameter;
    const uint8_t band = uint8_t(12 * s.sparkColors[i]);
    const SurfaceView screen = screenView(cv.frame);
    for (int64_t r = y0; r <= y1; ++r) {
        const int64_t a = int64_t(std::nearbyint(step * double(r - bottom)));
        uint8_t* row = &screen.at(0, int32_t(r));
        for (int64_t c = x0; c <= x1; ++c) {
            const int64_t b = int64_t(std::nearbyint(step * double(c - left)));
            const uint8_t p = s.sparkShadeImage[size_t(65 * a + b)];
            if (p != 255) row[c] = uint8_t(p + band);
        }
    }
}

}  // namespace

void stepSparkBalls(const Canvas& cv, SparksToyState& s, const SparkPointer& mouse) {
    const int32_t count = std::clamp(s.sparkCount, 1, kSparkCapacity);
    for (int32_t i = 0; i < count; ++i) recentre(s, i);
    for (int32_t i = 0; i < count; ++i) {
        s.sparkForceX[i] = 0;
        s.sparkForceY[i] = 0;
        for (int32_t j = 0; j < count; ++j)
            if (j != i) pairForce(s, i, j);
        mouseForce(s, i, mouse);
        bounce(s, i);
        s.sparkVelX[i] += s.sparkForceX[i];
        s.sparkVelY[i] += s.sparkForceY[i];
        if (s.sparkDamping) {
            s.sparkVelX[i] *= 0.99;
            s.sparkVelY[i] *= 0.99;
        }
    }
    for (int32_t i = 0; i < count; ++i) {
        s.sparkX[i] += s.sparkVelX[i];
        s.sparkY[i] += s.sparkVelY[i];
        recentre(s, i);
        bounce(s, i);
        drawBall(cv, s, i);
    }
}

void stepSparks(Editor& ed) {
    const SparkPointer mouse{ed.input.mouseX, ed.input.mouseY,
                             ed.input.keyStates[kLeftButton] < 0, ed.dispatch.shiftHeld != 0};
    stepSparkBalls(canvasOf(ed), ed.pages.sparksToy, mouse);
}

}  // namespace korvel
