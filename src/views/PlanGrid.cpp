#include "views/PlanGrid.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/Settings.h"
#include "editing/ToolState.h"
#include "map/MapStore.h"
#include "ui/ColorSettings.h"
#include "ui/Raster.h"

namespace korvel {

namespace {

constexpr double kMapLimit = 131072;

// The remainder of a by b (b > 0) in [0, b]. fmod is exact for any finite a; a - b * floor(a / b)
// is not once a / b passes 2^53, and far from the map it can land billions of steps before the
// view, or past it.
double gridRemainder(double a, double b) {
    const double r = std::fmod(a, b);
    return r < 0 ? r + b : r;
}

void fillRow(const SurfaceView& s, int32_t row, uint8_t colour) {
    std::memset(&s.at(0, row), colour, kScreenWidth);
}

// Column c of the map view from row y0 to row y1, both cut to the view.
void columnSpan(const SurfaceView& s, int64_t c, int64_t y0, int64_t y1, uint8_t colour) {
    if (c < 0 || c > kScreenRight) return;
    for (int64_t r = std::max<int64_t>(y0, kMapViewBottom),
                 top = std::min<int64_t>(y1, kMapViewTop);
         r <= top; ++r)
        s.at(int32_t(c), int32_t(r)) = colour;
}

// Row r of the map view from column x0 to column x1, both cut to the view.
void rowSpan(const SurfaceView& s, int64_t r, int64_t x0, int64_t x1, uint8_t colour) {
    if (r < kMapViewBottom || r > kMapViewTop) return;
    const int64_t a = std::max<int64_t>(x0, 0), b = std::min<int64_t>(x1, kScreenRight);
    if (a <= b) std::memset(&s.at(int32_t(a), int32_t(r)), colour, size_t(b - a + 1));
}

// One family of affine grid lines: direction d, step between neighbouring lines o, through p0.
void affineFamily(const SurfaceView& s, double dx, double dy, double ox, double oy, double p0x,
                  double p0y, uint8_t colour) {
    if (dx == 0 && dy == 0) return;
    if (std::abs(dy) < std::abs(dx)) {
        const double k = dy / dx;
        double g = std::abs(oy - ox * k);
        if (g < 1.0) g = 1.0;
        const int64_t step = safeFloor(g * 4096);
        if (step <= 0) return;
        for (int32_t c = 0; c <= kScreenRight; ++c) {
            const double y0 =
                kMapViewBottom + gridRemainder(c * k + p0y - p0x * k - kMapViewBottom, g);
            int64_t row;
            for (int64_t f = safeFloor(y0 * 4096); (row = f / 4096) <= kMapViewTop; f += step)
                if (row >= kMapViewBottom) s.at(c, int32_t(row)) = colour;
        }
        return;
    }
    const double k = dx / dy;
    double g = std::abs(ox - oy * k);
    if (g < 1.0) g = 1.0;
    const int64_t step = safeFloor(g * 4096);
    if (step <= 0) return;
    for (int32_t r = kMapViewBottom; r <= kMapViewTop; ++r) {
        const double x0 = gridRemainder(r * k + p0x - p0y * k, g);
        int64_t column;
        for (int64_t f = safeFloor(x0 * 4096); (column = f / 4096) < kScreenWidth; f += step)
            if (column >= 0) s.at(int32_t(column), r) = colour;
    }
}

}  // namespace

void drawCheckerboard(const PlanFrame& pf) {
    drawCheckerboard(pf.cv);
}

void drawCheckerboard(const Canvas& cv) {
    const SurfaceView s = screenView(cv.frame);
    for (int32_t r = kMapViewBottom; r <= kMapViewTop; ++r) {
        uint8_t* row = &s.at(0, r);
        for (int32_t c = 0; c < kScreenWidth; ++c)
            if (((c >> 3) ^ (r >> 3)) & 1) row[c] = 73;
    }
}

void drawSquareGrid(const PlanFrame& pf) {
    const Settings& set = pf.settings;
    double step = double(set.gridSpacing) / pf.view.zoom;
    if (step < 1.0) step = 1.0;  // also takes a negative step; NaN stays and is refused below
    const uint8_t colour = set.gridSpacing == 1 ? pf.colours.colorGridUnit : pf.colours.colorGrid;
    const SurfaceView s = screenView(pf.cv.frame);
    // The loops run on the real positions, so a step or start far beyond the screen (or not a
    // number at all) simply ends them.
    if (!std::isfinite(step)) return;
    if (step > 1.0) {
        const double start = gridRemainder(pf.view.cornerX / pf.view.zoom, step);
        if (std::isfinite(start))
            for (double x = start; x < kScreenWidth; x += step) {
                const int32_t c = safeFloor(x);
                for (int32_t r = kMapViewBottom; r <= kMapViewTop; ++r) s.at(c, r) = colour;
            }
    }
    const double start =
        kMapViewBottom + gridRemainder(pf.view.cornerY / pf.view.zoom - kMapViewBottom, step);
    if (std::isfinite(start))
        for (double y = start; y < kMapViewTop + 1; y += step) fillRow(s, safeFloor(y), colour);
}

void drawAffineGrid(const PlanFrame& pf) {
    const Settings& set = pf.settings;
    const double stepZ = pf.tool.affineGridStep / pf.view.zoom;
    const double p0x = pf.view.columnExact(set.affineGridX1);
    const double p0y = pf.view.rowExact(set.affineGridY1);
    // Negated as doubles: the matrix may hold the most negative 32-bit value.
    const double ax = set.affineGridXx * stepZ, ay = -double(set.affineGridYx) * stepZ;
    const double bx = set.affineGridXy * stepZ, by = -double(set.affineGridYy) * stepZ;
    const SurfaceView s = screenView(pf.cv.frame);
    const uint8_t colour = pf.colours.colorGrid;
    affineFamily(s, ax, ay, bx, by, p0x, p0y, colour);
    affineFamily(s, bx, by, ax, ay, p0x, p0y, colour);
}

void drawOriginCross(const PlanFrame& pf) {
    const int64_t cx = pf.view.column(0), cy = pf.view.row(0);
    const int64_t r = safeFloor(256 / pf.view.zoom);
    const SurfaceView s = screenView(pf.cv.frame);
    const uint8_t colour = pf.colours.colorServiceLines;
    rowSpan(s, cy, cx - r, cx + r, colour);
    columnSpan(s, cx, cy - r, cy + r, colour);
}

void drawMapBoundary(const PlanFrame& pf) {
    const int64_t left = pf.view.column(-kMapLimit), right = pf.view.column(kMapLimit);
    // Map y grows downwards on the screen: y = 131072 gives the lower row.
    const int64_t low = pf.view.row(kMapLimit), high = pf.view.row(-kMapLimit);
    const SurfaceView s = screenView(pf.cv.frame);
    const uint8_t colour = pf.colours.colorServiceLines;
    for (const int64_t c : {left, right}) columnSpan(s, c, low, high, colour);
    for (const int64_t r : {low, high}) rowSpan(s, r, left, right, colour);
}

void drawStartMarker(const PlanFrame& pf) {
    const MapStore& map = pf.map;
    // Single precision throughout, unlike every other position of the plan view.
    const float zoom = float(pf.view.zoom);
    const int64_t sx = safeFloor((float(map.startX) + float(pf.view.cornerX)) / zoom);
    const int64_t sy = safeFloor((float(pf.view.cornerY) - float(map.startY)) / zoom);
    const int64_t r = safeFloor(192 / pf.view.zoom);
    const uint8_t colour = pf.colours.colorStartPosition;
    if (sx < kScreenWidth + r && sx >= -r && sy >= kMapViewBottom - r && sy <= kMapViewTop + r) {
        constexpr double kUnitsPerRadian = 325.949323452202;
        auto offset = [&](double f) { return int64_t(safeFloor(double(r) * f + 0.5)); };
        auto point = [&](int16_t angle, int64_t& x, int64_t& y) {
            const double a = angle / kUnitsPerRadian;
            x = sx + offset(std::cos(a));
            y = sy - offset(std::sin(a));
        };
        const double a = map.startAngle / kUnitsPerRadian;
        int64_t tx, ty, px, py, qx, qy;
        point(map.startAngle, tx, ty);
        point(int16_t(map.startAngle + 512), px, py);
        point(int16_t(map.startAngle - 512), qx, qy);
        const int64_t tailX = sx - offset(std::cos(a)), tailY = sy + offset(std::sin(a));
        auto line = [&](int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
            drawLineMapView(pf.cv, clampToInt32(x1), clampToInt32(y1), clampToInt32(x2),
                            clampToInt32(y2), colour);
        };
        line(tx, ty, tailX, tailY);
        line(tx, ty, px, py);
        line(tx, ty, qx, qy);
    }
    if (pf.view.zoom <= 8.0) drawSquareMarker(pf.cv, clampToInt32(sx), clampToInt32(sy), colour);
}

}  // namespace korvel
