#include "editing/HoverPicking.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/Editor.h"
#include "editing/InputDispatcher.h"
#include "map/GeometryQueries.h"
#include "views/SideViewPoints.h"

namespace korvel {

namespace {

constexpr uint8_t kShown = uint8_t(HiddenState::Shown);
constexpr uint8_t kHidden = uint8_t(HiddenState::Hidden);
// Offsets beyond this are too far to be picked and too large to square safely as one number.
constexpr double kFarOffset = 20000000;
// A wall's foot point or side distance this large means the mouse is nowhere near it.
constexpr double kFarOnWall = 200000000;

// Objects stacked at one spot, collected in index order with how many of them are selected.
// Kept between calls so that picking allocates nothing once it has run.
struct Candidates {
    std::vector<int32_t> items;
    int32_t selected = 0;
    void restart() {
        items.clear();
        selected = 0;
    }
    void add(int32_t i, bool isSelected) {
        items.push_back(i);
        if (isSelected) ++selected;
    }
};

Candidates& scratch() {
    thread_local Candidates c;
    return c;
}

// The first candidate, unless some but not all are selected: then the first unselected one met
// after a selected one, walking round from the first. Clicking the hovered object to select it
// therefore moves the hover on to the next object of the stack.
template <typename IsSelected>
int32_t cycledHover(const Candidates& c, IsSelected isSelected) {
    const auto n = int32_t(c.items.size());
    if (n == 0) return -1;
    if (c.selected == 0 || c.selected == n) return c.items[0];
    bool seenSelected = false;
    for (int32_t i = 0; i < 2 * n; ++i) {
        const int32_t item = c.items[size_t(i % n)];
        if (isSelected(item))
            seenSelected = true;
        else if (seenSelected)
            return item;
    }
    return c.items[0];
}

double distance64(int64_t dx, int64_t dy) {
    return std::floor(std::sqrt(double(dx) * double(dx) + double(dy) * double(dy)));
}

void pickHitPoint(const PlanPick& pick, HoverState& h) {
    const Settings& s = pick.settings;
    const bool affine = s.affineGridMode == 1 && pick.tool.currentTool != Tool::AffineGrid;
    h.hitPointX = h.mouseMapX;
    h.hitPointY = h.mouseMapY;
    if (!s.snapToGrid) return;
    if (!affine) {
        h.hitPointX = snapToStep(h.mouseMapX, s.gridSpacing);
        h.hitPointY = snapToStep(h.mouseMapY, s.gridSpacing);
        return;
    }
    const double step = pick.tool.affineGridStep;
    const double a = s.affineGridXx * step, b = s.affineGridYx * step;
    const double c = s.affineGridXy * step, d = s.affineGridYy * step;
    const double det = c * b - d * a;
    if (det == 0 || !std::isfinite(det)) return;
    const double mx = h.mouseMapX, my = h.mouseMapY;
    const double x1 = s.affineGridX1, y1 = s.affineGridY1;
    const double u = safeFloor((my * c - mx * d + x1 * d - y1 * c) / det + 0.5);
    const double v = safeFloor((mx * b - my * a + y1 * a - x1 * b) / det + 0.5);
    h.hitPointX = safeFloor(u * a + v * c + x1 + 0.5);
    h.hitPointY = safeFloor(u * b + v * d + y1 + 0.5);
}

void pickVertex(const MapStore& map, const PlanPick& pick, HoverState& h) {
    const double zoom = pick.view.zoom;
    const Settings& s = pick.settings;
    double radius = std::floor(zoom * 1536 + 1);
    const double snapRadius = std::floor(s.vertexSnapDistance * 64.0 * zoom + 1);
    Candidates& c = scratch();
    c.restart();
    for (int32_t w = 0; w < map.wallCount; ++w) {
        if (map.wallIgnored[w] != kShown) continue;
        const WallRecord& wall = map.walls[w];
        const double d = distance64(int64_t(h.mouseMapX64) - 64 * int64_t(wall.x),
                                    int64_t(h.mouseMapY64) - 64 * int64_t(wall.y));
        if (d > radius) continue;
        if (d < radius) {
            c.restart();
            radius = d;
        }
        c.add(w, map.vertexSelected[w] != 0);
        if (s.snapToGrid && d < snapRadius) {
            h.hitPointX = wall.x;
            h.hitPointY = wall.y;
            h.hoverVertexDistance = saturateToInt32(radius);  // any zoom is taken
        }
    }
    h.hoveredVertex = cycledHover(c, [&](int32_t w) { return map.vertexSelected[w] != 0; });
}

void pickSprite(const MapStore& map, const PlanPick& pick, HoverState& h) {
    double best = std::floor(pick.view.zoom * 1536 + 1);
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        if (map.spriteIgnored[k] != kShown) continue;
        const SpriteRecord& sp = map.sprites[k];
        const int64_t dx = int64_t(h.mouseMapX64) - 64 * int64_t(sp.x);
        const int64_t dy = int64_t(h.mouseMapY64) - 64 * int64_t(sp.y);
        if (std::abs(double(dx)) > kFarOffset || std::abs(double(dy)) > kFarOffset) continue;
        const double d = distance64(dx, dy);
        if (d > best) continue;
        best = d;
        h.hoveredSprite = k;
        h.hoverSpriteDistance = int32_t(d);
    }
}

void pickSector(const MapStore& map, HoverState& h) {
    Candidates& c = scratch();
    c.restart();
    for (int32_t s = 0; s < map.sectorCount; ++s)
        if (map.sectorIgnored[s] == kShown &&
            pointInSectorFine(map, h.mouseMapX64, h.mouseMapY64, s))
            c.add(s, map.sectorSelected[s] != 0);
    h.hoveredSector = cycledHover(c, [&](int32_t s) { return map.sectorSelected[s] != 0; });
}

// The wall nearest to the mouse on its inner side (walls of the hovered sector) or, outside
// every sector, on the outer side of a one-sided wall, whose foot point lies on the wall.
void pickWall(const MapStore& map, const PlanPick& pick, HoverState& h) {
    if (map.wallCount == 0) return;
    double radius = std::floor(pick.view.zoom * 64000);
    const bool inSector = isSector(map, h.hoveredSector);
    int32_t first = 0, last = map.wallCount - 1;
    if (inSector) {
        const SectorRecord& sec = map.sectors[h.hoveredSector];
        first = clampWall(map, sec.wallptr);
        last = clampWall(map, int32_t(sec.wallptr) + sec.wallnum - 1);
    }
    const double mx = h.mouseMapX64 / 64.0, my = h.mouseMapY64 / 64.0;
    for (int32_t w = first; w <= last; ++w) {
        const WallRecord& a = map.walls[w];
        if (map.wallIgnored[w] != kShown || !isWall(map, a.point2)) continue;
        if (!inSector && a.nextwall != -1) continue;
        const WallRecord& b = map.walls[a.point2];
        const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
        const double length = std::floor(std::sqrt(dx * dx + dy * dy));
        if (length < 1) continue;
        const double t = (dx * (mx - a.x) + dy * (my - a.y)) / length;
        const double e = (dx * (my - a.y) - dy * (mx - a.x)) * 64 / length;
        const double f = inSector ? std::floor(e) : -std::floor(e);
        if (!(std::abs(f) < kFarOnWall) || !(std::abs(t) < kFarOnWall)) continue;
        const double along = std::floor(t);
        if (along < 0 || along > length || f < 0 || f > radius) continue;
        h.hoveredWall = w;
        radius = f;
    }
    if (h.hoveredWall < 0) return;
    const WallRecord& a = map.walls[h.hoveredWall];
    const WallRecord& b = map.walls[a.point2];
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    const IntPoint foot = lineIntersection(a.x, a.y, b.x, b.y, h.hitPointX, h.hitPointY,
                                           h.hitPointX + dy, h.hitPointY - dx);
    h.hoverWallPointX = foot.x;
    h.hoverWallPointY = foot.y;
}

void cursorHeights(const MapStore& map, HoverState& h) {
    if (!isSector(map, h.hoveredSector)) return;
    h.cursorFloorZ = getTrueFloorZ(map, h.mouseMapX, h.mouseMapY, h.hoveredSector);
    h.cursorCeilingZ = getTrueCeilingZ(map, h.mouseMapX, h.mouseMapY, h.hoveredSector);
}

// --- Side view ---

// The screen row of a height, the column of a position along the line.
struct SideRows {
    double scale, cornerX, cornerZ;
    int32_t column(double pos) const { return safeFloor((pos + cornerX) / scale); }
    int32_t row(double z) const { return safeFloor((-z / 16 + cornerZ) / scale); }
};

SideRows sideRows(const SideProjection& v) {
    return {v.scale, kViewCentreX * v.scale + v.originX, kViewCentreY * v.scale + v.originZ};
}

bool within(int32_t v, int32_t lo, int32_t hi) {
    return v >= lo && v <= hi;
}

void pickSideSprite(const MapStore& map, const SidePick& pick, HoverState& h) {
    double best = std::nearbyint(384 * pick.view.scale);
    const int32_t count = std::min(map.spriteCount, kMaxSprites);
    for (int32_t k = 0; k < count; ++k) {
        if (map.spriteIgnored[k] != kShown || pick.subject.sideViewSprites[k] == 0) continue;
        const SpriteRecord& sp = map.sprites[k];
        const double dx = 16 * (double(h.mouseMapX) - sp.x);
        const double dy = 16 * (double(h.mouseMapY) - sp.y);
        const double dz = double(h.sideMouseZ) - sp.z;
        if (std::abs(dx) > kFarOffset || std::abs(dy) > kFarOffset || std::abs(dz) > kFarOffset)
            continue;
        const double d = std::floor(std::sqrt(dx * dx + dy * dy + dz * dz));
        if (d > best) continue;
        best = d;
        h.hoveredSprite = k;
    }
}

// The sector band of the section under the mouse: the first slice whose column range and
// interpolated floor and ceiling rows hold it.
void pickSectionBand(const MapStore& map, const SidePick& pick, HoverState& h) {
    h.hoveredSector = -1;
    h.sideHoverPart = 0;
    const SideRows r = sideRows(pick.view);
    const ViewState& v = pick.subject;
    const int32_t count = std::clamp(v.sectionSliceCount, 0, kMaxSectionSlices);
    for (int32_t i = 0; i < count; ++i) {
        const SectionSlice& sl = v.sectionSlices[i];
        if (!isSector(map, sl.sector) || map.sectorIgnored[sl.sector] == kHidden) continue;
        const int32_t x1 = r.column(sl.startPos), x2 = r.column(sl.endPos);
        if (x1 == x2 || !within(pick.mouseX, x1, x2)) continue;
        const auto p = float(double(x2 - pick.mouseX) / (double(x2) - x1));
        const int32_t yc =
            safeFloor(lerpSingle(float(r.row(sl.ceilingZEnd)), float(r.row(sl.ceilingZStart)), p));
        const int32_t yf =
            safeFloor(lerpSingle(float(r.row(sl.floorZEnd)), float(r.row(sl.floorZStart)), p));
        if (!within(pick.mouseY, yf, yc)) continue;
        h.hoveredSector = sl.sector;
        h.sideHoverPart = std::abs(pick.mouseY - yf) <= std::abs(pick.mouseY - yc) ? 1 : 2;
        return;
    }
}

// Which part of the subject wall, and which of its height lines, lie under the mouse.
void pickWallPart(const MapStore& map, const SidePick& pick, HoverState& h) {
    h.sideViewWallPart = 0;
    h.sideHoverPart = 0;
    const int32_t w = pick.subject.sideViewSubject;
    if (!isWall(map, w) || !isWall(map, map.walls[w].point2)) return;
    const int32_t own = sectorOfWall(map, w);
    if (!isSector(map, own)) return;
    const WallRecord& a = map.walls[w];
    const WallRecord& b = map.walls[a.point2];
    const int32_t behind = a.nextsector;
    const bool twoSided = isSector(map, behind);

    const SideRows r = sideRows(pick.view);
    const float length = distSingle(float(a.x), float(a.y), float(b.x), float(b.y));
    const int32_t x0 = r.column(0), x1 = r.column(length);
    if (x0 == x1 || !within(pick.mouseX, x0, x1)) return;
    const auto t = int32_t(std::clamp<int64_t>(
        int64_t(std::floor(double(pick.mouseX - x0) * 65536 / (double(x1) - x0))), 0, 65536));
    const auto rowAt = [&](bool floor, int32_t s) {
        const auto z = [&](const WallRecord& p) {
            return floor ? getTrueFloorZ(map, p.x, p.y, s) : getTrueCeilingZ(map, p.x, p.y, s);
        };
        return lerpFixed(r.row(z(a)), r.row(z(b)), t);
    };
    const int32_t my = pick.mouseY;
    const int32_t fo = rowAt(true, own), co = rowAt(false, own);
    if (!twoSided) {
        if (within(my, fo, co)) h.sideViewWallPart = 4;
        h.sideHoverPart = std::abs(my - co) >= std::abs(my - fo) ? 1 : 2;
        return;
    }
    const int32_t fb = rowAt(true, behind), cb = rowAt(false, behind);
    if (within(my, std::min({fb, co, fo}), std::max(std::min(fb, co), fo))) h.sideViewWallPart = 1;
    if (within(my, std::min(std::max(cb, fo), co), std::max({cb, fo, co}))) h.sideViewWallPart = 2;
    if (my > std::max(fb, fo) && my < std::min(cb, co)) h.sideViewWallPart = 3;
    const int32_t dfo = std::abs(my - fo), dco = std::abs(my - co);
    const int32_t dfb = std::abs(my - fb), dcb = std::abs(my - cb);
    if (dcb <= dfo && dcb <= dco && dcb <= dfb)
        h.sideHoverPart = 4;
    else if (dco <= dfo && dco <= dfb && dco <= dcb)
        h.sideHoverPart = 2;
    else if (dfb <= dfo && dfb <= dco && dfb <= dcb)
        h.sideHoverPart = 3;
    else
        h.sideHoverPart = 1;
}

}  // namespace

