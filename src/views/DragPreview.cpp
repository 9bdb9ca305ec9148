#include "views/DragPreview.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include "app/Editor.h"
#include "geometry/SpriteTools.h"

namespace korvel {

namespace {

constexpr int32_t kWholeSpriteSelection = 16777215;
constexpr int32_t kLeftButton = 1;
constexpr uint8_t kSubjectWall = 2;

using Kind = OverlayLineKind;

std::string num(int64_t v) {
    return std::to_string(v);
}

void readOut(DragPreviewFrame& f, int32_t message, const std::string& a1 = "",
             const std::string& a2 = "") {
    f.cursorLabel = getMessage(message, f.langs, a1, a2);
}

// The turn in degrees with one decimal, in its shortest form: 0, 22.5, 337.5.
std::string degreesText(int32_t theta) {
    const double tenths = std::floor(theta / 18.2044444444444 + 0.5);
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, tenths / 10);
    return std::string(buffer, r.ptr);
}

std::string percentText(double s) {
    return num(int64_t(std::floor(s * 100 + 0.5)));
}

int32_t negated(int32_t y) {
    return y == INT32_MIN ? INT32_MAX : -y;
}

bool planLine(DragPreviewFrame& f, IntPoint a, IntPoint b, Kind kind) {
    return appendOverlayLine(f.lists, a.x, negated(a.y), b.x, negated(b.y), kind);
}

bool addPoint(DragPreviewFrame& f, IntPoint p) {
    return appendOverlayPoint(f.lists, p.x, p.y);
}

int32_t clamp64(int64_t v) {
    return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v);
}

IntPoint hitPoint(const DragPreviewFrame& f) {
    return {f.hover.hitPointX, f.hover.hitPointY};
}

IntPoint wallStart(const MapStore& map, int32_t w) {
    return {map.walls[w].x, map.walls[w].y};
}

// How a whole-selection drag moves a point this frame.
struct Motion {
    enum class Kind { Shift, Turn, Scale } kind = Kind::Shift;
    DragOffset offset{};
    int32_t theta = 0;
    double scale = 1;
    IntPoint centre{};

    IntPoint apply(IntPoint p) const {
        switch (kind) {
            case Kind::Shift:
                return shiftPoint(p, offset);
            case Kind::Turn:
                return turnPointPreview(centre, p, theta);
            case Kind::Scale:
                return scalePoint(centre, p, scale);
        }
        return p;
    }
};

// Every wall in index order: its moved start point when that vertex is selected, and the wall
// where its marks put it.
void movedWalls(DragPreviewFrame& f, const Motion& motion) {
    const MapStore& map = f.map;
    // A turn costs trigonometry, and most start points are moved up to three times (as a
    // vertex, as a wall's start and as the previous wall's end): each is moved once.
    const int32_t count = std::clamp(map.wallCount, 0, kMaxWalls);
    std::vector<IntPoint> moved(static_cast<size_t>(count));
    std::vector<uint8_t> known(static_cast<size_t>(count), 0);
    const auto movedStart = [&](int32_t w) {
        if (!known[size_t(w)]) {
            moved[size_t(w)] = motion.apply(wallStart(map, w));
            known[size_t(w)] = 1;
        }
        return moved[size_t(w)];
    };
    for (int32_t w = 0; w < count; ++w) {
        if (map.vertexSelected[w] && !addPoint(f, movedStart(w))) return;
        const int32_t mark = map.wallMoveState[w];
        const int32_t next = map.walls[w].point2;
        if (mark < 1 || mark > 3 || !isWall(map, next)) continue;
        const IntPoint a = mark & 1 ? movedStart(w) : wallStart(map, w);
        const IntPoint b = mark & 2 ? movedStart(next) : wallStart(map, next);
        if (!planLine(f, a, b, Kind::Outline)) return;
    }
}

// The selected sectors' slices of the section, raised or lowered by dz.
void movedSlices(DragPreviewFrame& f, int64_t dz) {
    const auto z = [&](int32_t v) { return clamp64(v + dz); };
    for (int32_t i = 0; i < f.sliceCount; ++i) {
        const SectionSlice& s = f.slices[i];
        if (!isSector(f.map, s.sector) || !f.map.sectorSelected[s.sector]) continue;
        const bool drawn =
            appendOverlayLine(f.lists, s.startPos, z(s.floorZStart), s.startPos,
                              z(s.ceilingZStart), Kind::Outline) &&
            appendOverlayLine(f.lists, s.endPos, z(s.floorZEnd), s.endPos, z(s.ceilingZEnd),
                              Kind::Outline) &&
            appendOverlayLine(f.lists, s.startPos, z(s.floorZStart), s.endPos, z(s.floorZEnd),
                              Kind::Outline) &&
            appendOverlayLine(f.lists, s.startPos, z(s.ceilingZStart), s.endPos,
                              z(s.ceilingZEnd), Kind::Outline);
        if (!drawn) return;
    }
}

