#include "views/TransformHandlePreview.h"

#include <cmath>

#include "views/PreviewHelpers.h"
#include "views/ToolPreview.h"

namespace korvel {

namespace {

using namespace preview;

IntPoint plus(IntPoint a, IntPoint b) {
    return {wrap32(int64_t(a.x) + b.x), wrap32(int64_t(a.y) + b.y)};
}
IntPoint minus(IntPoint a, IntPoint b) {
    return {wrap32(int64_t(a.x) - b.x), wrap32(int64_t(a.y) - b.y)};
}

void lines(ToolPreviewFrame& f, std::initializer_list<std::pair<IntPoint, IntPoint>> list,
           Kind kind) {
    for (const auto& [a, b] : list)
        if (!line(f, a, b, kind)) return;
}

void points(ToolPreviewFrame& f, std::initializer_list<IntPoint> list) {
    for (IntPoint p : list)
        if (!point(f, p)) return;
}

// Source segment P0-P1 in its box, target segment P2-P3 with the box's image.
void segmentHandles(ToolPreviewFrame& f) {
    const IntPoint p0 = placed(f, 0), p1 = placed(f, 1), p2 = placed(f, 2), p3 = placed(f, 3);
    if (f.ctrlHeld)
        points(f, {p0, p1});
    else
        points(f, {p2, p3});
    lines(f,
          {{p0, {p1.x, p0.y}}, {{p0.x, p1.y}, p1}, {p0, {p0.x, p1.y}}, {{p1.x, p0.y}, p1}, {p0, p1}},
          Kind::Guide);
    line(f, p2, p3, Kind::Outline);
    if (p0 == p1) return;
    const double ax = double(p1.x) - p0.x, ay = double(p1.y) - p0.y;
    const double bx = double(p3.x) - p2.x, by = double(p3.y) - p2.y;
    const double k = std::sqrt((bx * bx + by * by) / (ax * ax + ay * ay));
    const double t = angleOfDouble(ax, ay, 0, 0) - angleOfDouble(bx, by, 0, 0);
    const IntPoint x{roundUp(ax * k * std::cos(-t) + p2.x), roundUp(ax * k * std::sin(-t) + p2.y)};
    const IntPoint y{roundUp(ay * k * std::sin(t) + p2.x), roundUp(ay * k * std::cos(t) + p2.y)};
    lines(f, {{p2, x}, {p3, x}, {p2, y}, {p3, y}}, Kind::Outline);
}

// Source parallelogram P0, P1, P2 and target P3, P4, P5, each completed by its fourth corner.
void parallelogramHandles(ToolPreviewFrame& f) {
    const IntPoint p0 = placed(f, 0), p1 = placed(f, 1), p2 = placed(f, 2);
    const IntPoint p3 = placed(f, 3), p4 = placed(f, 4), p5 = placed(f, 5);
    if (f.ctrlHeld)
        points(f, {p0, p1, p2});
    else
        points(f, {p3, p4, p5});
    const IntPoint q = minus(plus(p1, p2), p0), q2 = minus(plus(p4, p5), p3);
    lines(f, {{p0, p1}, {p0, p2}, {p0, q}, {p1, q}, {p2, q}}, Kind::Guide);
    lines(f, {{p3, p4}, {p3, p5}, {p3, q2}, {p4, q2}, {p5, q2}}, Kind::Outline);
}

// Source quadrilateral P0 to P3 and target P4 to P7, each with its diagonal from the first.
void quadrilateralHandles(ToolPreviewFrame& f) {
    IntPoint p[8];
    for (int32_t k = 0; k < 8; ++k) p[k] = placed(f, k);
    if (f.ctrlHeld)
        points(f, {p[0], p[1], p[2], p[3]});
    else
        points(f, {p[4], p[5], p[6], p[7]});
    lines(f, {{p[0], p[1]}, {p[0], p[3]}, {p[0], p[2]}, {p[1], p[2]}, {p[3], p[2]}}, Kind::Guide);
    lines(f, {{p[4], p[5]}, {p[4], p[7]}, {p[4], p[6]}, {p[5], p[6]}, {p[7], p[6]}},
          Kind::Outline);
}

// One cell of the affine snapping grid.
void gridCellHandles(ToolPreviewFrame& f) {
    const ToolPreviewParams& g = f.params;
    const IntPoint o{g.affineGridX1, g.affineGridY1};
    const IntPoint ou = plus(o, {g.affineGridXx, g.affineGridYx});
    const IntPoint ov = plus(o, {g.affineGridXy, g.affineGridYy});
    const IntPoint ouv = plus(ou, {g.affineGridXy, g.affineGridYy});
    points(f, {o, ou, ov});
    lines(f, {{o, ou}, {o, ov}, {ouv, ou}, {ouv, ov}}, Kind::Outline);
}

}  // namespace

void buildTransformHandlePreview(ToolPreviewFrame& f) {
    switch (f.tool.currentTool) {
        case Tool::TransformBySegments:
            segmentHandles(f);
            break;
        case Tool::QuadWarp1:
            parallelogramHandles(f);
            break;
        case Tool::QuadWarp2:
            quadrilateralHandles(f);
            break;
        case Tool::AffineGrid:
            gridCellHandles(f);
            break;
        default:
            break;
    }
}

}  // namespace korvel
