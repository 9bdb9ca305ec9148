#include "views/PlanFrame.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "ui/Text.h"
#include "views/PlanViewState.h"

namespace korvel {

int32_t clampToInt32(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max()));
}

namespace {

// Integer bounds for integer coordinates: x < v exactly when x < ceil(v), x > v when x > floor(v).
int64_t boundAbove(double v) {
    return int64_t(std::clamp(std::ceil(v), -8.0e9, 8.0e9));
}
int64_t boundBelow(double v) {
    return int64_t(std::clamp(std::floor(v), -8.0e9, 8.0e9));
}

}  // namespace

bool MapWindow::nearLimits(NearLimits& out) const {
    constexpr int64_t kLow = std::numeric_limits<int32_t>::min();
    constexpr int64_t kHigh = std::numeric_limits<int32_t>::max();
    if (!valid || !farUnreachable || left > kHigh || above > kHigh || right < kLow || below < kLow)
        return false;
    out.left = int32_t(std::max(left, kLow));
    out.above = int32_t(std::max(above, kLow));
    out.right = int32_t(std::min(right, kHigh));
    out.below = int32_t(std::min(below, kHigh));
    return true;
}

MapWindow mapWindowOf(const PlanProjection& view, double marginPixels) {
    MapWindow w;
    const double z = view.zoom, cx = view.cornerX, cy = view.cornerY;
    if (!(z > 0) || !std::isfinite(z) || !std::isfinite(cx) || !std::isfinite(cy) ||
        !std::isfinite(marginPixels) || !(marginPixels >= 0))
        return w;
    // The bounds and the projection each round by far less than a pixel's worth of map units
    // unless the zoom is tiny next to the numbers involved; then every point is projected.
    if (!(z > 1.0e-13 * (std::abs(cx) + std::abs(cy) + 8.6e9))) return w;
    // Pixels this far out are still inside the range the projection floors exactly.
    constexpr double kFar = 2.0e9;
    const double m = std::min(marginPixels, 1.0e9);
    // column = (x + cx) / z; row = (cy - y) / z, rows counting up as y falls.
    w.left = boundAbove(-m * z - cx);
    w.farLeft = boundBelow(-kFar * z - cx);
    w.right = boundBelow((kScreenRight + m) * z - cx);
    w.farRight = boundAbove(kFar * z - cx);
    w.below = boundBelow(cy - (kMapViewBottom - m) * z);
    w.farBelow = boundAbove(cy + kFar * z);
    w.above = boundAbove(cy - (kMapViewTop + m) * z);
    w.farAbove = boundBelow(cy - kFar * z);
    w.valid = true;
    constexpr int64_t kLow = std::numeric_limits<int32_t>::min();
    constexpr int64_t kHigh = std::numeric_limits<int32_t>::max();
    w.farUnreachable =
        w.farLeft < kLow && w.farRight > kHigh && w.farBelow > kHigh && w.farAbove < kLow;
    return w;
}

namespace {

// safeFloor(a / zoom), by a multiplication with 1 / zoom wherever its few ulps of difference
// from the quotient cannot change the floor; else by the division itself.
inline int32_t floorQuotient(double a, double zoom, double inverse) {
    const double q = a * inverse;
    if (q > -2.0e9 && q < 2.0e9) {
        const double eps = (q < 0 ? -q : q) * 1.0e-15;
        int64_t i = int64_t(q);
        if (double(i) > q) --i;
        if (double(i) <= q - eps && q + eps < double(i + 1)) return int32_t(i);
    }
    return safeFloor(a / zoom);
}

inline void projectWall(const PlanFrame& pf, int32_t i) {
    PlanViewState& st = pf.lists;
    if (st.wallSides[i] & WallSide::Projected) return;
    const WallRecord& w = pf.map.walls[i];
    st.wallScreenX[i] = pf.view.column(w.x);
    st.wallScreenY[i] = pf.view.row(w.y);
    st.wallSides[i] |= WallSide::Projected;
}

}  // namespace

