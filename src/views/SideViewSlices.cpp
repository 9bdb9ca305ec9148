#include "views/SideViewSlices.h"

#include <algorithm>
#include <cmath>

#include "base/Mainm.h"
#include "map/GeometryQueries.h"
#include "map/MapStore.h"
#include "views/ViewState.h"

namespace korvel {

namespace {

// Inside, or within 0.001 of a wall.
bool insideOrOnEdge(const MapStore& map, double x, double y, int32_t sector) {
    return isPointInSector(map, x, y, sector) >= 1;
}

int32_t sectorsOf(const MapStore& map) {
    return std::clamp(map.sectorCount, 0, kMaxSectors);
}
int32_t spritesOf(const MapStore& map) {
    return std::clamp(map.spriteCount, 0, kMaxSprites);
}

void markPointColumn(const MapStore& map, ViewState& view) {
    const int32_t x = view.sideViewX1, y = view.sideViewY1;
    for (int32_t k = 0; k < sectorsOf(map); ++k)
        view.pickedSectors[k] = pointInSector(map, x, y, k) ? 1 : 0;
    for (int32_t i = 0; i < spritesOf(map); ++i)
        view.sideViewSprites[i] = map.sprites[i].x == x && map.sprites[i].y == y ? 1 : 0;
}

void markSpritesNearLine(const MapStore& map, ViewState& view) {
    const double x1 = view.sideViewX1, y1 = view.sideViewY1;
    const double x2 = view.sideViewX2, y2 = view.sideViewY2;
    const double minX = std::min(x1, x2) - 1, maxX = std::max(x1, x2) + 1;
    const double minY = std::min(y1, y2) - 1, maxY = std::max(y1, y2) + 1;
    for (int32_t i = 0; i < spritesOf(map); ++i) {
        const double sx = map.sprites[i].x, sy = map.sprites[i].y;
        // A line without length has no distance to offer (not a number): nothing is shown.
        const bool near = sx >= minX && sx <= maxX && sy >= minY && sy <= maxY &&
                          std::fabs(signedDistToLine(x1, y1, x2, y2, sx, sy)) < 2.0;
        view.sideViewSprites[i] = near ? 1 : 0;
    }
}

class SliceBuilder {
public:
    SliceBuilder(const MapStore& map, ViewState& view)
        : map_(map),
          view_(view),
          x1_(view.sideViewX1),
          y1_(view.sideViewY1),
          x2_(view.sideViewX2),
          y2_(view.sideViewY2) {}

    void build() {
        view_.sectionSliceCount = 0;
        for (int32_t d = 0; d < sectorsOf(map_) && !full(); ++d) slice(d);
    }

private:
    bool full() const { return view_.sectionSliceCount >= kMaxSectionSlices; }

    // The sector's walls as a block of the wall array; a damaged range gives no crossings.
    bool wallRange(int32_t d, int32_t& first, int32_t& last) const {
        const SectorRecord& sec = map_.sectors[d];
        first = sec.wallptr;
        last = int32_t(sec.wallptr) + sec.wallnum - 1;
        return sec.wallnum > 0 && isWall(map_, first) && isWall(map_, last);
    }

    int32_t positionOf(int32_t x, int32_t y) const {
        return safeFloor(distSingle(float(x1_), float(y1_), float(x), float(y)));
    }

    // The walls of d that meet the line, sorted by position along it; equal positions keep the
    // order the walls were found in.
    int32_t findCrossings(int32_t d) {
        int32_t first, last;
        if (!wallRange(d, first, last)) return 0;
        const double length = distDouble(x1_, y1_, x2_, y2_);
        SectionCrossing* out = view_.sectionCrossings.data();
        int32_t n = 0;
        for (int32_t w = first; w <= last; ++w) {
            const WallRecord& a = map_.walls[w];
            if (!isWall(map_, a.point2)) continue;
            const WallRecord& b = map_.walls[a.point2];
            IntPoint p = segIntersectRounded(a.x, a.y, b.x, b.y, x1_, y1_, x2_, y2_);
            if (p.x == kNoIntersection && p.y == kNoIntersection) {
                // The line may pass exactly through the wall's start point: that vertex counts
                // once, for the wall that starts there.
                if (distDouble(x2_, y2_, a.x, a.y) + distDouble(x1_, y1_, a.x, a.y) - length >=
                    0.00001)
                    continue;
                p = {a.x, a.y};
            }
            out[n] = {p.x, p.y, w, positionOf(p.x, p.y), n};
            ++n;
        }
        std::sort(out, out + n, [](const SectionCrossing& l, const SectionCrossing& r) {
            return l.pos != r.pos ? l.pos < r.pos : l.order < r.order;
        });
        return n;
    }

