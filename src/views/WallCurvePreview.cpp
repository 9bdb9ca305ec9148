#include "views/WallCurvePreview.h"

#include <cmath>
#include <optional>

#include "app/Editor.h"
#include "map/GeometryQueries.h"
#include "map/Selection.h"
#include "views/PreviewHelpers.h"
#include "views/ToolPreview.h"

namespace korvel {

namespace {

using namespace preview;

constexpr int32_t kAllSelectedWalls = 16777215;

IntPoint wallStart(const MapStore& map, int32_t w) {
    return {map.walls[w].x, map.walls[w].y};
}

// The wall's two ends, or nothing when the wall or its successor is not a wall of the map or
// the wall has no length.
std::optional<std::pair<IntPoint, IntPoint>> wallEnds(const MapStore& map, int32_t w) {
    if (!isWall(map, w) || !isWall(map, map.walls[w].point2)) return std::nullopt;
    const IntPoint s = wallStart(map, w), e = wallStart(map, map.walls[w].point2);
    if (s == e) return std::nullopt;
    return std::make_pair(s, e);
}

void raiseSegments(ToolPreviewFrame& f) {
    if (f.tool.toolSecDetail < 1) f.tool.toolSecDetail = 1;
}

void curveWallPreview(ToolPreviewFrame& f) {
    raiseSegments(f);
    const auto ends = wallEnds(f.map, f.tool.toolTargetSector);
    if (!ends) return;
    const auto [s, e] = *ends;
    const int32_t count = f.tool.toolSecDetail;
    const IntPoint h = hitPoint(f);
    const double dist = signedDistToLine(s.x, s.y, e.x, e.y, h.x, h.y);
    const double mx = double((int64_t(s.x) + e.x) / 2), my = double((int64_t(s.y) + e.y) / 2);
    const double a = double(angleOf(s, e)) + kHalfPi;
    const IntPoint q{roundEven(mx + dist * std::sin(a)), roundEven(my - dist * std::cos(a))};
    if (!point(f, q)) return;
    const double r = distSingle(float(s.x), float(s.y), float(q.x), float(q.y));
    readOut(f, 265, num(safeFloor(r)));
    const double b = angleOf(s, q), en = angleOf(e, q);
    const double d = angleDeltaSingle(float(b), float(en));
    double step;
    if (f.tool.toolAltMode)
        step = (d - kTwoPi) / count;
    else if (dist > 0)
        step = d / count;
    else
        step = (kTwoPi - double(angleDeltaSingle(float(en), float(b)))) / count;
    if (count * step > kTwoPi) step -= kTwoPi / count;
    if (count * step < -kTwoPi) step += kTwoPi / count;
    const auto at = [&](int32_t i) {
        const double t = b + i * step;
        return IntPoint{roundEven(q.x - r * std::sin(t)), roundEven(q.y + r * std::cos(t))};
    };
    const auto storedY = [&](int32_t i) { return roundEven(-double(q.y) - r * std::cos(b + i * step)); };
    for (int32_t i = 0; i < count; ++i) {
        const IntPoint p = at(i), next = at(i + 1);
        if (!point(f, p)) return;
        if (!appendOverlayLine(f.lists, p.x, storedY(i), next.x, storedY(i + 1), Kind::Outline))
            return;
    }
    point(f, e);
}

void divideWallPreview(ToolPreviewFrame& f) {
    raiseDetail(f, 2);
    int32_t w = f.tool.toolTargetSector;
    if (w == kAllSelectedWalls) {
        w = getFirstSelectedWall(f.map);
        // With no wall selected the first-wall query answers 0, which is not a choice.
        if (!isWall(f.map, w) || !f.map.wallSelected[w]) return;
    }
    const auto ends = wallEnds(f.map, w);
    if (!ends) return;
    const IntPoint s = ends->first, e = ends->second;
    const int32_t n = f.tool.toolDetail;
    const auto at = [&](int32_t i) {
        if (i >= n) return e;
        const int32_t t = safeFloor(double(i) / n * 65536);
        return IntPoint{lerpFixed(s.x, e.x, t), lerpFixed(s.y, e.y, t)};
    };
    for (int32_t i = 0; i < n; ++i) {
        const IntPoint p = at(i);
        if (!point(f, p) || !line(f, p, at(i + 1), Kind::Outline)) return;
    }
    point(f, e);
}

// The corner at the start vertex of a wall: V, its neighbours and the bisector construction.
struct Corner {
    IntPoint v, previous, next;
    IntPoint t;  // V turned a quarter from the bisector: the line V-T is across the corner
    double spread = 0;  // the distance from V to A + B - V
    bool straight = false;
};

IntPoint towards(IntPoint v, IntPoint to, double length) {
    const double d = distSingle(float(to.x), float(to.y), float(v.x), float(v.y));
    return {roundUp(v.x + (double(to.x) - v.x) / d * length),
            roundUp(v.y + (double(to.y) - v.y) / d * length)};
}

// Nothing for a wall that is not in the map or a vertex beside a zero-length wall.
std::optional<Corner> cornerAt(const MapStore& map, int32_t w) {
    if (!isWall(map, w) || !isWall(map, map.walls[w].point2)) return std::nullopt;
    const int32_t prev = getPrevWall(map, w);
    if (!isWall(map, prev)) return std::nullopt;
    Corner c;
    c.v = wallStart(map, w);
    c.next = wallStart(map, map.walls[w].point2);
    c.previous = wallStart(map, prev);
    if (c.next == c.v || c.previous == c.v) return std::nullopt;
    const IntPoint a = towards(c.v, c.next, 1024), b = towards(c.v, c.previous, 1024);
    const double vx = c.v.x, vy = c.v.y;
    const double tx = double(a.y) + b.y + vx - 2 * vy, ty = vy + 2 * vx - a.x - b.x;
    const double gx = double(a.x) + b.x - vx, gy = double(a.y) + b.y - vy;
    c.straight = (tx - vx) * (tx - vx) + (ty - vy) * (ty - vy) <= 1;
    c.t = {saturate(int64_t(tx)), saturate(int64_t(ty))};
    c.spread = distSingle(float(gx), float(gy), float(vx), float(vy));
    return c;
}

struct VertexFillet {
    IntPoint centre, tn, tp;
    double b0 = 0, db = 0, rr = 0;
    IntPoint arc(int32_t j) const {
        const double t = b0 + j * db;
        return {saturate(int64_t(centre.x) + roundUp(rr * std::sin(t))),
                saturate(int64_t(centre.y) - roundUp(rr * std::cos(t)))};
    }
};

VertexFillet filletAt(const Corner& c, double d, int32_t n) {
    VertexFillet fl;
    const double e = angleOf(c.v, c.t);
    fl.centre = {roundEven(c.v.x + d * std::cos(e)), roundEven(c.v.y + d * std::sin(e))};
    const double k = d * c.spread / 2048;
    fl.tn = towards(c.v, c.next, k);
    fl.tp = towards(c.v, c.previous, k);
    fl.b0 = angleOf(fl.centre, fl.tn);
    fl.db = double(angleDeltaSingle(float(fl.b0), angleOf(fl.centre, fl.tp))) / n;
    fl.rr = distSingle(float(fl.centre.x), float(fl.centre.y), float(fl.tn.x), float(fl.tn.y));
    return fl;
}

void curveThroughVerticesPreview(ToolPreviewFrame& f) {
    raiseDetail(f, 1);
    if (f.map.selectedVertexCount < 1) return;
    const int32_t w = getFirstSelectedVertex(f.map);
    if (!isWall(f.map, w) || !f.map.vertexSelected[w]) return;
    const auto c = cornerAt(f.map, w);
    if (!c) return;
    if (c->straight) {
        if (line(f, c->v, c->previous, Kind::Outline)) line(f, c->v, c->next, Kind::Outline);
        return;
    }
    const IntPoint h = hitPoint(f);
    const double d = maxDouble(signedDistToLine(c->v.x, c->v.y, c->t.x, c->t.y, h.x, h.y), 0);
    f.tool.curveBendDistance = d;
    const int32_t n = f.tool.toolDetail;
    const VertexFillet fl = filletAt(*c, d, n);
    for (int32_t j = 0; j <= n; ++j) {
        if (!point(f, fl.arc(j))) return;
        if (j >= 1 && !line(f, fl.arc(j), fl.arc(j - 1), Kind::Outline)) return;
    }
    if (!point(f, fl.centre)) return;
    if (!line(f, fl.centre, fl.tn, Kind::Guide) || !line(f, fl.centre, fl.tp, Kind::Guide)) return;
    if (line(f, fl.tp, c->previous, Kind::Outline)) line(f, fl.tn, c->next, Kind::Outline);
}

}  // namespace

void buildWallCurvePreview(ToolPreviewFrame& f) {
    switch (f.tool.currentTool) {
        case Tool::CurveWall:
            curveWallPreview(f);
            break;
        case Tool::DivideWall:
            divideWallPreview(f);
            break;
        case Tool::CurveThroughVertices:
            curveThroughVerticesPreview(f);
            break;
        default:
            break;
    }
}

void buildCurvedWallControl(ToolPreviewFrame& f, int32_t w) {
    if (f.map.selectedVertexCount <= 0) return;
    raiseDetail(f, 1);
    const auto c = cornerAt(f.map, w);
    if (!c || c->straight) return;
    const int32_t n = f.tool.toolDetail;
    const VertexFillet fl = filletAt(*c, f.tool.curveBendDistance, n);
    for (int32_t j = 0; j <= n; ++j)
        if (!point(f, fl.arc(j))) return;
    point(f, fl.centre);
}

void buildCurvedWallControl(Editor& ed, int32_t w) {
    ToolPreviewFrame f{ed.tool,          ed.drawVertices,       ed.hover,   false,
                       false,            ed.map,                0,          ed.langs,
                       ed.overlays,      ed.app.cursorLabel};
    buildCurvedWallControl(f, w);
}

}  // namespace korvel
