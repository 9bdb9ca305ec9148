#include "editing/SelectionInput.h"

#include <algorithm>
#include <cmath>

#include "app/Editor.h"
#include "geometry/DragMath.h"
#include "geometry/WallMarks.h"
#include "map/GeometryQueries.h"
#include "map/MapEdit.h"
#include "map/Selection.h"

namespace korvel {

namespace {

bool shown(uint8_t hidden) {
    return hidden == 0;
}

// Sets or (with toggle) flips one flag, keeping its count.
void pick(uint8_t& flag, int32_t& count, bool toggle) {
    if (toggle) {
        flag = flag ? 0 : 1;
        count += flag ? 1 : -1;
    } else if (!flag) {
        flag = 1;
        ++count;
    }
}

// The area between the anchor and the hit point: a rectangle with both corners included, or a
// circle about the anchor through the hit point.
struct Area {
    bool circle;
    int64_t x1, y1, x2, y2;  // rectangle, ordered
    double cx, cy, radius;   // circle

    bool holds(int32_t x, int32_t y) const {
        if (circle) return distDouble(cx, cy, x, y) <= radius;
        return x >= x1 && x <= x2 && y >= y1 && y <= y2;
    }
    // Whether the segment crosses the rectangle's border or passes within the circle.
    bool touchedBy(int32_t ax, int32_t ay, int32_t bx, int32_t by) const {
        if (circle) return distToSegment(ax, ay, bx, by, cx, cy) <= radius;
        const auto X1 = int32_t(x1), Y1 = int32_t(y1), X2 = int32_t(x2), Y2 = int32_t(y2);
        return segmentsCross(ax, ay, bx, by, X1, Y1, X2, Y1) ||
               segmentsCross(ax, ay, bx, by, X2, Y1, X2, Y2) ||
               segmentsCross(ax, ay, bx, by, X2, Y2, X1, Y2) ||
               segmentsCross(ax, ay, bx, by, X1, Y2, X1, Y1);
    }
};

bool wallCounts(const MapStore& m, const Area& area, int32_t w, bool wholly) {
    const WallRecord& a = m.walls[w];
    const int32_t e = isWall(m, a.point2) ? a.point2 : w;
    const WallRecord& b = m.walls[e];
    const bool in1 = area.holds(a.x, a.y), in2 = area.holds(b.x, b.y);
    if (wholly) return in1 && in2;
    return in1 || in2 || area.touchedBy(a.x, a.y, b.x, b.y);
}

bool sectorCounts(const MapStore& m, const Area& area, int32_t s, bool wholly, int32_t px,
                  int32_t py) {
    const SectorRecord& r = m.sectors[s];
    const int32_t first = std::max<int32_t>(r.wallptr, 0);
    const int32_t end = std::min<int64_t>(int64_t(r.wallptr) + r.wallnum, m.wallCount);
    if (first >= end) return false;
    for (int32_t w = first; w < end; ++w) {
        const bool in = area.holds(m.walls[w].x, m.walls[w].y);
        if (wholly && !in) return false;
        if (!wholly && (in || wallCounts(m, area, w, false))) return true;
    }
    return wholly || pointInSector(m, px, py, s) != 0;
}

void areaInPlanView(Editor& ed) {
    MapStore& m = ed.map;
    const DispatchState& d = ed.dispatch;
    const bool keep = d.shiftHeld || d.ctrlHeld, toggle = d.ctrlHeld != 0;
    const bool wholly = ed.settings.regionSelectMode != 0;
    const SelectionMode mode = ed.tool.selectionMode;
    const bool sprites = mode == SelectionMode::Sprites || mode == SelectionMode::SpritesAndVertices;
    const bool vertices =
        mode == SelectionMode::Vertices || mode == SelectionMode::SpritesAndVertices;
    const bool walls = mode == SelectionMode::Walls, loops = mode == SelectionMode::Loops;
    const bool sectors = mode == SelectionMode::Sectors;
    if (!keep) {
        if (sprites) deselectSprites(m);
        if (vertices) deselectVertices(m);
        if (walls || loops) deselectWalls(m);
        if (sectors) deselectSectors(m);
    }
    Area area{};
    area.circle = ed.tool.selAreaMode == 1;
    const int32_t ax = d.areaAnchorX, ay = d.areaAnchorY;
    const int32_t hx = ed.hover.hitPointX, hy = ed.hover.hitPointY;
    area.x1 = std::min(ax, hx), area.x2 = std::max(ax, hx);
    area.y1 = std::min(ay, hy), area.y2 = std::max(ay, hy);
    area.cx = ax, area.cy = ay, area.radius = distDouble(ax, ay, hx, hy);
    // The point a sector must hold when no wall of it touches the area.
    const auto px = int32_t(area.circle ? ax : (int64_t(ax) + hx) / 2);
    const auto py = int32_t(area.circle ? ay : (int64_t(ay) + hy) / 2);

    if (sprites)
        for (int32_t k = 0; k < m.spriteCount; ++k)
            if (shown(m.spriteIgnored[k]) && area.holds(m.sprites[k].x, m.sprites[k].y))
                pick(m.spriteSelected[k], m.selectedSpriteCount, toggle);
    if (vertices)
        for (int32_t w = 0; w < m.wallCount; ++w)
            if (shown(m.wallIgnored[w]) && area.holds(m.walls[w].x, m.walls[w].y))
                pick(m.vertexSelected[w], m.selectedVertexCount, toggle);
    if (walls)
        for (int32_t w = 0; w < m.wallCount; ++w)
            if (shown(m.wallIgnored[w]) && wallCounts(m, area, w, wholly))
                pick(m.wallSelected[w], m.selectedWallCount, toggle);
    if (loops) {
        for (int32_t w = 0; w < m.wallCount; ++w) {
            if (!shown(m.wallIgnored[w]) || m.wallSelected[w] || !wallCounts(m, area, w, wholly))
                continue;
            ++m.selectedLoopCount;
            int32_t cur = w;
            for (int32_t step = 0; step <= m.wallCount && isWall(m, cur); ++step) {
                pick(m.wallSelected[cur], m.selectedWallCount, false);
                cur = m.walls[cur].point2;
                if (cur == w) break;
            }
        }
    }
    if (sectors)
        for (int32_t s = 0; s < m.sectorCount; ++s)
            if (shown(m.sectorIgnored[s]) && sectorCounts(m, area, s, wholly, px, py))
                pick(m.sectorSelected[s], m.selectedSectorCount, toggle);
}

void areaInSideView(Editor& ed) {
    MapStore& m = ed.map;
    const DispatchState& d = ed.dispatch;
    const bool toggle = d.ctrlHeld != 0;
    if (!d.shiftHeld && !d.ctrlHeld) {
        deselectSprites(m);
        deselectVertices(m);
    }
    const HoverState& h = ed.hover;
    const int64_t x1 = std::min(d.areaAnchorHitX, h.hitPointX) - 1LL;
    const int64_t x2 = std::max(d.areaAnchorHitX, h.hitPointX) + 1LL;
    const int64_t y1 = std::min(d.areaAnchorHitY, h.hitPointY) - 1LL;
    const int64_t y2 = std::max(d.areaAnchorHitY, h.hitPointY) + 1LL;
    const int32_t z1 = std::min(d.areaAnchorY, h.hitPointZ), z2 = std::max(d.areaAnchorY, h.hitPointZ);
    for (int32_t k = 0; k < m.spriteCount; ++k) {
        const SpriteRecord& r = m.sprites[k];
        if (!ed.view.sideViewSprites[k] || !shown(m.spriteIgnored[k])) continue;
        if (r.x < x1 || r.x > x2 || r.y < y1 || r.y > y2 || r.z < z1 || r.z > z2) continue;
        pick(m.spriteSelected[k], m.selectedSpriteCount, toggle);
    }
}

// The press takes the undo snapshot for a drag that changes the map while the button is held.
void snapshotForDrag(Editor& ed) {
    MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
    edit.commit();
}

void startMouseRow(Editor& ed) {
    if (int32_t(ed.tool.dragKind) > 1) ed.app.dragStartMouseY = ed.input.mouseY;
}

// A drag of the selected vertices (or, for sectors, of the selected sectors' walls).
void startPointDrag(Editor& ed) {
    ed.drag.dragStartX = ed.hover.hitPointX;
    ed.drag.dragStartY = ed.hover.hitPointY;
    ed.map.movedWallCount = kAllWallsMarked;
    startMouseRow(ed);
}

void startSpriteSelectionDrag(Editor& ed) {
    ed.drag.spriteDragStartX = ed.hover.hitPointX;
    ed.drag.spriteDragStartY = ed.hover.hitPointY;
    ed.tool.draggedSprite = kAllWallsMarked;
    startMouseRow(ed);
}

// Marks every wall of the selected sectors to move with both ends and flags the sprites standing
// in them so they ride along; the end of the drag clears those flags.
void markSelectedSectors(Editor& ed) {
    MapStore& m = ed.map;
    std::fill(m.wallMoveState.begin(), m.wallMoveState.end(), int16_t(0));
    m.movedWallCount = kAllWallsMarked;
    deselectSprites(m);
    for (int32_t s = 0; s < m.sectorCount; ++s) {
        if (!m.sectorSelected[s]) continue;
        const int32_t first = std::max<int32_t>(m.sectors[s].wallptr, 0);
        const int32_t end = std::min<int64_t>(int64_t(m.sectors[s].wallptr) + m.sectors[s].wallnum,
                                              m.wallCount);
        for (int32_t w = first; w < end; ++w)
            m.wallMoveState[w] = int16_t(WallMoveState::BothPoints);
    }
    for (int32_t k = 0; k < m.spriteCount; ++k) {
        const int32_t s = m.sprites[k].sectnum;
        if (isSector(m, s) && m.sectorSelected[s]) m.spriteSelected[k] = 1;
    }
    ed.drag.sectorSpritesFlagged = 1;
}

int32_t twinOf(const MapStore& m, int32_t w) {
    const WallRecord& r = m.walls[w];
    if (r.nextsector < 0 || !isWall(m, r.nextwall) || r.nextwall == w) return -1;
    return m.walls[r.nextwall].nextwall == w ? r.nextwall : -1;
}

// The wall of w's loop that ends where w starts, or -1 on a broken ring.
int32_t previousWall(const MapStore& m, int32_t w) {
    int32_t cur = w;
    for (int32_t step = 0; step <= m.wallCount; ++step) {
        const int32_t next = m.walls[cur].point2;
        if (!isWall(m, next)) return -1;
        if (next == w) return cur;
        cur = next;
    }
    return -1;
}

}  // namespace

std::vector<int32_t> wallsAtVertex(const MapStore& m, int32_t v) {
    std::vector<int32_t> list;
    if (!isWall(m, v)) return list;
    std::vector<uint8_t> seen(size_t(m.wallCount), 0);
    auto add = [&](int32_t w) {
        if (!isWall(m, w) || seen[size_t(w)]) return false;
        seen[size_t(w)] = 1;
        list.push_back(w);
        return true;
    };
    add(v);
    // Forward: the twin ends here; the wall after it starts here; and so on round the point.
    bool closed = false;
    int32_t twin = twinOf(m, v);
    add(twin);
    for (int32_t step = 0; twin >= 0 && step <= m.wallCount; ++step) {
        const int32_t next = m.walls[twin].point2;
        if (!isWall(m, next)) break;
        if (next == v) {
            closed = true;
            break;
        }
        if (!add(next)) break;
        twin = twinOf(m, next);
        if (twin < 0 || !add(twin)) break;
    }
    if (closed) return list;
    // Backward: the wall before v ends here; its twin starts here; and so on.
    int32_t cur = v;
    for (int32_t step = 0; step <= m.wallCount; ++step) {
        const int32_t prev = previousWall(m, cur);
        if (prev < 0 || !add(prev)) break;
        cur = twinOf(m, prev);
        if (cur < 0 || !add(cur)) break;
    }
    return list;
}

void selectByArea(Editor& ed) {
    const auto mode = int32_t(ed.tool.selectionMode);
    if (mode >= 6) return;
    if (ed.app.currentPage == Page::SideView)
        areaInSideView(ed);
    else
        areaInPlanView(ed);
}

void clickSelectPoint(Editor& ed) {
    MapStore& m = ed.map;
    const DispatchState& d = ed.dispatch;
    const int32_t v = ed.hover.hoveredVertex;
    const bool kindMoves = ed.tool.dragKind != DragKind::Free;
    bool drag = false;
    if (d.ctrlHeld && m.selectedVertexCount > 0) {
        drag = kindMoves;
    } else if (isWall(m, v) && m.vertexSelected[v]) {
        if (d.shiftHeld)
            pick(m.vertexSelected[v], m.selectedVertexCount, true);
        else
            drag = kindMoves;
    } else if (isWall(m, v)) {
        if (!d.shiftHeld) {
            deselectVertices(m);
            drag = true;
        }
        pick(m.vertexSelected[v], m.selectedVertexCount, false);
    } else if (!d.shiftHeld) {
        deselectVertices(m);
    }
    if (!drag) return;
    startPointDrag(ed);
    findMovingWallsByVertices(m);
}

void clickSelectSector(Editor& ed) {
    MapStore& m = ed.map;
    const DispatchState& d = ed.dispatch;
    const int32_t s = ed.hover.hoveredSector;
    const bool kindMoves = ed.tool.dragKind != DragKind::Free;
    bool drag = false;
    if (d.ctrlHeld && m.selectedSectorCount > 0) {
        drag = kindMoves;
    } else if (isSector(m, s) && m.sectorSelected[s]) {
        if (d.shiftHeld)
            pick(m.sectorSelected[s], m.selectedSectorCount, true);
        else
            drag = kindMoves;
    } else if (isSector(m, s)) {
        if (!d.shiftHeld) {
            deselectSectors(m);
            deselectSprites(m);
            drag = true;
        }
        pick(m.sectorSelected[s], m.selectedSectorCount, false);
    } else if (!d.shiftHeld) {
        deselectSectors(m);
        deselectSprites(m);
    }
    if (!drag) return;
    startPointDrag(ed);
    ed.tool.draggedSprite = kAllWallsMarked;
    ed.drag.spriteDragStartX = ed.hover.hitPointX;
    ed.drag.spriteDragStartY = ed.hover.hitPointY;
    markSelectedSectors(ed);
}

void clickSelectSprite(Editor& ed) {
    MapStore& m = ed.map;
    const DispatchState& d = ed.dispatch;
    const int32_t k = ed.hover.hoveredSprite;
    if (d.ctrlHeld && m.selectedSpriteCount > 0) {
        startSpriteSelectionDrag(ed);
    } else if (isSprite(m, k) && m.spriteSelected[k]) {
        if (d.shiftHeld)
            pick(m.spriteSelected[k], m.selectedSpriteCount, true);
        else
            startSpriteSelectionDrag(ed);
    } else if (isSprite(m, k)) {
        if (!d.shiftHeld) {
            deselectSprites(m);
            startSpriteSelectionDrag(ed);
        }
        pick(m.spriteSelected[k], m.selectedSpriteCount, false);
    } else if (!d.shiftHeld) {
        deselectSprites(m);
    }
}

void beginDragHovered(Editor& ed) {
    MapStore& m = ed.map;
    const DispatchState& d = ed.dispatch;
    const HoverState& h = ed.hover;
    const int32_t v = isWall(m, h.hoveredVertex) ? h.hoveredVertex : -1;
    const int32_t k = isSprite(m, h.hoveredSprite) ? h.hoveredSprite : -1;
    if (m.selectedSpriteCount > 0 || m.selectedVertexCount > 0) {
        if (v < 0 && k < 0 && !d.shiftHeld && !d.ctrlHeld) {
            deselectSprites(m);
            deselectVertices(m);
        }
        const bool onSelected = (v >= 0 && m.vertexSelected[v]) || (k >= 0 && m.spriteSelected[k]);
        if (!onSelected && !d.ctrlHeld) return;
        if (ed.tool.dragKind == DragKind::Free) return;
        startSpriteSelectionDrag(ed);
        snapshotForDrag(ed);
        startPointDrag(ed);
        findMovingWallsByVertices(m);
        return;
    }
    if (k >= 0 && h.hoverSpriteDistance <= h.hoverVertexDistance) {
        ed.drag.spriteDragStartX = m.sprites[k].x;
        ed.drag.spriteDragStartY = m.sprites[k].y;
        ed.tool.draggedSprite = k;
        snapshotForDrag(ed);
        return;
    }
    if (v < 0) return;
    const std::vector<int32_t> walls = wallsAtVertex(m, v);
    ed.drag.dragStartX = ed.drag.lastDragTargetX = m.walls[v].x;
    ed.drag.dragStartY = ed.drag.lastDragTargetY = m.walls[v].y;
    for (size_t i = 0; i < walls.size(); ++i) m.wallMoveState[i] = int16_t(walls[i]);
    m.movedWallCount = int32_t(walls.size());
    snapshotForDrag(ed);
}

void clickSelectSideView(Editor& ed) {
    MapStore& m = ed.map;
    const DispatchState& d = ed.dispatch;
    const HoverState& h = ed.hover;
    const SelectionMode mode = ed.tool.selectionMode;
    const DragKind kind = ed.tool.dragKind;
    const int32_t k = isSprite(m, h.hoveredSprite) ? h.hoveredSprite : -1;
    const int32_t s = isSector(m, h.hoveredSector) ? h.hoveredSector : -1;
    auto spriteDrag = [&] {
        if (kind != DragKind::Move) return;
        ed.drag.spriteDragStartX = h.sideHitPos;
        ed.drag.spriteDragStartY = h.hitPointZ;
        ed.drag.spriteDragLastX = h.hitPointX;
        ed.drag.spriteDragLastY = h.hitPointY;
        ed.tool.draggedSprite = kAllWallsMarked;
    };
    auto sectorDrag = [&] {
        if (kind == DragKind::Move) {
            ed.drag.dragStartY = h.hitPointZ;
            m.movedWallCount = kAllWallsMarked;
        }
        if (kind == DragKind::Free) return;
        if (kind == DragKind::Move) {
            ed.drag.spriteDragStartY = h.hitPointZ;
        } else {
            ed.drag.spriteDragStartX = h.hitPointX;
            ed.drag.spriteDragStartY = h.hitPointY;
        }
        const int32_t count = m.movedWallCount;
        markSelectedSectors(ed);
        m.movedWallCount = count;
    };
    if (!d.shiftHeld && !d.ctrlHeld) {
        if (k < 0) deselectSprites(m);
        if (s < 0) deselectSectors(m);
    }
    if (k >= 0 && mode != SelectionMode::Sectors) {
        if (m.spriteSelected[k]) {
            if (d.shiftHeld)
                pick(m.spriteSelected[k], m.selectedSpriteCount, true);
            else
                spriteDrag();
        } else if (mode == SelectionMode::Sprites) {
            if (!d.shiftHeld && !d.ctrlHeld) {
                deselectSprites(m);
                spriteDrag();
            }
            pick(m.spriteSelected[k], m.selectedSpriteCount, false);
        } else {
            const ViewState& v = ed.view;
            const SpriteRecord& r = m.sprites[k];
            const double along = (distSingle(v.sideViewX1, v.sideViewY1, r.x, r.y) +
                                  distSingle(v.sideViewX1, v.sideViewY1, v.sideViewX2, v.sideViewY2) -
                                  distSingle(v.sideViewX2, v.sideViewY2, r.x, r.y)) /
                                 2;
            ed.drag.spriteDragStartX = clampedFloor(std::nearbyint(along));
            ed.drag.spriteDragStartY = r.z;
            ed.tool.draggedSprite = k;
            snapshotForDrag(ed);
        }
    } else if (s >= 0) {
        if (m.sectorSelected[s]) {
            sectorDrag();
        } else if (mode == SelectionMode::Sectors) {
            if (!d.shiftHeld && !d.ctrlHeld) deselectSectors(m);
            pick(m.sectorSelected[s], m.selectedSectorCount, false);
            if (!d.shiftHeld) sectorDrag();
        }
    }
    if (d.ctrlHeld) {
        if (m.selectedSpriteCount > 0)
            spriteDrag();
        else if (m.selectedSectorCount > 0)
            sectorDrag();
    }
}

}  // namespace korvel