int32_t snapToStep(int32_t c, int64_t step) {
    if (step < 1) step = 1;
    const int64_t sign = c > 0 ? 1 : c < 0 ? -1 : 0;
    const int64_t snapped = (int64_t(c) + sign * (step / 2)) / step * step;
    return int32_t(std::clamp<int64_t>(snapped, INT32_MIN, INT32_MAX));
}

void pickPlanHover(const MapStore& map, const PlanPick& pick, HoverState& h) {
    const double zoom = pick.view.zoom;
    const double mx = (pick.mouseX - kViewCentreX) * zoom - pick.view.originX;
    const double my = (pick.mouseY - kViewCentreY) * zoom - pick.view.originY;
    h.mouseMapX = safeFloor(mx + 0.5);
    h.mouseMapY = -safeFloor(my + 0.5);
    h.mouseMapX64 = safeFloor(mx * 64 + 0.5);
    h.mouseMapY64 = -safeFloor(my * 64 + 0.5);
    h.hoverVertexDistance = h.hoverSpriteDistance = kFarDistanceLong;

    pickHitPoint(pick, h);
    if (pick.settings.showVertices) pickVertex(map, pick, h);
    if (pick.settings.showSprites) pickSprite(map, pick, h);
    pickSector(map, h);
    pickWall(map, pick, h);
    cursorHeights(map, h);
}

