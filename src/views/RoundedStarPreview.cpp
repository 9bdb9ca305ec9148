#include "views/RoundedStarPreview.h"

#include <cmath>

#include "views/PreviewHelpers.h"
#include "views/ToolPreview.h"

namespace korvel {

namespace {

using namespace preview;

// The star of 2n corners: outer radius r towards P2, inner radius r2 through P1.
struct Star {
    IntPoint centre;
    double r = 0, r2 = 0, a0 = 0, step = 0;

    double angle(int64_t k) const { return a0 + double(k) * step; }
    double radius(int64_t k) const { return k % 2 == 0 ? r : r2; }
    IntPoint corner(int64_t k) const { return preview::corner(centre, radius(k), angle(k)); }
    int32_t storedY(int64_t k) const { return cornerStoredY(centre, radius(k), angle(k)); }
};

// A corner's fillet: its centre on the corner's ray, the tangent points on the two edges and
// the arc between them in s steps.
struct Fillet {
    IntPoint centre, t1, t2;
    double rf = 0, b0 = 0, db = 0;

    double angle(int32_t k) const { return b0 + k * db; }
    IntPoint arc(int32_t k) const {
        return {roundUp(centre.x + rf * std::sin(angle(k))),
                roundUp(centre.y - rf * std::cos(angle(k)))};
    }
    int32_t arcStoredY(int32_t k) const { return roundUp(rf * std::cos(angle(k)) - centre.y); }
};

Fillet filletAt(const Star& star, int64_t j, double distance, int32_t s) {
    Fillet fl;
    fl.centre = corner(star.centre, distance, star.angle(j));
    const IntPoint v = star.corner(j), u = star.corner(j - 1), w = star.corner(j + 1);
    const IntPoint c = fl.centre;
    fl.t1 = lineIntersection(v.x, v.y, u.x, u.y, c.x, c.y, double(c.x) + (double(v.y) - u.y),
                             double(c.y) + (double(u.x) - v.x));
    fl.t2 = lineIntersection(v.x, v.y, w.x, w.y, c.x, c.y, double(c.x) + (double(v.y) - w.y),
                             double(c.y) + (double(w.x) - v.x));
    fl.rf = distDouble(c.x, c.y, fl.t1.x, fl.t1.y);
    fl.b0 = angleOf(c, fl.t1);
    fl.db = double(angleDeltaSingle(float(fl.b0), angleOf(c, fl.t2))) / s;
    return fl;
}

// The arc points 0 to s as points and, for k below lineCount, the line from point k to k + 1.
bool appendArc(ToolPreviewFrame& f, const Fillet& fl, int32_t s, int32_t lineCount) {
    for (int32_t k = 0; k <= s; ++k) {
        const IntPoint p = fl.arc(k), q = fl.arc(k + 1);
        if (!point(f, p)) return false;
        if (k < lineCount && !appendOverlayLine(f.lists, p.x, fl.arcStoredY(k), q.x,
                                                fl.arcStoredY(k + 1), Kind::Outline))
            return false;
    }
    return true;
}

bool guideToPrevious(ToolPreviewFrame& f, const Star& star, int64_t j) {
    const IntPoint a = star.corner(j), b = star.corner(j - 1);
    return appendOverlayLine(f.lists, a.x, star.storedY(j), b.x, star.storedY(j - 1), Kind::Guide);
}

// The fillet distance that follows the mouse, with its read-out.
double mouseDistance(ToolPreviewFrame& f, int32_t message) {
    const IntPoint p0 = placed(f, 0), h = hitPoint(f);
    const double d = distSingle(float(p0.x), float(p0.y), float(h.x), float(h.y));
    readOut(f, message, num(safeFloor(d)));
    if (std::abs(d) < 1) markDegenerate(f);
    return d;
}

// Stage 3: the outer corners rounded, the inner ones sharp.
void outerFillets(ToolPreviewFrame& f, const Star& star, int64_t n, int32_t s) {
    for (int64_t j = 0; j < 2 * n; ++j) {
        const IntPoint v = star.corner(j);
        if (j % 2 != 0) {
            if (!point(f, v) || !guideToPrevious(f, star, j)) return;
            continue;
        }
        const double distance = mouseDistance(f, 263);
        const Fillet fl = filletAt(star, j, distance, s);
        const IntPoint u = star.corner(j - 1);
        if (!point(f, fl.centre) || !guideToPrevious(f, star, j)) return;
        if (!appendOverlayLine(f.lists, u.x, star.storedY(j - 1), fl.t1.x, negatedY(fl.t1.y),
                               Kind::Outline))
            return;
        if (!appendArc(f, fl, s, s + 1)) return;
        // The line past the last arc point ends at the next (inner) corner instead.
        OverlayLine& last = f.lists.overlayLines[f.lists.overlayLineCount - 1];
        last.x2 = star.corner(j + 1).x;
        last.y2 = star.storedY(j + 1);
    }
}

// Stage 4: every corner rounded, the inner fillets following the mouse.
void allFillets(ToolPreviewFrame& f, const Star& star, int64_t n, int32_t s) {
    const IntPoint p0 = placed(f, 0), p3 = placed(f, 3);
    const double outer = distSingle(float(p0.x), float(p0.y), float(p3.x), float(p3.y));
    int32_t firstJoin = -1;
    IntPoint previousT2;
    for (int64_t j = 0; j < 2 * n; ++j) {
        const bool inner = j % 2 != 0;
        const double distance = inner ? mouseDistance(f, 264) : outer;
        const Fillet fl = filletAt(star, j, distance, s);
        if (inner && !point(f, fl.centre)) return;
        if (!guideToPrevious(f, star, j) || !appendArc(f, fl, s, s)) return;
        if (inner) {
            if (!line(f, previousT2, fl.t1, Kind::Outline)) return;
        } else {
            if (j == 0) firstJoin = f.lists.overlayLineCount;
            if (!line(f, fl.t1, previousT2, Kind::Outline)) return;
        }
        previousT2 = fl.t2;
    }
    // The first outer fillet joins the last inner one, known only now.
    if (firstJoin >= 0) {
        OverlayLine& join = f.lists.overlayLines[firstJoin];
        join.x2 = previousT2.x;
        join.y2 = negatedY(previousT2.y);
    }
}

}  // namespace

void buildRoundedStarPreview(ToolPreviewFrame& f) {
    raiseDetail(f, 2);
    // A script may leave no segments per fillet; the arc divides by them.
    if (f.tool.toolSecDetail < 1) f.tool.toolSecDetail = 1;
    const int32_t g = f.points.toolPointCount;
    if (g == 1 || g == 2) {
        buildCircleOrStarPreview(f, 261, 262);
        return;
    }
    if (g != 3 && g != 4) return;
    const int64_t n = f.tool.toolDetail;
    const int32_t s = f.tool.toolSecDetail;
    Star star;
    star.centre = placed(f, 0);
    const IntPoint p1 = placed(f, 1), p2 = placed(f, 2);
    star.r = distSingle(float(star.centre.x), float(star.centre.y), float(p2.x), float(p2.y));
    star.r2 = distSingle(float(star.centre.x), float(star.centre.y), float(p1.x), float(p1.y));
    star.a0 = angleOf(star.centre, p2);
    star.step = kPi / double(n);
    if (!line(f, star.centre, p2, Kind::Guide) || !point(f, star.centre)) return;
    if (g == 3)
        outerFillets(f, star, n, s);
    else
        allFillets(f, star, n, s);
}

}  // namespace korvel
