#include "ui/Raster.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/Mainm.h"
#include "base/Random.h"
#include "base/ValueConv.h"

namespace korvel {

namespace {

constexpr double kPi = 3.14159265358979;

bool inside(const ClipRect& c, int64_t x, int64_t y) {
    return x >= c.x0 && x <= c.x1 && y >= c.y0 && y <= c.y1;
}

bool bothOutside(const ClipRect& c, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return (x1 < c.x0 && x2 < c.x0) || (x1 > c.x1 && x2 > c.x1) || (y1 < c.y0 && y2 < c.y0) ||
           (y1 > c.y1 && y2 > c.y1);
}

// The walk of a line along its longer axis. The offsets along that axis are cut to the rectangle
// and the other coordinate, the floor of its exact position, is tested against it; plot(x, y) is
// called for every point inside. The caller has already rejected lines wholly on one side.
template <class Plot>
void walkLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const ClipRect& c, int64_t step,
              Plot&& plot) {
    const int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
    const bool alongX = std::llabs(dy) < std::llabs(dx);
    const int64_t major1 = alongX ? x1 : y1, major2 = alongX ? x2 : y2;
    const int64_t lo = alongX ? c.x0 : c.y0, hi = alongX ? c.x1 : c.y1;
    const int64_t minorLo = alongX ? c.y0 : c.x0, minorHi = alongX ? c.y1 : c.x1;
    const int64_t dMajor = alongX ? dx : dy, dMinor = alongX ? dy : dx;
    const double minor1 = alongX ? y1 : x1;
    const double slope = float(double(dMinor) / double(dMajor));

    int64_t iStart = 0, iEnd = dMajor;
    if (major1 < lo) iStart = lo - major1;
    if (major2 < lo) iEnd = lo - major1;
    if (major1 + iStart > hi) iStart = hi - major1;
    if (major1 + iEnd > hi) iEnd = hi - major1;
    const int64_t dir = dMajor > 0 ? 1 : -1;
    const int64_t advance = step * dir;
    if (dMinor == 0) {
        // A vertical or horizontal line keeps its other coordinate: one test for the whole run.
        if (minor1 < double(minorLo) || minor1 > double(minorHi)) return;
        const auto minor = int32_t(minor1);
        for (int64_t i = iStart; dir > 0 ? i <= iEnd : i >= iEnd; i += advance) {
            if (alongX)
                plot(int32_t(major1 + i), minor);
            else
                plot(minor, int32_t(major1 + i));
        }
        return;
    }
    for (int64_t i = iStart; dir > 0 ? i <= iEnd : i >= iEnd; i += advance) {
        const int32_t minor = safeFloor(minor1 + double(i) * slope);
        if (minor < minorLo || minor > minorHi) continue;
        if (alongX)
            plot(int32_t(major1 + i), minor);
        else
            plot(minor, int32_t(major1 + i));
    }
}

// A plain line cut to the rectangle c, which lies within the surface.
void plainLine(const SurfaceView& s, const ClipRect& c, int32_t x1, int32_t y1, int32_t x2,
               int32_t y2, uint8_t colour) {
    if (bothOutside(c, x1, y1, x2, y2)) return;
    if (x1 == x2 && y1 == y2) {
        s.at(x1, y1) = colour;
        return;
    }
    if (y1 == y2) {
        // The run stops one short of the end with the larger x.
        const int64_t a = std::max<int64_t>(std::min(x1, x2), c.x0);
        const int64_t b = std::min<int64_t>(int64_t(std::max(x1, x2)) - 1, c.x1);
        if (a <= b) std::memset(&s.at(int32_t(a), y1), colour, size_t(b - a + 1));
        return;
    }
    walkLine(x1, y1, x2, y2, c, 1, [&](int32_t x, int32_t y) { s.at(x, y) = colour; });
}

// Rounds to the nearest integer, halves to even, saturating at the 32-bit range.
int32_t roundToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return int32_t(std::nearbyint(v));
}

struct ClipperBounds {
    int32_t x0, y0;
    int32_t xUpper1, xUpper2, yUpper1, yUpper2;
    bool rejectByOwnBounds;  // each end point against its own upper bound
};