void pickSideHover(const MapStore& map, const SidePick& pick, HoverState& h) {
    const SideProjection& v = pick.view;
    const Settings& s = pick.settings;
    const SideViewSubjectKind kind = pick.subject.sideViewSubjectKind;
    const double sx = (pick.mouseX - kViewCentreX) * v.scale - v.originX;
    const double sz = (pick.mouseY - kViewCentreY) * v.scale - v.originZ;
    h.sideMouseZ = -safeFloor(sz * 16 + 0.5);
    h.hitPointZ =
        s.snapToGrid ? snapToStep(h.sideMouseZ, 16 * int64_t(s.gridSpacing)) : h.sideMouseZ;
    if (v.alongLine) {
        h.sideMousePos = safeFloor(sx + 0.5);
        h.sideHitPos = s.snapToGrid ? snapToStep(h.sideMousePos, s.gridSpacing) : h.sideMousePos;
        mapPointsFromSideView(v, h);
    } else {
        h.mouseMapX = h.hitPointX = v.x1;
        h.mouseMapY = h.hitPointY = v.y1;
        h.sideMousePos = h.sideHitPos = 0;
    }

    if (s.showSprites) pickSideSprite(map, pick, h);
    if (kind == SideViewSubjectKind::Section) pickSectionBand(map, pick, h);
    if (kind == SideViewSubjectKind::Wall && !pick.leftButtonHeld) pickWallPart(map, pick, h);
    cursorHeights(map, h);
}