void wholeVertexSelection(DragPreviewFrame& f) {
    const IntPoint hit = hitPoint(f);
    const IntPoint start{f.drag.dragStartX, f.drag.dragStartY};
    const int32_t dy = dragVerticalMotion(f.mouseY, f.dragStartMouseY);
    Motion motion;
    motion.centre = vertexDragCentre(f.drag);
    switch (f.tool.dragKind) {
        case DragKind::Move:
            if (f.sideView) {
                const int64_t dz = int64_t(f.hover.hitPointZ) - f.drag.dragStartY;
                readOut(f, 278, num(dz));
                movedSlices(f, dz);
                return;
            }
            if (hit == start) return;
            readOut(f, 273, num(int64_t(hit.x) - start.x), num(int64_t(hit.y) - start.y));
            motion.offset = dragMoveOffset(hit, start, f.shiftHeld);
            break;
        case DragKind::Rotate:
            if (dy == 0) return;
            motion.kind = Motion::Kind::Turn;
            motion.theta = dragTurnAngle(dy, f.shiftHeld);
            readOut(f, 274, degreesText(motion.theta));
            break;
        case DragKind::Scale:
            if (dy == 0) return;
            motion.kind = Motion::Kind::Scale;
            motion.scale = dragScaleFactor(dy, f.shiftHeld);
            readOut(f, 275, percentText(motion.scale));
            break;
        default:
            return;
    }
    movedWalls(f, motion);
}

// The walls at the one dragged vertex, listed in wallMoveState, with that vertex at the hit point.
void singleVertex(DragPreviewFrame& f) {
    MapStore& map = f.map;
    const IntPoint hit = hitPoint(f);
    const IntPoint start{f.drag.dragStartX, f.drag.dragStartY};
    const int32_t listed = map.movedWallCount < kMaxWalls ? map.movedWallCount : kMaxWalls;
    readOut(f, 276, num(int64_t(hit.x) - start.x), num(int64_t(hit.y) - start.y));
    if (!addPoint(f, hit) || !addPoint(f, start)) return;
    bool drawn = true;
    for (int32_t i = 0; i < listed && drawn; ++i) {
        const int32_t w = map.wallMoveState[i];
        // The list may name walls removed since the drag began.
        if (!isWall(map, w) || !isWall(map, map.walls[w].point2)) continue;
        IntPoint a = wallStart(map, w), b = wallStart(map, map.walls[w].point2);
        if (a == start) a = hit;
        if (b == start) b = hit;
        drawn = planLine(f, a, b, Kind::Outline);
    }
    if (drawn) planLine(f, hit, start, Kind::Guide);
    if (!f.realtimeUpdate) return;
    const IntPoint last{f.drag.lastDragTargetX, f.drag.lastDragTargetY};
    for (int32_t i = 0; i < listed; ++i) {
        const int32_t w = map.wallMoveState[i];
        if (!isWall(map, w) || wallStart(map, w) != last) continue;
        map.walls[w].x = hit.x;
        map.walls[w].y = hit.y;
    }
    f.drag.lastDragTargetX = hit.x;
    f.drag.lastDragTargetY = hit.y;
}

// Where a sprite stands along the section: half of |AS| + |AB| - |BS|, to the nearest unit.
int32_t positionAlongSection(const DragPreviewFrame& f, const SpriteRecord& s) {
    const IntPoint a = f.sectionStart, b = f.sectionEnd;
    const double as = distSingle(float(a.x), float(a.y), float(s.x), float(s.y));
    const double ab = distSingle(float(a.x), float(a.y), float(b.x), float(b.y));
    const double bs = distSingle(float(b.x), float(b.y), float(s.x), float(s.y));
    const double p = std::nearbyint((as + ab - bs) / 2);
    return clamp64(int64_t(std::isnan(p) ? 0 : std::fmax(std::fmin(p, 4e9), -4e9)));
}