void clipLine(const ClipperBounds& b, int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) {
    bool reject = (x1 < b.x0 && x2 < b.x0) || (y1 < b.y0 && y2 < b.y0);
    if (b.rejectByOwnBounds)
        reject = reject || (x2 > b.xUpper2 && x1 > b.xUpper1) || (y2 > b.yUpper2 && y1 > b.yUpper1);
    else
        reject = reject || (x1 > b.xUpper2 && x2 > b.xUpper2) || (y1 > b.yUpper2 && y2 > b.yUpper2);
    if (reject) {
        x1 = y1 = x2 = y2 = -1;
        return;
    }
    auto moveX = [](int32_t& x, int32_t& y, int32_t bound, float s) {
        y = roundToInt(double(y) + double(int64_t(bound) - x) * s);
        x = bound;
    };
    // The slopes are worked out only for a line that crosses a bound.
    if (x1 != x2 && (x1 < b.x0 || x1 > b.xUpper1 || x2 < b.x0 || x2 > b.xUpper2)) {
        const float s = float(double(int64_t(y1) - y2) / double(int64_t(x1) - x2));
        if (x1 < b.x0)
            moveX(x1, y1, b.x0, s);
        else if (x1 > b.xUpper1)
            moveX(x1, y1, b.xUpper1, s);
        if (x2 < b.x0)
            moveX(x2, y2, b.x0, s);
        else if (x2 > b.xUpper2)
            moveX(x2, y2, b.xUpper2, s);
    }
    if (y1 == y2 || !(y1 < b.y0 || y1 > b.yUpper1 || y2 < b.y0 || y2 > b.yUpper2)) return;
    auto moveY = [](int32_t& x, int32_t& y, int32_t bound, float t) {
        x = roundToInt(double(x) + double(int64_t(bound) - y) * t);
        y = bound;
    };
    const float t = float(double(int64_t(x1) - x2) / double(int64_t(y1) - y2));
    if (y1 < b.y0)
        moveY(x1, y1, b.y0, t);
    else if (y1 > b.yUpper1)
        moveY(x1, y1, b.yUpper1, t);
    if (y2 < b.y0)
        moveY(x2, y2, b.y0, t);
    else if (y2 > b.yUpper2)
        moveY(x2, y2, b.yUpper2, t);
}

constexpr ClipperBounds kScreenClipper{0,          0,          kScreenRight, kScreenRight,
                                       kScreenTop, kScreenTop, false};
constexpr ClipperBounds kMapViewClipper{
    0, kMapViewBottom, kScreenRight - 1, kScreenRight, kMapViewTop - 1, kMapViewTop, true};
constexpr ClipperBounds kPanelClipper{10, 305, 773, 774, 517, 518, false};

void lineClippedOrSmooth(const Canvas& cv, const ClipRect& c, int32_t clipMode, int32_t x1,
                         int32_t y1, int32_t x2, int32_t y2, int32_t colour) {
    if (cv.smoothLines)
        drawLineSmooth(cv, x1, y1, x2, y2, colour, clipMode);
    else
        plainLine(screenView(cv.frame), c, x1, y1, x2, y2, uint8_t(colour));
}

void thickLine(const SurfaceView& s, const ClipRect& centres, int32_t x1, int32_t y1, int32_t x2,
               int32_t y2, uint8_t colour) {
    if (bothOutside(centres, x1, y1, x2, y2)) return;
    const ClipRect bounds = s.bounds();
    // Centres inside the surface by a margin of one write their pen without tests.
    const ClipRect safe{1, 1, s.width - 2, s.height - 2};
    auto pen = [&](int32_t x, int32_t y) {
        static constexpr int kDx[5] = {0, -1, 1, 0, 0}, kDy[5] = {0, 0, 0, -1, 1};
        if (inside(safe, x, y)) {
            for (int k = 0; k < 5; ++k) s.at(x + kDx[k], y + kDy[k]) = colour;
            return;
        }
        for (int k = 0; k < 5; ++k)
            if (inside(bounds, int64_t(x) + kDx[k], int64_t(y) + kDy[k]))
                s.at(x + kDx[k], y + kDy[k]) = colour;
    };
    if (x1 == x2 && y1 == y2) {
        pen(x1, y1);
        return;
    }
    walkLine(x1, y1, x2, y2, centres, 1, pen);
}