void choosePanelSubject(const MapStore& map, const ToolState& tool, HoverState& h) {
    using P = PanelSubject;
    struct Test {
        bool holds;
        P subject;
    };
    const Test selSprites{map.selectedSpriteCount > 0, P::SelectedSprites};
    const Test selSectors{map.selectedSectorCount > 0, P::SelectedSectors};
    const Test selWalls{map.selectedWallCount > 0, P::SelectedWalls};
    const Test hovSprite{h.hoveredSprite >= 0, P::HoveredSprite};
    const Test hovSector{h.hoveredSector >= 0, P::HoveredSector};
    const Test hovWall{h.hoveredWall >= 0, P::HoveredWall};
    const auto first = [](std::initializer_list<Test> tests) {
        for (const Test& t : tests)
            if (t.holds) return t.subject;
        return P::None;
    };
    switch (tool.selectionMode) {
        case SelectionMode::Sprites:
        case SelectionMode::Vertices:
        case SelectionMode::SpritesAndVertices:
            h.panelSubject =
                first({selSprites, selSectors, selWalls, hovSprite, hovSector, hovWall});
            break;
        case SelectionMode::Walls:
        case SelectionMode::Loops:
            h.panelSubject =
                first({selWalls, selSprites, selSectors, hovWall, hovSprite, hovSector});
            break;
        case SelectionMode::Sectors:
            h.panelSubject =
                first({selSectors, selSprites, selWalls, hovSector, hovSprite, hovWall});
            break;
        default:
            h.panelSubject = P::None;
            break;
    }
}

void hoverPlanView(Editor& ed) {
    const PlanPick pick{ed.input.mouseX, ed.input.mouseY, PlanProjection(ed.view), ed.settings,
                        ed.tool};
    pickPlanHover(ed.map, pick, ed.hover);
}

void hoverSideView(Editor& ed) {
    const SidePick pick{ed.input.mouseX, ed.input.mouseY, SideProjection(ed.view),
                        ed.view,         ed.settings,     keyHeld(ed.input, kLeftButton)};
    pickSideHover(ed.map, pick, ed.hover);
}

void updatePanelSubject(Editor& ed) {
    choosePanelSubject(ed.map, ed.tool, ed.hover);
}

}  // namespace korvel
