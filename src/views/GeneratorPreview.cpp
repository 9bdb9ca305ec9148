#include "views/GeneratorPreview.h"

#include <cmath>

#include "views/PreviewHelpers.h"
#include "views/ToolPreview.h"

namespace korvel {

namespace {

using namespace preview;

IntPoint offset(IntPoint p, int64_t dx, int64_t dy) {
    return {saturate(int64_t(p.x) + dx), saturate(int64_t(p.y) + dy)};
}

double distanceToMouse(const ToolPreviewFrame& f) {
    const IntPoint p0 = placed(f, 0), h = hitPoint(f);
    return distSingle(float(p0.x), float(p0.y), float(h.x), float(h.y));
}

bool bothEnds(ToolPreviewFrame& f) {
    return point(f, placed(f, 0)) && point(f, hitPoint(f));
}

// Reel and arch: count + 1 copies of P0-H spread across a half width, like the slats of a drum.
void slatsPreview(ToolPreviewFrame& f, int32_t message, double halfWidth, int32_t count) {
    if (!bothEnds(f)) return;
    const double d = distanceToMouse(f);
    readOut(f, message, num(safeFloor(d)));
    // The slats are spaced by dividing by the count: none below 1.
    if (!(d > 0) || count < 1) return;
    const IntPoint p0 = placed(f, 0), h = hitPoint(f);
    const double dx = double(h.x) - p0.x, dy = double(h.y) - p0.y;
    const int32_t ox = safeFloor(dy / d * halfWidth), oy = safeFloor(dx / d * halfWidth);
    for (int32_t j = 0; j <= count; ++j) {
        const double c = std::cos(double(j) / count * kPi);
        const int32_t sx = roundUp(ox * c), sy = -roundUp(oy * c);
        if (!line(f, offset(p0, sx, sy), offset(h, sx, sy), Kind::Outline)) return;
    }
    if (line(f, offset(h, ox, -int64_t(oy)), offset(h, -int64_t(ox), oy), Kind::Outline))
        line(f, offset(p0, ox, -int64_t(oy)), offset(p0, -int64_t(ox), oy), Kind::Outline);
}

void spherePreview(ToolPreviewFrame& f) {
    if (!bothEnds(f)) return;
    readOut(f, 270, num(safeFloor(distanceToMouse(f))));
    const int32_t sides = f.params.sphere1C, rings = f.params.sphere2C;
    if (sides < 1 || rings < 1) return;
    const IntPoint p0 = placed(f, 0);
    const double th = kPi / sides * 2;
    IntPoint q = hitPoint(f);
    for (int32_t k = 0; k < sides; ++k) {
        if (!line(f, p0, q, Kind::Outline)) return;
        const IntPoint before = q;
        const double dx = double(q.x) - p0.x, dy = double(q.y) - p0.y;
        q = offset(p0, roundUp(dy * std::sin(th) + dx * std::cos(th)),
                   roundUp(dy * std::cos(th) - dx * std::sin(th)));
        for (int32_t j = 0; j <= rings; ++j) {
            const float t = float(std::sin(double(j) / rings * kHalfPi));
            const auto along = [&](IntPoint to) {
                return IntPoint{roundUp(lerpSingle(float(p0.x), float(to.x), t)),
                                roundUp(lerpSingle(float(p0.y), float(to.y), t))};
            };
            if (!line(f, along(q), along(before), Kind::Outline)) return;
        }
    }
}

// The segments of the profile, as many as the page holds.
int32_t contourCount(const ToolPreviewFrame& f) {
    return f.params.contour ? f.params.contourCount : 0;
}

void guideAndEnds(ToolPreviewFrame& f, int32_t message) {
    if (!bothEnds(f)) return;
    if (!line(f, placed(f, 0), hitPoint(f), Kind::Guide)) return;
    readOut(f, message, num(safeFloor(distanceToMouse(f))));
}

void sweepPreview(ToolPreviewFrame& f) {
    raiseDetail(f, 1);
    guideAndEnds(f, 269);
    const double d = distanceToMouse(f);
    if (!(d > 0)) return;
    const IntPoint p0 = placed(f, 0), h = hitPoint(f);
    const double ux = (double(h.x) - p0.x) / d, uy = (double(h.y) - p0.y) / d;
    const auto off = [&](IntPoint p, int32_t v) {
        return offset(p, -int64_t(roundUp(v * uy)), roundUp(v * ux));
    };
    const int64_t n = f.tool.toolDetail;
    const int64_t spanX = int64_t(p0.x) - h.x, spanY = int64_t(p0.y) - h.y;
    const int32_t segments = contourCount(f);
    if (segments < 1) return;  // an empty profile: no sections to walk through
    for (int64_t j = 0; j < n; ++j) {
        // The span times j needs 64 bits (up to 2^32 times 2^31); dividing first would move
        // the sections.
        const IntPoint a = offset(h, spanX * j / n, spanY * j / n);
        const IntPoint b = offset(h, spanX * (j + 1) / n, spanY * (j + 1) / n);
        for (int32_t i = 0; i < segments; ++i) {
            const ContourSegment& seg = f.params.contour[i];
            const IntPoint al = off(a, seg.leftX), bl = off(b, seg.leftX);
            const IntPoint ar = off(a, seg.rightX), br = off(b, seg.rightX);
            if (!line(f, bl, al, Kind::Outline) || !line(f, br, ar, Kind::Outline) ||
                !line(f, bl, br, Kind::Outline) || !line(f, al, ar, Kind::Outline))
                return;
            if (!point(f, al) || !point(f, bl) || !point(f, br) || !point(f, ar)) return;
        }
    }
}

void terrainPreview(ToolPreviewFrame& f) {
    const int64_t columns = f.params.terrainParamA, rows = f.params.terrainParamB;
    const IntPoint p0 = placed(f, 0), h = hitPoint(f);
    const int64_t dx = int64_t(h.x) - p0.x;
    // One column less than none would divide by zero: no grid.
    const int64_t divisor = columns + 1;
    const int64_t w = divisor == 0 ? 0 : dx / divisor;
    const int64_t ht = divisor == 0 ? 0 : int64_t(roundUp(std::sqrt(3.0) * double(dx))) / divisor;
    readOut(f, 1273, num(w), num(ht));
    if (divisor == 0 || columns < 1 || rows < 1) return;
    for (int64_t r = 0; r < rows; ++r) {
        for (int64_t c = 0; c < columns; ++c) {
            const IntPoint at = offset(p0, c * w, r * ht);
            const IntPoint right = offset(at, 2 * w, 0), peak = offset(at, w, ht);
            const IntPoint low = offset(at, 0, ht), top = offset(at, w, 0),
                           far = offset(at, 2 * w, ht);
            IntPoint t[3];
            if ((r + c) % 2 != 0) {
                t[0] = right, t[1] = peak, t[2] = at;
                if (!line(f, at, right, Kind::Outline)) return;
            } else {
                t[0] = low, t[1] = top, t[2] = far;
                if (!line(f, low, far, Kind::Outline)) return;
            }
            // The first line ran along the base; the other two close the triangle.
            const IntPoint from = (r + c) % 2 != 0 ? right : far;
            const IntPoint apex = (r + c) % 2 != 0 ? peak : top;
            const IntPoint back = (r + c) % 2 != 0 ? at : low;
            if (!line(f, from, apex, Kind::Outline) || !line(f, apex, back, Kind::Outline)) return;
            for (const IntPoint& p : t)
                if (!point(f, p)) return;
        }
    }
}

}  // namespace

void buildRingsPreview(ToolPreviewFrame& f) {
    raiseDetail(f, 3);
    guideAndEnds(f, 270);
    const IntPoint p0 = placed(f, 0), h = hitPoint(f);
    const double a0 = angleOfDouble(p0.x, p0.y, h.x, h.y);
    const int64_t n = f.tool.toolDetail;
    const int32_t segments = contourCount(f);
    if (segments < 1) return;
    const auto q = [&](int64_t k, int32_t v) {
        const double t = double(k) * kPi * 2 / double(n) + a0;
        return offset(p0, roundUp(v * std::sin(t)), -int64_t(roundUp(v * std::cos(t))));
    };
    for (int64_t i = 0; i < n; ++i) {
        for (int32_t k = 0; k < segments; ++k) {
            const ContourSegment& seg = f.params.contour[k];
            const IntPoint c[4] = {q(i, seg.rightX), q(i + 1, seg.rightX), q(i + 1, seg.leftX),
                                   q(i, seg.leftX)};
            for (const IntPoint& p : c)
                if (!point(f, p)) return;
            for (int32_t e = 0; e < 4; ++e)
                if (!line(f, c[e], c[(e + 1) % 4], Kind::Outline)) return;
        }
    }
}

void buildGeneratorPreview(ToolPreviewFrame& f) {
    if (f.points.toolPointCount < 1) return;
    const ToolPreviewParams& g = f.params;
    switch (f.tool.currentTool) {
        case Tool::Reel:
            slatsPreview(f, 268, double(g.reelD), g.reelC);
            break;
        case Tool::Arch:
            slatsPreview(f, 269, double(g.arch1C) / 2, g.arch2C);
            break;
        case Tool::Sphere:
            spherePreview(f);
            break;
        case Tool::ProfileSweep:
            sweepPreview(f);
            break;
        case Tool::ProfileRevolve:
            buildRingsPreview(f);
            break;
        case Tool::TerrainFromTile:
            terrainPreview(f);
            break;
        default:
            break;
    }
}

}  // namespace korvel