    void openAt(int32_t d, int32_t pos, int32_t x, int32_t y, int32_t wall) {
        SectionSlice& s = open_;
        s.sector = d;
        s.startPos = pos;
        s.startWall = wall;
        s.startPointX = x;
        s.startPointY = y;
        s.floorZStart = getTrueFloorZ(map_, x, y, d);
        s.ceilingZStart = getTrueCeilingZ(map_, x, y, d);
        isOpen_ = true;
    }

    void closeAt(int32_t pos, int32_t x, int32_t y, int32_t wall) {
        SectionSlice& s = open_;
        s.endPos = pos;
        s.endWall = wall;
        s.endPointX = x;
        s.endPointY = y;
        s.floorZEnd = getTrueFloorZ(map_, x, y, s.sector);
        s.ceilingZEnd = getTrueCeilingZ(map_, x, y, s.sector);
        isOpen_ = false;
        if (!full()) view_.sectionSlices[view_.sectionSliceCount++] = s;
    }

    bool midpointInside(double ax, double ay, double bx, double by, int32_t d) const {
        return insideOrOnEdge(map_, (ax + bx) / 2, (ay + by) / 2, d);
    }

    void slice(int32_t d) {
        const int32_t n = findCrossings(d);
        const SectionCrossing* c = view_.sectionCrossings.data();
        isOpen_ = false;
        if (insideOrOnEdge(map_, x1_, y1_, d)) openAt(d, 0, x1_, y1_, -1);
        for (int32_t l = 0; l < n && !full(); ++l) {
            if (l > 0 && c[l].x == c[l - 1].x && c[l].y == c[l - 1].y) continue;
            // Where the line goes on: to the next crossing at another point (a second wall
            // meeting the line at the same point says nothing about the side it runs on), or,
            // after the last one, to the line's end, so that a line touching an inner corner
            // on its way to an end inside the sector keeps its span.
            int32_t next = l + 1;
            while (next < n && c[next].x == c[l].x && c[next].y == c[l].y) ++next;
            const bool last = next == n;
            if (!last || c[l].x != x2_ || c[l].y != y2_) {
                const double aheadX = last ? x2_ : c[next].x, aheadY = last ? y2_ : c[next].y;
                const bool ahead = midpointInside(c[l].x, c[l].y, aheadX, aheadY, d);
                if (isOpen_) {
                    if (ahead) {
                        // Still inside on both sides: the line only touched a wall.
                        if (midpointInside(open_.startPointX, open_.startPointY, c[l].x, c[l].y, d))
                            continue;
                        // The open span was never inside: start over here.
                        isOpen_ = false;
                    }
                } else if (!ahead) {
                    continue;
                }
            }
            if (isOpen_)
                closeAt(c[l].pos, c[l].x, c[l].y, c[l].wall);
            else
                openAt(d, c[l].pos, c[l].x, c[l].y, c[l].wall);
        }
        if (isOpen_ && midpointInside(open_.startPointX, open_.startPointY, x2_, y2_, d))
            closeAt(safeFloor(distSingle(float(x1_), float(y1_), float(x2_), float(y2_))), x2_, y2_,
                    -1);
        isOpen_ = false;
    }

    const MapStore& map_;
    ViewState& view_;
    const int32_t x1_, y1_, x2_, y2_;
    SectionSlice open_{};
    bool isOpen_ = false;
};

}  // namespace

void buildSideViewSlices(const MapStore& map, ViewState& view) {
    const SideViewSubjectKind kind = view.sideViewSubjectKind;
    view.pickedSectors.fill(0);
    view.sideViewSprites.fill(0);
    if (kind == SideViewSubjectKind::Point || kind == SideViewSubjectKind::Sprite) {
        markPointColumn(map, view);
        return;
    }
    if (kind == SideViewSubjectKind::Section) SliceBuilder(map, view).build();
    markSpritesNearLine(map, view);
}

void refreshSliceHeights(const MapStore& map, ViewState& view) {
    const int32_t n = std::clamp(view.sectionSliceCount, 0, kMaxSectionSlices);
    for (int32_t i = 0; i < n; ++i) {
        SectionSlice& s = view.sectionSlices[i];
        if (!isSector(map, s.sector)) continue;
        s.ceilingZStart = getTrueCeilingZ(map, s.startPointX, s.startPointY, s.sector);
        s.floorZStart = getTrueFloorZ(map, s.startPointX, s.startPointY, s.sector);
        s.ceilingZEnd = getTrueCeilingZ(map, s.endPointX, s.endPointY, s.sector);
        s.floorZEnd = getTrueFloorZ(map, s.endPointX, s.endPointY, s.sector);
    }
}

}  // namespace korvel