// The 16 pixels of the markers, relative to the centre.
struct Offset {
    int8_t dx, dy;
};
constexpr Offset kRoundMarker[16] = {{-1, -2}, {0, -2}, {1, -2}, {-1, 2}, {0, 2}, {1, 2},
                                     {-2, -1}, {-2, 0}, {-2, 1}, {2, -1}, {2, 0}, {2, 1},
                                     {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
constexpr Offset kSquareMarker[16] = {{-2, -2}, {-1, -2}, {0, -2}, {1, -2}, {2, -2},  {-2, 2},
                                      {-1, 2},  {0, 2},   {1, 2},  {2, 2},  {-2, -1}, {-2, 0},
                                      {-2, 1},  {2, -1},  {2, 0},  {2, 1}};

void marker(const Canvas& cv, const Offset (&shape)[16], const ClipRect& clip, int32_t x, int32_t y,
            int32_t colour) {
    const SurfaceView s = screenView(cv.frame);
    const uint8_t c = uint8_t(colour);
    if (x >= clip.x0 + 2 && x <= clip.x1 - 2 && y >= clip.y0 + 2 && y <= clip.y1 - 2) {
        for (const Offset& o : shape) s.at(x + o.dx, y + o.dy) = c;
        return;
    }
    for (const Offset& o : shape)
        if (inside(clip, int64_t(x) + o.dx, int64_t(y) + o.dy)) s.at(x + o.dx, y + o.dy) = c;
}

// The shear rotation that produces the points of every circle, starting at the leftmost point.
template <class Plot>
void circlePoints(float cx, float cy, float r, int64_t count, Plot&& plot) {
    // A point whose floor lies left of or above the screen, or at or past its far edges, is on
    // no surface the callers draw on; the flooring is skipped for it (a huge or undefined value
    // still goes through safeFloor, whose 0 may be on the screen).
    const auto off = [](float v, float end) {
        return (v < -1.0f && v >= -2.1e9f) || (v >= end && v <= 2.1e9f);
    };
    float px = cx - r, py = cy;
    for (int64_t i = 0; i < count; ++i) {
        if (!off(px, float(kScreenWidth)) && !off(py, float(kScreenHeight)))
            plot(safeFloor(px), safeFloor(py));
        px = cx + ((px - cx) - (py - cy) / r);
        py = cy + ((py - cy) + (px - cx) / r);
    }
}

// Rims of fewer steps are walked again every time; the walk costs less than keeping them. A rim
// that puts more points on the screen than the cache holds (a centre that is not a number, whose
// points all fall on one pixel) is not kept either.
constexpr int64_t kSmallestCachedRim = int64_t(1) << 14;
constexpr size_t kCachedRimPoints = size_t(1) << 14;

// circlePoints through the cache: the same points, in the same order, either way.
template <class Plot>
void circlePointsCached(CircleRimCache* cache, float cx, float cy, float r, int64_t count,
                        Plot&& plot) {
    if (!cache || count < kSmallestCachedRim) {
        circlePoints(cx, cy, r, count, plot);
        return;
    }
    CircleRimCache& c = *cache;
    const uint32_t bx = std::bit_cast<uint32_t>(cx), by = std::bit_cast<uint32_t>(cy),
                   br = std::bit_cast<uint32_t>(r);
    if (c.valid && c.cx == bx && c.cy == by && c.radius == br && c.count == count) {
        for (const CircleRimCache::Point& p : c.points) plot(p.x, p.y);
        return;
    }
    c.cx = bx;
    c.cy = by;
    c.radius = br;
    c.count = count;
    c.points.clear();
    c.points.reserve(kCachedRimPoints);
    bool fits = true;
    circlePoints(cx, cy, r, count, [&](int32_t x, int32_t y) {
        if (c.points.size() < kCachedRimPoints)
            c.points.push_back({x, y});
        else
            fits = false;
        plot(x, y);
    });
    c.valid = fits;
}

// Points of drawCircle and drawCircleShaded. A circle this large is far bigger than the screen;
// the bound keeps absurd radii from stalling a frame.
int64_t fullCirclePointCount(float r) {
    constexpr int64_t kMaxPoints = int64_t(1) << 22;
    const double k = std::nearbyint(2.0 * kPi * double(r) - 1.0);
    if (std::isnan(k) || k < 0) return 0;
    return k >= double(kMaxPoints) ? kMaxPoints : int64_t(k) + 1;
}

}  // namespace

void drawLineScreen(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                    int32_t colour) {
    lineClippedOrSmooth(cv, kWholeScreen, 1, x1, y1, x2, y2, colour);
}

void drawLineMapView(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                     int32_t colour) {
    lineClippedOrSmooth(cv, kMapView, 2, x1, y1, x2, y2, colour);
}

void drawLinePanel(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                   int32_t colour) {
    lineClippedOrSmooth(cv, kToolPane, 3, x1, y1, x2, y2, colour);
}

void drawLineUnclipped(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                       int32_t colour) {
    plainLine(screenView(cv.frame), kWholeScreen, x1, y1, x2, y2, uint8_t(colour));
}

void drawLineBg(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour) {
    plainLine(backgroundView(cv.frame), kWholeScreen, x1, y1, x2, y2, uint8_t(colour));
}

void drawDottedLineMapView(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                           int32_t colour, int32_t step) {
    int32_t pixelStep = step & 255;
    if (pixelStep == 1) {
        drawLineMapView(cv, x1, y1, x2, y2, colour);
        return;
    }
    if (pixelStep == 0) pixelStep = 256;  // a step of 0 would never advance
    if (bothOutside(kMapView, x1, y1, x2, y2)) return;
    const SurfaceView s = screenView(cv.frame);
    const uint8_t c = uint8_t(colour);
    if (x1 == x2 && y1 == y2) {
        s.at(x1, y1) = c;
        return;
    }
    walkLine(x1, y1, x2, y2, kMapView, pixelStep, [&](int32_t x, int32_t y) { s.at(x, y) = c; });
}

void drawThickLineMapView(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                          int32_t colour) {
    // Pen centres stay one pixel inside the map view, so the pen never leaves it.
    static constexpr ClipRect kCentres{1, kMapViewBottom + 1, kScreenRight - 1, kMapViewTop - 1};
    thickLine(screenView(cv.frame), kCentres, x1, y1, x2, y2, uint8_t(colour));
}

void drawThickLineUnclipped(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            int32_t colour) {
    static constexpr ClipRect kCentres{-1, -1, kScreenWidth, kScreenHeight};
    thickLine(screenView(cv.frame), kCentres, x1, y1, x2, y2, uint8_t(colour));
}

void plotLinePointsClipped(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                           int32_t colour) {
    const SurfaceView s = screenView(cv.frame);
    const uint8_t c = uint8_t(colour);
    auto plot = [&](int32_t t) {
        const int32_t x = lerpFixed(x1, x2, t), y = lerpFixed(y1, y2, t);
        if (inside(kMapView, x, y)) s.at(x, y) = c;
    };
    const int32_t n = safeFloor(distSingle(float(x1), float(y1), float(x2), float(y2)));
    if (n == 0) {
        if (inside(kMapView, x1, y1)) s.at(x1, y1) = c;
        return;
    }
    const float q = float(65535.0 / n);
    if (n <= 65535) {
        for (int32_t i = 0; i <= n; ++i) plot(safeFloor(double(i) * q));
        return;
    }
    // Longer lines repeat fraction values; every value from 0 to the last one occurs, so visiting
    // each once draws the same pixels.
    const int32_t last = safeFloor(double(n) * q);
    for (int32_t t = 0; t <= last; ++t) plot(t);
}

namespace {

struct SmoothLine {
    SurfaceView s;
    ClipRect clip;
    const uint8_t* blend;
    uint8_t c;
    int32_t x1, y1, x2, y2, sx, sy, n, m;
};

// One smooth line along its major axis: each step puts a pixel pair, the share of the colour
// in each decided by how far the true line lies between them. The second pixel of the pair is
// one column right on a y-major line, one row up otherwise; Rising tells which of the two the
// line leans towards. Long lines take the direction as constants, so that the steps hold no
// tests of it; short ones, where choosing among the forms would cost more, take it as it is.
struct LineDirection {
    bool xMajor, rising, checked;
};
template <bool XMajor, bool Rising, bool Checked>
struct FixedDirection {
    static constexpr bool xMajor = XMajor, rising = Rising, checked = Checked;
};

template <class Direction>
void drawSmoothRun(const SmoothLine& l, Direction d) {
    const bool XMajor = d.xMajor, Rising = d.rising, Checked = d.checked;
    const int32_t qx = XMajor ? 0 : 1, qy = XMajor ? 1 : 0;
    const SurfaceView s = l.s;
    const uint8_t* blend = l.blend;
    const uint8_t c = l.c;
    auto allowed = [&](int32_t x, int32_t y) { return !Checked || inside(l.clip, x, y); };
    auto full = [&](int32_t x, int32_t y) {
        if (allowed(x, y)) s.at(x, y) = c;
    };
    auto twoThirds = [&](int32_t x, int32_t y) {
        if (!allowed(x, y)) return;
        uint8_t& v = s.at(x, y);
        v = blend[v * 256 + c];
    };
    auto oneThird = [&](int32_t x, int32_t y) {
        if (!allowed(x, y)) return;
        uint8_t& v = s.at(x, y);
        v = blend[c * 256 + v];
    };
    const int64_t n = l.n, m = l.m;
    int32_t x = l.x1, y = l.y1;
    int64_t t = 3 * n;
    for (int64_t k = 0; k < n; ++k) {
        if (t >= 6 * n - 6 * m) {
            if (XMajor)
                y += l.sy;
            else
                x += l.sx;
            t -= 6 * n;
        }
        if (XMajor)
            x += l.sx;
        else
            y += l.sy;
        t += 6 * m;
        // t stays in 0..6n-1, so its third of that range is found by two comparisons.
        int32_t u = int32_t(t >= 2 * n) + int32_t(t >= 4 * n);
        if (!XMajor && x == l.x2) u = 0;
        if (XMajor && y == l.y2) u = 3;
        switch (u) {
            case 0:
                if (Rising)
                    full(x, y);
                else
                    full(x + qx, y + qy);
                break;
            case 1:
                if (Rising) {
                    twoThirds(x, y);
                    oneThird(x + qx, y + qy);
                } else {
                    oneThird(x, y);
                    twoThirds(x + qx, y + qy);
                }
                break;
            case 2:
                if (Rising) {
                    oneThird(x, y);
                    twoThirds(x + qx, y + qy);
                } else {
                    twoThirds(x, y);
                    oneThird(x + qx, y + qy);
                }
                break;
            default:
                full(x, y);
                break;
        }
    }
}

}  // namespace

void drawLineSmooth(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                    int32_t colour, int32_t clipMode) {
    ClipRect clip = kWholeScreen;
    if (clipMode >= 1 && clipMode <= 3) {
        if (clipMode == 1) clipLineScreen(x1, y1, x2, y2);
        if (clipMode == 2) {
            clipLineMapView(x1, y1, x2, y2);
            clip = kMapView;
        }
        if (clipMode == 3) {
            clipLinePanel(x1, y1, x2, y2);
            clip = kToolPane;
        }
        if (x1 == -1) return;
    }
    if (x1 < 0 || y1 < 0 || x2 < 0 || y2 < 0 || x1 > kScreenRight || x2 > kScreenRight ||
        y1 > kScreenTop || y2 > kScreenTop)
        return;
    const int32_t dx = x2 - x1, dy = y2 - y1;
    const int32_t sx = (dx > 0) - (dx < 0), sy = (dy > 0) - (dy < 0);
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int32_t n = xMajor ? std::abs(dx) : std::abs(dy);
    const int32_t m = xMajor ? std::abs(dy) : std::abs(dx);
    if (n == 0) return;

    const SurfaceView s = screenView(cv.frame);
    if (m == 0) {
        // Level or upright: every step falls wholly on the next pixel of the run, which leaves
        // out the start. Of the run, what lies inside the rectangle is written.
        const uint8_t c = uint8_t(colour);
        if (xMajor) {
            if (y1 < clip.y0 || y1 > clip.y1) return;
            const int32_t lo = std::max(sx > 0 ? x1 + 1 : x2, clip.x0);
            const int32_t hi = std::min(sx > 0 ? x2 : x1 - 1, clip.x1);
            if (lo <= hi) fillRun(&s.at(lo, y1), c, size_t(hi - lo + 1));
        } else {
            if (x1 < clip.x0 || x1 > clip.x1) return;
            const int32_t lo = std::max(sy > 0 ? y1 + 1 : y2, clip.y0);
            const int32_t hi = std::min(sy > 0 ? y2 : y1 - 1, clip.y1);
            for (int32_t y = lo; y <= hi; ++y) s.at(x1, y) = c;
        }
        return;
    }
    const SmoothLine line{
        s, clip, cv.colors.blendTable.data(), uint8_t(colour), x1, y1, x2, y2, sx, sy, n, m};
    // A clipper may leave an end point just outside its rectangle; every write is kept inside,
    // and a line whose pixels all lie inside is drawn without asking.
    const int32_t qx = xMajor ? 0 : 1, qy = xMajor ? 1 : 0;
    const bool checked = !inside(clip, x1, y1) || !inside(clip, x2, y2) ||
                         !inside(clip, int64_t(x1) + qx, int64_t(y1) + qy) ||
                         !inside(clip, int64_t(x2) + qx, int64_t(y2) + qy);
    const bool rising = xMajor ? y1 <= y2 : x1 <= x2;
    if (n < 32) {
        drawSmoothRun(line, LineDirection{xMajor, rising, checked});
        return;
    }
    const int which = (xMajor ? 4 : 0) | (rising ? 2 : 0) | (checked ? 1 : 0);
    switch (which) {
        case 0: drawSmoothRun(line, FixedDirection<false, false, false>{}); break;
        case 1: drawSmoothRun(line, FixedDirection<false, false, true>{}); break;
        case 2: drawSmoothRun(line, FixedDirection<false, true, false>{}); break;
        case 3: drawSmoothRun(line, FixedDirection<false, true, true>{}); break;
        case 4: drawSmoothRun(line, FixedDirection<true, false, false>{}); break;
        case 5: drawSmoothRun(line, FixedDirection<true, false, true>{}); break;
        case 6: drawSmoothRun(line, FixedDirection<true, true, false>{}); break;
        default: drawSmoothRun(line, FixedDirection<true, true, true>{}); break;
    }
}

void clipLineScreen(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) {
    clipLine(kScreenClipper, x1, y1, x2, y2);
}

void clipLineMapView(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) {
    clipLine(kMapViewClipper, x1, y1, x2, y2);
}

void clipLinePanel(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) {
    clipLine(kPanelClipper, x1, y1, x2, y2);
}

void drawRectMapView(const Canvas& cv, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                     int32_t colour) {
    if ((y1 > kMapViewTop && y2 > kMapViewTop) || (y1 < kMapViewBottom && y2 < kMapViewBottom) ||
        (x1 > kScreenRight && x2 > kScreenRight) || (x1 < 0 && x2 < 0))
        return;
    const SurfaceView s = screenView(cv.frame);
    const uint8_t c = uint8_t(colour);
    const bool left = x1 >= 0 && x1 <= kScreenRight, right = x2 >= 0 && x2 <= kScreenRight;
    for (int32_t r = std::max(y1, kMapViewBottom), top = std::min(y2, kMapViewTop); r <= top; ++r) {
        if (left) s.at(x1, r) = c;
        if (right) s.at(x2, r) = c;
    }
    // The runs stop one short of x2: the corner there comes from its column.
    const int32_t runStart = std::max(x1, 0);
    const int64_t runLength = int64_t(std::min(x2, kScreenRight)) - runStart;
    if (runLength <= 0) return;
    for (const int32_t row : {y1, y2})
        if (row >= kMapViewBottom && row <= kMapViewTop)
            std::memset(&s.at(runStart, row), c, size_t(runLength));
}

void drawCircle(const Canvas& cv, float cx, float cy, float radius, int32_t colour) {
    const SurfaceView s = screenView(cv.frame);
    const uint8_t c = uint8_t(colour);
    circlePoints(cx, cy, radius, fullCirclePointCount(radius), [&](int32_t x, int32_t y) {
        if (inside(kWholeScreen, x, y)) s.at(x, y) = c;
    });
}

void drawCircleMapView(const Canvas& cv, float cx, float cy, float radius, int32_t colour) {
    const SurfaceView s = screenView(cv.frame);
    const uint8_t c = uint8_t(colour);
    const int64_t count = std::min<int64_t>(safeFloor(2.0 * kPi * double(radius)), 1 << 22);
    circlePoints(cx, cy, radius, count, [&](int32_t x, int32_t y) {
        if (inside(kMapView, x, y)) s.at(x, y) = c;
    });
}

void drawCircleShaded(const Canvas& cv, Random& random, float cx, float cy, float radius,
                      CircleRimCache* cache) {
    const SurfaceView s = screenView(cv.frame);
    const int64_t count = fullCirclePointCount(radius);
    circlePointsCached(cache, cx, cy, radius, count, [&](int32_t x, int32_t y) {
        if (!inside(kMapView, x, y)) return;
        const double shade = 5.0 * std::abs(double(x) - cx) / radius + randomSingle(random);
        s.at(x, y) = rampColour(int16_t(safeFloor(shade)));
    });
}

void drawBraceBg(const Canvas& cv, int32_t x, int32_t y, int32_t r, int32_t n, int32_t colour) {
    if (n <= 0) return;  // n = 0 would divide by zero
    const SurfaceView s = backgroundView(cv.frame);
    const uint8_t c = uint8_t(colour);
    auto column = [&](int64_t i) {
        const double a = arcSin(2.0 * double(i) / n - 1.0);
        return safeFloor(a * a * a / kPi * r);
    };
    auto run = [&](int64_t row, int64_t from, int64_t length) {
        if (row < 0 || row >= s.height) return;
        const int64_t a = std::max<int64_t>(from, 0);
        const int64_t b = std::min<int64_t>(from + length - 1, s.width - 1);
        if (a <= b) std::memset(&s.at(int32_t(a), int32_t(row)), c, size_t(b - a + 1));
    };
    // Only the values of i whose rows can lie on the background are visited.
    const int64_t lowRows[2] = {std::max<int64_t>(1, -int64_t(y)),
                                std::max<int64_t>(1, int64_t(y) + 2 * int64_t(n) - (s.height - 1))};
    const int64_t highRows[2] = {std::min<int64_t>(n, int64_t(s.height - 1) - y),
                                 std::min<int64_t>(n, int64_t(y) + 2 * int64_t(n))};
    for (int part = 0; part < 2; ++part)
        for (int64_t i = lowRows[part]; i <= highRows[part]; ++i) {
            const int32_t prev = column(i - 1), cur = column(i);
            const int64_t length = std::llabs(int64_t(cur) - prev) + 1;
            const int64_t row = part == 0 ? int64_t(y) + i : int64_t(y) + 2 * int64_t(n) - i;
            run(row, int64_t(x) + prev, length);
        }
}

void drawRoundMarker(const Canvas& cv, int32_t x, int32_t y, int32_t colour) {
    marker(cv, kRoundMarker, kMapView, x, y, colour);
}

void drawSquareMarker(const Canvas& cv, int32_t x, int32_t y, int32_t colour) {
    marker(cv, kSquareMarker, kMapView, x, y, colour);
}

void drawRoundMarkerInPane(const Canvas& cv, int32_t x, int32_t y, int32_t colour) {
    marker(cv, kRoundMarker, kToolPane, x, y, colour);
}

}  // namespace korvel
