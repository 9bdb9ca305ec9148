#include "views/ToolPreview.h"

#include <charconv>
#include <cmath>

#include "app/Editor.h"
#include "base/Mainm.h"
#include "geometry/Lighting.h"
#include "views/DragPreview.h"
#include "views/PreviewHelpers.h"
#include "views/GeneratorPreview.h"
#include "views/RoundedStarPreview.h"
#include "views/TransformHandlePreview.h"
#include "views/WallCurvePreview.h"

namespace korvel {

namespace {

using namespace preview;

constexpr double kArcRadiusLimit = 1000000000.0;
constexpr int32_t kArrowLength = 192;


// The tangent arc from the last segment through the hit point.
void polygonArc(ToolPreviewFrame& f, IntPoint a, IntPoint b, IntPoint h) {
    const double g = double(angleOf(a, b)) + kHalfPi;
    const double m = distSingle(float(b.x), float(b.y), float(h.x), float(h.y));
    const double c = std::cos(double(angleOf(b, h)) - g);
    int32_t r = 0;
    double a0 = 0, a1 = 0;
    bool arc = false;
    IntPoint centre;
    if (std::abs(c) > 1e-7) {
        const double radius = (m / 2) * (1 / c);
        r = safeFloor(radius);
        // The radius is signed; a far centre draws no arc in either direction.
        if (std::abs(radius) < kArcRadiusLimit) {
            arc = true;
            centre = {roundEven(b.x + r * std::sin(g)), roundEven(b.y - r * std::cos(g))};
            if (r >= 0) {
                a0 = g - kPi;
                a1 = angleOf(centre, h);
                if (a1 < a0) a1 += kTwoPi;
                if (a1 - a0 > kTwoPi) a1 -= kTwoPi;
            } else {
                a0 = g + kPi;
                a1 = double(angleOf(centre, h)) + kPi;
                if (a1 > a0) a1 -= kTwoPi;
                if (a1 - a0 < -kTwoPi) a1 += kTwoPi;
            }
        }
    }
    if (arc) {
        if (f.tool.toolDetailLocked) f.tool.toolSecDetail = safeFloor(std::abs(a1 - a0) * 12);
        const int32_t s = f.tool.toolSecDetail;
        const int32_t first = f.lists.overlayPointCount;
        int32_t drawn = 0;
        const auto at = [&](int32_t k) {
            const float t = lerpSingle(float(a0), float(a1), float(k) / float(s));
            return IntPoint{saturate(int64_t(centre.x) + safeFloor(r * std::sin(double(t)))),
                            saturate(int64_t(safeFloor(r * std::cos(double(t)))) - centre.y)};
        };
        for (int32_t i = 0; i < s; ++i) {
            const IntPoint p = at(i), q = at(i + 1);  // q.y is a stored (negated) y
            if (!appendOverlayLine(f.lists, p.x, p.y, q.x, q.y, Kind::Guide)) break;
            if (!appendOverlayPoint(f.lists, q.x, negatedY(q.y))) break;
            ++drawn;
        }
        point(f, centre);
        if (s >= 1 && drawn == s && f.lists.toolPreviewDegenerate == 0) {
            f.lists.arcPointFirst = first;
            f.lists.arcPointCount = s;
        }
    }
    const float degrees = arc ? radToDegSingle(float(std::abs(a1 - a0))) : 0.0f;
    readOut(f, 253, num(std::abs(int64_t(r))), shortest(degrees));
}

void drawPolygonPreview(ToolPreviewFrame& f) {
    const int32_t n = placedCount(f);
    if (n < 1) return;
    for (int32_t j = 0; j < n; ++j) {
        if (j < n - 1 && !line(f, placed(f, j), placed(f, j + 1), Kind::Outline)) return;
        if (!point(f, placed(f, j))) return;
    }
    const IntPoint last = placed(f, n - 1), h = hitPoint(f);
    if (f.tool.toolAltMode == 1) {
        if (n >= 2) polygonArc(f, placed(f, n - 2), last, h);
        return;
    }
    IntPoint end = h;
    if (f.shiftHeld && !f.ctrlHeld)
        end = absDiff(h.x, last.x) > absDiff(h.y, last.y) ? IntPoint{h.x, last.y}
                                                          : IntPoint{last.x, h.y};
    line(f, last, end, Kind::RubberBand);
    readOut(f, 254, num(distanceDown(last, end)));
}

void startPositionPreview(ToolPreviewFrame& f) {
    if (f.points.toolPointCount != 1) return;
    const IntPoint p0 = placed(f, 0), h = hitPoint(f);
    line(f, p0, h, Kind::Guide);
    point(f, p0);
    const double a = angleOf(h, p0);
    readOut(f, 255, num(roundEven(a / kPi * 1024 + 512) % 2048));
    // Ends of the arrow: p0 plus or minus 192 in direction d, y stored negated then rounded.
    const auto end = [&](double d, double sign) {
        return IntPoint{roundEven(p0.x + sign * kArrowLength * std::sin(d)),
                        roundEven(-(p0.y - sign * kArrowLength * std::cos(d)))};
    };
    const IntPoint tail = end(a, 1), tip = end(a, -1);
    const IntPoint barb1 = end(a + kHalfPi, -1), barb2 = end(a - kHalfPi, -1);
    appendOverlayLine(f.lists, tail.x, tail.y, tip.x, tip.y, Kind::Outline);
    appendOverlayLine(f.lists, tip.x, tip.y, barb1.x, barb1.y, Kind::Outline);
    appendOverlayLine(f.lists, tip.x, tip.y, barb2.x, barb2.y, Kind::Outline);
}

void pickedSectorPreview(ToolPreviewFrame& f) {
    const MapStore& map = f.map;
    const int32_t s = f.tool.toolTargetSector;
    if (!isSector(map, s)) return;
    const int32_t first = map.sectors[s].wallptr;
    const int32_t end = first + map.sectors[s].wallnum;
    for (int32_t w = first < 0 ? 0 : first; w < end && w < map.wallCount; ++w) {
        const int32_t p2 = map.walls[w].point2;
        if (!isWall(map, p2)) continue;
        const IntPoint a{map.walls[w].x, map.walls[w].y}, b{map.walls[p2].x, map.walls[p2].y};
        if (!line(f, a, b, Kind::Outline)) return;
    }
}

void pickLinePreview(ToolPreviewFrame& f) {
    const IntPoint h = hitPoint(f), p0 = placed(f, 0);
    point(f, h);
    point(f, p0);
    line(f, h, p0, Kind::RubberBand);
}

void twoPointPreview(ToolPreviewFrame& f) {
    if (f.points.toolPointCount < 1) return;
    const IntPoint p0 = placed(f, 0), h = hitPoint(f);
    line(f, p0, h, Kind::Outline);
    readOut(f, 267, num(distanceDown(p0, h)));
    point(f, p0);
    point(f, h);
}

void shadeFromLightPreview(ToolPreviewFrame& f) {
    const int32_t s = f.hover.hoveredSector;
    if (s < 0) return;
    f.tool.lightPlaneSector = -1;
    f.tool.lightPlaneSide = 255;
    const int32_t v =
        lightAtSurfacePoint(f.map, f.hover.mouseMapX, f.hover.mouseMapY, s, f.ceilingView);
    const int32_t w = getSectorLightValue(f.map, s, f.ceilingView);
    const int32_t z = lightValueToShade(f.tool.shadeLightHeight, w);
    readOut(f, 1205, num(-int64_t(v)), num(z));
}

// Regular polygon: the centre, then n corners from the hit point on, clockwise on the screen.
void regularPolygonPreview(ToolPreviewFrame& f) {
    if (f.points.toolPointCount != 1) return;
    raiseDetail(f, 3);
    const int32_t n = f.tool.toolDetail;
    const IntPoint p0 = placed(f, 0), h = hitPoint(f);
    line(f, p0, h, Kind::Guide);
    point(f, p0);
    const double r = distSingle(float(p0.x), float(p0.y), float(h.x), float(h.y));
    readOut(f, 256, num(safeFloor(r)));
    if (r < 1) markDegenerate(f);
    const double a0 = angleOf(p0, h), step = kTwoPi / n;
    for (int32_t j = 0; j < n; ++j) {
        const double t = a0 + j * step, before = a0 + (j - 1) * step;
        const IntPoint c = corner(p0, r, t), b = corner(p0, r, before);
        if (!point(f, c)) return;
        if (!appendOverlayLine(f.lists, c.x, cornerStoredY(p0, r, t), b.x,
                               cornerStoredY(p0, r, before), Kind::Outline))
            return;
    }
}

// Ellipse: P0 and the hit point are opposite corners of its box.
void ellipsePreview(ToolPreviewFrame& f) {
    if (f.points.toolPointCount != 1) return;
    raiseDetail(f, 3);
    const int32_t n = f.tool.toolDetail;
    const IntPoint p0 = placed(f, 0), h = hitPoint(f);
    line(f, p0, h, Kind::Guide);
    const int64_t w = absDiff(p0.x, h.x), ht = absDiff(p0.y, h.y);
    readOut(f, 257, num(w), num(ht));
    if (w < 1 || ht < 1) markDegenerate(f);
    point(f, p0);
    const IntPoint c{int32_t((int64_t(p0.x) + h.x) / 2), int32_t((int64_t(p0.y) + h.y) / 2)};
    const double ax = (double(p0.x) - h.x) / 2, ay = (double(p0.y) - h.y) / 2;
    const auto at = [&](int32_t j) {
        const double t = j * kTwoPi / n;
        return IntPoint{roundUp(c.x + ax * std::sin(t)), roundUp(c.y - ay * std::cos(t))};
    };
    const auto storedY = [&](int32_t j) { return roundUp(ay * std::cos(j * kTwoPi / n) - c.y); };
    for (int32_t j = 0; j < n; ++j) {
        const IntPoint p = at(j), q = at(j - 1);
        if (!point(f, p)) return;
        if (!appendOverlayLine(f.lists, p.x, storedY(j), q.x, storedY(j - 1), Kind::Outline))
            return;
    }
}

}  // namespace

// Circle, or with two points placed a star of two radii: 2n corners.
void buildCircleOrStarPreview(ToolPreviewFrame& f, int32_t oneRadiusMessage,
                              int32_t twoRadiiMessage) {
    raiseDetail(f, 2);
    const int32_t count = f.points.toolPointCount;
    if (count != 1 && count != 2) return;
    const int32_t n = f.tool.toolDetail;
    const IntPoint p0 = placed(f, 0), h = hitPoint(f);
    line(f, p0, h, Kind::Guide);
    point(f, p0);
    const double r = distSingle(float(p0.x), float(p0.y), float(h.x), float(h.y));
    readOut(f, count == 1 ? oneRadiusMessage : twoRadiiMessage, num(safeFloor(r)));
    if (r < 1) markDegenerate(f);
    double r2 = r;
    if (count == 2) {
        const IntPoint p1 = placed(f, 1);
        r2 = distSingle(float(p0.x), float(p0.y), float(p1.x), float(p1.y));
    }
    const double a0 = angleOf(p0, h), step = kPi / n;
    const auto radius = [&](int64_t j) { return j % 2 == 0 ? r : r2; };
    // A script may set any detail: the corner count is formed in 64 bits, and the lists' room
    // ends the loop long before it.
    for (int64_t j = 0; j < 2 * int64_t(n); ++j) {
        const double t = a0 + j * step, before = a0 + (j - 1) * step;
        const IntPoint c = corner(p0, radius(j), t), b = corner(p0, radius(j + 1), before);
        if (!point(f, c)) return;
        if (!appendOverlayLine(f.lists, c.x, cornerStoredY(p0, radius(j), t), b.x,
                               cornerStoredY(p0, radius(j + 1), before), Kind::Outline))
            return;
    }
}

namespace {

// Rectangle: four corners from the smallest coordinates on, clockwise on the screen.
void rectanglePreview(ToolPreviewFrame& f) {
    if (f.points.toolPointCount != 1) return;
    const IntPoint p0 = placed(f, 0), h = hitPoint(f);
    const int32_t x0 = minLong(p0.x, h.x), x1 = maxLong(p0.x, h.x);
    const int32_t y0 = minLong(p0.y, h.y), y1 = maxLong(p0.y, h.y);
    line(f, p0, h, Kind::Guide);
    const int64_t w = absDiff(p0.x, h.x), ht = absDiff(p0.y, h.y);
    readOut(f, 260, num(w), num(ht));
    if (w < 1 || ht < 1) markDegenerate(f);
    point(f, {x0, y0});
    point(f, {x1, y0});
    point(f, {x1, y1});
    point(f, {x0, y1});
    line(f, {p0.x, p0.y}, {p0.x, h.y}, Kind::Outline);
    line(f, {h.x, p0.y}, {h.x, h.y}, Kind::Outline);
    line(f, {p0.x, p0.y}, {h.x, p0.y}, Kind::Outline);
    line(f, {p0.x, h.y}, {h.x, h.y}, Kind::Outline);
}

void strokeToolPreview(ToolPreviewFrame& f) {
    if (f.points.toolPointCount < 1) return;
    const IntPoint p0 = placed(f, 0), h = hitPoint(f);
    buildStrokePreview(f, p0.x, p0.y, h.x, h.y);
}

}  // namespace

void buildStrokePreview(ToolPreviewFrame& f, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    f.lists.overlayLineCount = 0;
    f.lists.overlayPointCount = 0;
    raiseDetail(f, 1);
    const int32_t n = f.tool.toolDetail;
    const double w = f.tool.lineWidth / 2.0;
    const IntPoint e1{x1, y1}, e2{x2, y2};
    line(f, e1, e2, Kind::Guide);
    readOut(f, 266, num(distanceDown(e1, e2)));
    point(f, e1);
    point(f, e2);
    const double a = angleOf(e1, e2), step = kPi / n;
    // The cap round each end, from one straight side to the other; sign -1 is the side at
    // e2 - w x normal, where the cap round e2 starts.
    const auto cap = [&](IntPoint around, double sign) {
        IntPoint previous;
        for (int32_t i = 0; i <= n; ++i) {
            const double t = a + i * step;
            const double ox = sign * w * std::cos(t), oy = sign * w * std::sin(t);
            const IntPoint q{roundUp(around.x + ox), roundUp(around.y + oy)};
            if (!point(f, q)) return;
            const bool drawn =
                i == 0 ? appendOverlayLine(f.lists, roundUp(e2.x + ox),
                                           negatedY(roundUp(e2.y + oy)), roundUp(e1.x + ox),
                                           negatedY(roundUp(e1.y + oy)), Kind::Outline)
                       : line(f, previous, q, Kind::Outline);
            if (!drawn) return;
            previous = q;
        }
    };
    cap(e2, -1);
    cap(e1, 1);
}

void buildToolPreview(ToolPreviewFrame& f) {
    resetOverlayLists(f.lists);
    switch (f.tool.currentTool) {
        case Tool::DrawPolygon:
            drawPolygonPreview(f);
            break;
        case Tool::PlaceStartPosition:
            startPositionPreview(f);
            break;
        case Tool::JoinSectors:
        case Tool::SubtractSectors:
        case Tool::IntersectSectors:
            pickedSectorPreview(f);
            break;
        case Tool::RegularPolygon:
            regularPolygonPreview(f);
            break;
        case Tool::EllipsePolygon:
            ellipsePreview(f);
            break;
        case Tool::Circle:
            buildCircleOrStarPreview(f, 258, 259);
            break;
        case Tool::Rectangle:
            rectanglePreview(f);
            break;
        case Tool::Stroke:
            strokeToolPreview(f);
            break;
        case Tool::CurveShape:
            buildRoundedStarPreview(f);
            break;
        case Tool::PickArrayCentre:
        case Tool::PickLightPoint:
            pickLinePreview(f);
            break;
        case Tool::CurveWall:
        case Tool::DivideWall:
        case Tool::CurveThroughVertices:
            buildWallCurvePreview(f);
            break;
        case Tool::AimSprites:
            point(f, hitPoint(f));
            break;
        case Tool::TransformBySegments:
        case Tool::QuadWarp1:
        case Tool::QuadWarp2:
        case Tool::AffineGrid:
            buildTransformHandlePreview(f);
            break;
        case Tool::TriangleLoops:
        case Tool::LinearCut:
        case Tool::MirrorAcrossLine:
            twoPointPreview(f);
            break;
        case Tool::Reel:
        case Tool::Arch:
        case Tool::Sphere:
        case Tool::ProfileSweep:
        case Tool::ProfileRevolve:
        case Tool::TerrainFromTile:
            buildGeneratorPreview(f);
            break;
        case Tool::ShadeFromLight:
            shadeFromLightPreview(f);
            break;
        default:
            break;
    }
}

void buildToolPreview(Editor& ed) {
    ToolPreviewFrame f{ed.tool,
                       ed.drawVertices,
                       ed.hover,
                       ed.dispatch.shiftHeld != 0,
                       ed.dispatch.ctrlHeld != 0,
                       ed.map,
                       ed.settings.ceilingView,
                       ed.langs,
                       ed.overlays,
                       ed.app.cursorLabel};
    ToolPreviewParams& g = f.params;
    g.reelC = ed.pages.reelSetup.reelC;
    g.reelD = ed.pages.reelSetup.reelD;
    g.arch1C = ed.pages.archSetup.arch1C;
    g.arch2C = ed.pages.archSetup.arch2C;
    g.sphere1C = ed.pages.sphereSetup.sphere1C;
    g.sphere2C = ed.pages.sphereSetup.sphere2C;
    g.terrainParamA = ed.pages.terrainSetup.terrainParamA;
    g.terrainParamB = ed.pages.terrainSetup.terrainParamB;
    const ProfileEditorState& profile = ed.pages.profileEditor;
    g.contour = profile.contour.data();
    g.contourCount = profile.contourCount < 0 ? 0
                     : profile.contourCount > int32_t(profile.contour.size())
                         ? int32_t(profile.contour.size())
                         : profile.contourCount;
    g.affineGridX1 = ed.settings.affineGridX1;
    g.affineGridY1 = ed.settings.affineGridY1;
    g.affineGridXx = ed.settings.affineGridXx;
    g.affineGridYx = ed.settings.affineGridYx;
    g.affineGridXy = ed.settings.affineGridXy;
    g.affineGridYy = ed.settings.affineGridYy;
    buildToolPreview(f);
    buildDragPreview(ed);
}

}  // namespace korvel