void projectWallPoints(PlanFrame& pf) {
    const MapStore& map = pf.map;
    PlanViewState& st = pf.lists;
    if (++st.projectionCount == 0) {
        std::fill(st.sectorTested.begin(), st.sectorTested.end(), 0u);
        st.projectionCount = 1;
    }
    const int32_t n = std::clamp(map.wallCount, 0, kMaxWalls);
    const WallRecord* walls = map.walls.data();
    uint8_t* sides = st.wallSides.data();
    uint16_t* ends = st.wallEnds.data();
    int32_t* near = st.nearWalls.data();

    // A mark reaches kMarkerReach pixels; one more keeps rounding on the safe side. Every frame
    // walks all the walls, so the walk is kept to the fewest steps: first each point's sides,
    // then each line, which misses the view when its ends lie beyond the same edge.
    const MapWindow window = mapWindowOf(pf.view, kMarkerReach + 2);
    NearLimits limits;
    if (window.nearLimits(limits)) {
        placeWallPoints(walls, n, limits, sides, ends);
    } else {
        for (int32_t i = 0; i < n; ++i) {
            sides[i] = window.sidesOf(walls[i].x, walls[i].y);
            ends[i] = uint16_t(std::clamp<int32_t>(walls[i].point2, 0, n - 1));
        }
    }
    const int32_t nearCount = listNearWalls(sides, ends, n, near);
    st.nearWallCount = nearCount;
    st.allWallsProjected = nearCount >= n / 4;
    if (!st.allWallsProjected) {
        for (int32_t k = 0; k < nearCount; ++k) {
            projectWall(pf, near[k]);
            projectWall(pf, ends[near[k]]);
        }
        return;
    }
    // Much of the map shows: every wall in one go costs less than picking.
    const PlanProjection view = pf.view;
    const double zoom = view.zoom, inverse = 1.0 / zoom;
    const double cornerX = view.cornerX, cornerY = view.cornerY;
    int32_t* xs = st.wallScreenX.data();
    int32_t* ys = st.wallScreenY.data();
    // As view.column and view.row give them. The reciprocal of a power of two is exact, and
    // the product then rounds the very quotient the division does.
    int exponent = 0;
    if (std::isfinite(zoom) && std::frexp(zoom, &exponent) == 0.5 && std::isnormal(inverse))
        for (int32_t i = 0; i < n; ++i) {
            xs[i] = safeFloor((double(walls[i].x) + cornerX) * inverse);
            ys[i] = safeFloor((cornerY - double(walls[i].y)) * inverse);
        }
    else
        for (int32_t i = 0; i < n; ++i) {
            xs[i] = floorQuotient(double(walls[i].x) + cornerX, zoom, inverse);
            ys[i] = floorQuotient(cornerY - double(walls[i].y), zoom, inverse);
        }
    for (int32_t i = 0; i < n; ++i) sides[i] |= WallSide::Projected;
}

bool projectSectorWalls(PlanFrame& pf, int32_t sector) {
    const MapStore& map = pf.map;
    PlanViewState& st = pf.lists;
    if (sector < 0 || sector >= std::min(map.sectorCount, kMaxSectors)) return false;
    if (st.sectorTested[sector] == st.projectionCount) return st.sectorNearView[sector] != 0;
    st.sectorTested[sector] = st.projectionCount;
    const int32_t n = std::clamp(map.wallCount, 0, kMaxWalls);
    const SectorRecord& sec = map.sectors[sector];
    const bool near = sectorMayShow(st.wallSides.data(), n, sec.wallptr, sec.wallnum);
    st.sectorNearView[sector] = near;
    if (!near) return false;

    const int32_t first = std::max<int32_t>(sec.wallptr, 0);
    const int32_t end = std::min<int32_t>(int32_t(sec.wallptr) + sec.wallnum, n);
    if (!st.allWallsProjected) {
        for (int32_t w = first; w < end; ++w) {
            projectWall(pf, w);
            projectWall(pf, st.wallEnds[w]);
        }
        projectWall(pf, std::clamp<int32_t>(sec.wallptr, 0, n - 1));
    }
    const int32_t* xs = st.wallScreenX.data();
    const int32_t* ys = st.wallScreenY.data();
    SectorStartBox box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int32_t w = first; w < end; ++w) {
        box.minX = std::min(box.minX, xs[w]);
        box.maxX = std::max(box.maxX, xs[w]);
        box.minY = std::min(box.minY, ys[w]);
        box.maxY = std::max(box.maxY, ys[w]);
    }
    st.sectorBoxes[sector] = box;
    return true;
}

void drawLabelBox(const Canvas& cv, const Fonts& fonts, std::string_view text, int64_t ax,
                  int64_t ay, int32_t boxColour) {
    if (text.empty()) return;
    const int64_t length = int64_t(text.size());
    const int64_t half = safeFloor(2.5 * double(length));
    int64_t left = ax - half;
    if (left > kScreenRight) return;
    int64_t width = 5 * length + 1;
    if (left + width > kScreenRight) width = kScreenWidth - left;
    if (left < 0) {
        width += left;
        left = 0;
    }
    if (width > 0) {
        const SurfaceView s = screenView(cv.frame);
        const int64_t bottom = std::max<int64_t>(ay - 4, kMapViewBottom);
        const int64_t top = std::min<int64_t>(ay + 3, kMapViewTop);
        for (int64_t r = bottom; r <= top; ++r)
            std::fill_n(&s.at(int32_t(left), int32_t(r)), size_t(width), uint8_t(boxColour));
    }
    drawSmallTextMapClipped(cv, fonts, std::string(text), clampToInt32(ax - half + 1),
                            clampToInt32(ay - 3), 0);
}

void drawLabelBox(const PlanFrame& pf, std::string_view text, int64_t ax, int64_t ay,
                  int32_t boxColour) {
    drawLabelBox(pf.cv, pf.fonts, text, ax, ay, boxColour);
}

void drawWallLabel(const PlanFrame& pf, const PlanWallLine& line, int32_t boxColour) {
    drawLabelBox(pf, line.label, (int64_t(line.x1) + line.x2) / 2, (int64_t(line.y1) + line.y2) / 2,
                 boxColour);
}

void drawSectorTagLabel(const PlanFrame& pf, const PlanLabel& label) {
    drawLabelBox(pf, label.text, label.x, label.y, label.colour);
}

void drawSpriteLabel(const Canvas& cv, const Fonts& fonts, const SpriteDrawItem& item) {
    drawLabelBox(cv, fonts, item.label, item.x, item.y, item.colour);
}

void drawSpriteLabel(const PlanFrame& pf, const SpriteDrawItem& item) {
    drawSpriteLabel(pf.cv, pf.fonts, item);
}

}  // namespace korvel