void wholeSpriteSelection(DragPreviewFrame& f) {
    const MapStore& map = f.map;
    const IntPoint hit = hitPoint(f);
    const IntPoint start{f.drag.spriteDragStartX, f.drag.spriteDragStartY};
    const bool spritesOnly = f.tool.selectionMode == SelectionMode::Sprites;
    const int32_t dy = dragVerticalMotion(f.mouseY, f.dragStartMouseY);
    Motion motion;
    motion.centre = spriteDragCentre(f.drag);
    switch (f.tool.dragKind) {
        case DragKind::Move:
            if (f.sideView) {
                const int32_t pos = f.hover.sideHitPos, z = f.hover.hitPointZ;
                if (pos == start.x && z == start.y) return;
                readOut(f, 277, num(int64_t(z) - start.y));
                for (int32_t k = 0; k < map.spriteCount; ++k) {
                    if (!map.spriteSelected[k]) continue;
                    const SpriteRecord& s = map.sprites[k];
                    const IntPoint p{clamp64(int64_t(positionAlongSection(f, s)) - start.x + pos),
                                     clamp64(int64_t(s.z) - start.y + z)};
                    if (!addPoint(f, p)) return;
                }
                return;
            }
            if (hit == start) return;
            readOut(f, spritesOnly ? 279 : 280, num(int64_t(hit.x) - start.x),
                    num(int64_t(hit.y) - start.y));
            motion.offset = dragMoveOffset(hit, start, f.shiftHeld);
            break;
        case DragKind::Rotate:
            if (dy == 0) return;
            motion.kind = Motion::Kind::Turn;
            motion.theta = dragTurnAngle(dy, f.shiftHeld);
            readOut(f, spritesOnly ? 281 : 282, degreesText(motion.theta));
            break;
        case DragKind::Scale:
            if (dy == 0) return;
            motion.kind = Motion::Kind::Scale;
            motion.scale = dragScaleFactor(dy, f.shiftHeld);
            readOut(f, spritesOnly ? 283 : 284, percentText(motion.scale));
            break;
        default:
            return;
    }
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        if (!map.spriteSelected[k]) continue;
        const SpriteRecord& s = map.sprites[k];
        if (!addPoint(f, motion.apply({s.x, s.y}))) return;
    }
}

void singleSprite(DragPreviewFrame& f, int32_t k) {
    SpriteRecord& sprite = f.map.sprites[k];
    const IntPoint start{f.drag.spriteDragStartX, f.drag.spriteDragStartY};
    if (f.sideView) {
        const IntPoint at{f.hover.sideHitPos, f.hover.hitPointZ};
        readOut(f, 285, num(int64_t(at.y) - start.y));
        if (addPoint(f, at) && addPoint(f, start))
            appendOverlayLine(f.lists, at.x, at.y, start.x, start.y, Kind::RubberBand);
        if (!f.realtimeUpdate) return;
        sprite.x = f.hover.hitPointX;
        sprite.y = f.hover.hitPointY;
        sprite.z = f.hover.hitPointZ;
        if (f.sideViewSubjectKind == kSubjectWall)
            nudgeSpriteOffSectionLine(f.map, k, f.sectionStart.x, f.sectionStart.y, f.sectionEnd.x,
                                      f.sectionEnd.y);
        return;
    }
    const IntPoint hit = hitPoint(f);
    readOut(f, 286, num(int64_t(hit.x) - start.x), num(int64_t(hit.y) - start.y));
    if (addPoint(f, hit) && addPoint(f, start)) planLine(f, hit, start, Kind::RubberBand);
    if (!f.realtimeUpdate) return;
    sprite.x = hit.x;
    sprite.y = hit.y;
}

}  // namespace

void buildDragPreview(DragPreviewFrame& f) {
    const int32_t moved = f.map.movedWallCount;
    if (moved > 0 && f.leftButtonHeld) {
        if (moved == kAllWallsMarked)
            wholeVertexSelection(f);
        else if (moved < kAllWallsMarked)
            singleVertex(f);
    }
    const int32_t sprite = f.tool.draggedSprite;
    if (sprite == kWholeSpriteSelection)
        wholeSpriteSelection(f);
    else if (isSprite(f.map, sprite))
        singleSprite(f, sprite);
}

void buildDragPreview(Editor& ed) {
    DragPreviewFrame f{ed.map, ed.drag, ed.hover, ed.tool, ed.langs, ed.overlays, ed.app.cursorLabel};
    f.mouseY = ed.input.mouseY;
    f.dragStartMouseY = ed.app.dragStartMouseY;
    f.shiftHeld = ed.dispatch.shiftHeld != 0;
    f.realtimeUpdate = ed.settings.realtimeUpdate != 0;
    f.sideView = ed.app.currentPage == Page::SideView;
    f.leftButtonHeld = ed.input.keyStates[kLeftButton] < 0;
    f.slices = &ed.view.sectionSlices[0];
    f.sliceCount = ed.view.sectionSliceCount < 0 ? 0
                   : ed.view.sectionSliceCount > kMaxSectionSlices ? kMaxSectionSlices
                                                                   : ed.view.sectionSliceCount;
    f.sectionStart = {ed.view.sideViewX1, ed.view.sideViewY1};
    f.sectionEnd = {ed.view.sideViewX2, ed.view.sideViewY2};
    f.sideViewSubjectKind = uint8_t(ed.view.sideViewSubjectKind);
    buildDragPreview(f);
}

}  // namespace korvel
