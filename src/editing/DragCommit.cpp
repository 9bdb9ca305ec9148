#include "editing/DragCommit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "app/Editor.h"
#include "geometry/DragMath.h"
#include "geometry/MovedWallRepair.h"
#include "geometry/SpritePrimitives.h"
#include "geometry/SpriteTools.h"
#include "geometry/WallLinks.h"
#include "geometry/WallTexture.h"
#include "map/MapEdit.h"
#include "map/SectorSearch.h"

namespace korvel {

namespace {

constexpr int16_t kStartMoves = int16_t(WallMoveState::StartPoint);
constexpr int16_t kBothMove = int16_t(WallMoveState::BothPoints);

int32_t clampSum(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, -2147483647, 2147483647));
}

bool startMoves(const MapStore& m, int32_t w) {
    const int16_t mark = m.wallMoveState[w];
    return mark == kStartMoves || mark == kBothMove;
}

// A sector moves in height with the drag when its first wall's start point moves.
bool sectorMarked(const MapStore& m, int32_t s) {
    if (!isSector(m, s)) return false;
    const int32_t first = m.sectors[s].wallptr;
    return isWall(m, first) && startMoves(m, first);
}

// Squares and relinks every wall the drag touched, from the last one down (a marked selection)
// or in list order (the walls at one dragged vertex). Relinking may remove walls of no length,
// so indices are checked against the wall count as it shrinks.
void repairMovedWalls(Editor& ed, MapEvents& events) {
    MapStore& m = ed.map;
    auto repair = [&](int32_t w) {
        if (ed.settings.autoWallSquare) squareWallTexture(m, w);
        checkWallPointer(m, events, w, false, false);
    };
    if (m.movedWallCount == kAllWallsMarked) {
        relinkMovedWalls(m, events, [&](int32_t w) {
            if (ed.settings.autoWallSquare) squareWallTexture(m, w);
        });
        return;
    }
    const int32_t n = std::min(m.movedWallCount, kMaxWalls);
    for (int32_t k = 0; k < n; ++k) {
        const int32_t w = m.wallMoveState[k];
        if (isWall(m, w)) repair(w);
    }
}

// The height centre of the selected sectors: halfway between their lowest and highest height.
std::optional<int32_t> selectedSectorsHeightCentre(const MapStore& m) {
    std::optional<int64_t> lo, hi;
    for (int32_t s = 0; s < m.sectorCount; ++s) {
        if (!m.sectorSelected[s]) continue;
        for (const int32_t z : {m.sectors[s].ceilingz, m.sectors[s].floorz}) {
            lo = lo ? std::min<int64_t>(*lo, z) : z;
            hi = hi ? std::max<int64_t>(*hi, z) : z;
        }
    }
    if (!lo) return std::nullopt;
    return int32_t((*lo + *hi) / 2);
}

struct Motion {
    IntPoint hit;
    int32_t hitZ;
    int32_t dy;  // pixels the pointer went up since the drag started
    bool shift;
    bool sideView;
};

// A factor of 0 would pile every point onto the centre and leave walls of no length for the
// repair to remove: such a release commits nothing.
bool scalesSomething(const Motion& mo) {
    return mo.dy != 0 && dragScaleFactor(mo.dy, mo.shift) != 0;
}

// Whether the whole-selection wall drag moves anything.
bool wallSelectionMoves(const Editor& ed, const Motion& mo) {
    const DragState& d = ed.drag;
    switch (ed.tool.dragKind) {
        case DragKind::Move:
            return mo.sideView ? mo.hitZ != d.dragStartY : mo.hit != vertexDragCentre(d);
        case DragKind::Rotate:
            return mo.dy != 0;
        case DragKind::Scale:
            return scalesSomething(mo);
        case DragKind::Free:
            break;
    }
    return false;
}

void commitWallSelection(Editor& ed, const Motion& mo, MapEvents& events) {
    MapStore& m = ed.map;
    const DragState& d = ed.drag;
    const IntPoint centre = vertexDragCentre(d);
    const DragKind kind = ed.tool.dragKind;
    if (kind == DragKind::Move && mo.sideView) {
        const int64_t dz = int64_t(mo.hitZ) - d.dragStartY;
        for (int32_t s = 0; s < m.sectorCount; ++s) {
            if (!sectorMarked(m, s)) continue;
            m.sectors[s].floorz = clampSum(m.sectors[s].floorz + dz);
            m.sectors[s].ceilingz = clampSum(m.sectors[s].ceilingz + dz);
        }
        repairMovedWalls(ed, events);
        for (int32_t k = 0; k < m.spriteCount; ++k)
            if (sectorMarked(m, m.sprites[k].sectnum))
                m.sprites[k].z = clampSum(m.sprites[k].z + dz);
        return;
    }
    const DragOffset offset = dragMoveOffset(mo.hit, centre, mo.shift);
    const int32_t theta = dragTurnAngle(mo.dy, mo.shift);
    const double factor = dragScaleFactor(mo.dy, mo.shift);
    for (int32_t w = 0; w < m.wallCount; ++w) {
        if (!startMoves(m, w)) continue;
        const IntPoint p{m.walls[w].x, m.walls[w].y};
        IntPoint q = p;
        if (kind == DragKind::Move) q = shiftPoint(p, offset);
        if (kind == DragKind::Rotate) q = turnPointCommit(centre, p, theta);
        if (kind == DragKind::Scale) q = scalePoint(centre, p, factor);
        m.walls[w].x = q.x;
        m.walls[w].y = q.y;
    }
    if (kind == DragKind::Scale) {
        if (const auto c = selectedSectorsHeightCentre(m)) {
            for (int32_t s = 0; s < m.sectorCount; ++s) {
                if (!m.sectorSelected[s]) continue;
                m.sectors[s].ceilingz = scaleCoordinate(*c, m.sectors[s].ceilingz, factor);
                m.sectors[s].floorz = scaleCoordinate(*c, m.sectors[s].floorz, factor);
            }
        }
    }
    repairMovedWalls(ed, events);
    if (kind == DragKind::Move && m.selectedSectorCount > 0 && ed.settings.autoTextureMove &&
        ed.operations.shiftSectorTile) {
        const int32_t dx = clampSum(offset.x), dy = clampSum(offset.y);
        for (int32_t s = 0; s < m.sectorCount; ++s) {
            if (!m.sectorSelected[s]) continue;
            ed.operations.shiftSectorTile(ed, s, 0, dx, dy);
            ed.operations.shiftSectorTile(ed, s, -1, dx, dy);
        }
    }
}

// Whether the whole sprite selection moves.
bool spriteSelectionMoves(const Editor& ed, const Motion& mo) {
    const DragState& d = ed.drag;
    switch (ed.tool.dragKind) {
        case DragKind::Move:
            if (mo.sideView)
                return mo.hit != IntPoint{d.spriteDragLastX, d.spriteDragLastY} ||
                       mo.hitZ != d.spriteDragStartY;
            return mo.hit != spriteDragCentre(d);
        case DragKind::Rotate:
            return mo.dy != 0;
        case DragKind::Scale:
            return scalesSomething(mo);
        case DragKind::Free:
            break;
    }
    return false;
}

// Markers whose lotag is none of these keep their angle when the selection turns.
bool keepsAngleOnTurn(const SpriteRecord& r) {
    if (r.picnum != 1) return false;
    for (const int16_t tag : {7, 15, 20, 23, 24, 30, 36})
        if (r.lotag == tag) return false;
    return true;
}

int16_t wrapAngle(int32_t a) {
    return int16_t(((a % 2048) + 2048) % 2048);
}

uint8_t scaledRepeat(uint8_t r, double f) {
    return uint8_t(std::min<int64_t>(255, std::llabs(clampedFloor(r * f))));
}

void commitSpriteSelection(Editor& ed, const Motion& mo) {
    MapStore& m = ed.map;
    const DragState& d = ed.drag;
    const IntPoint start = spriteDragCentre(d);
    const DragKind kind = ed.tool.dragKind;
    const double f = dragScaleFactor(mo.dy, mo.shift);
    const int32_t theta = dragTurnAngle(mo.dy, mo.shift);
    DragOffset offset = dragMoveOffset(mo.hit, start, mo.shift);
    int64_t dz = 0;
    if (kind == DragKind::Move && mo.sideView) {
        offset = {int64_t(mo.hit.x) - d.spriteDragLastX, int64_t(mo.hit.y) - d.spriteDragLastY};
        dz = int64_t(mo.hitZ) - d.spriteDragStartY;
    }
    int32_t zCentre = 0;
    if (kind == DragKind::Scale) {
        if (const auto c = selectedSectorsHeightCentre(m)) {
            zCentre = *c;
        } else {
            std::optional<int64_t> lo, hi;
            for (int32_t k = 0; k < m.spriteCount; ++k) {
                if (!m.spriteSelected[k]) continue;
                const int32_t z = m.sprites[k].z;
                lo = lo ? std::min<int64_t>(*lo, z) : z;
                hi = hi ? std::max<int64_t>(*hi, z) : z;
            }
            if (lo) zCentre = int32_t((*lo + *hi) / 2);
        }
    }
    // The walls are where they will stay, so one search serves every sprite's new sector.
    std::optional<SectorSearch> search;
    for (int32_t k = 0; k < m.spriteCount; ++k) {
        if (!m.spriteSelected[k]) continue;
        if (!search) search.emplace(m);
        SpriteRecord& r = m.sprites[k];
        const IntPoint p{r.x, r.y};
        IntPoint q = p;
        if (kind == DragKind::Move) {
            q = shiftPoint(p, offset);
            r.z = clampSum(r.z + dz);
        } else if (kind == DragKind::Rotate) {
            q = turnPointCommit(start, p, theta);
            if (!keepsAngleOnTurn(r)) r.ang = wrapAngle(r.ang + theta / 32);
        } else {
            q = {clampedFloor(start.x + std::floor((double(p.x) - start.x) * f)),
                 clampedFloor(start.y + std::floor((double(p.y) - start.y) * f))};
            r.z = clampedFloor(zCentre + std::floor((double(r.z) - zCentre) * f));
            if (f < 0) {
                r.cstat ^= 12;
                r.ang = wrapAngle(r.ang + 1024);
            }
            r.xrepeat = scaledRepeat(r.xrepeat, f);
            r.yrepeat = scaledRepeat(r.yrepeat, f);
        }
        r.x = q.x;
        r.y = q.y;
        updateSpriteSectnum(m, *search, k);
    }
    m.spriteStacksValid = 0;
}

// The one dragged sprite lands at the hit point (unless it already followed the pointer), and
// the stack counts at its old and new places are brought up to date.
void commitOneSprite(Editor& ed, const Motion& mo, int32_t k) {
    MapStore& m = ed.map;
    SpriteRecord& r = m.sprites[k];
    if (!ed.settings.realtimeUpdate) {
        r.x = mo.hit.x;
        r.y = mo.hit.y;
        if (mo.sideView) {
            r.z = mo.hitZ;
            const ViewState& v = ed.view;
            if (v.sideViewSubjectKind == SideViewSubjectKind::Wall)
                nudgeSpriteOffSectionLine(m, k, v.sideViewX1, v.sideViewY1, v.sideViewX2,
                                          v.sideViewY2);
        }
    }
    updateSpriteSectnum(m, k);
    if (!ed.settings.spriteNumbers) {
        m.spriteStacksValid = 0;
        return;
    }
    countStackedSprites(m, k);
    const IntPoint from = spriteDragCentre(ed.drag);
    for (int32_t i = 0; i < m.spriteCount; ++i) {
        if (m.sprites[i].x == from.x && m.sprites[i].y == from.y) {
            countStackedSprites(m, i);
            break;
        }
    }
}

void endDrag(Editor& ed) {
    if (ed.drag.sectorSpritesFlagged) deselectSprites(ed.map);
    ed.drag.sectorSpritesFlagged = 0;
    ed.tool.draggedSprite = -1;
    ed.map.movedWallCount = 0;
}

}  // namespace

void commitDrag(Editor& ed) {
    const Page page = ed.app.currentPage;
    if (page != Page::PlanView && page != Page::SideView) {
        endDrag(ed);
        return;
    }
    MapStore& m = ed.map;
    const Motion mo{{ed.hover.hitPointX, ed.hover.hitPointY},
                    ed.hover.hitPointZ,
                    dragVerticalMotion(ed.input.mouseY, ed.app.dragStartMouseY),
                    ed.dispatch.shiftHeld != 0,
                    page == Page::SideView};

    const bool wholeWalls = m.movedWallCount == kAllWallsMarked;
    const bool listWalls = m.movedWallCount > 0 && !wholeWalls;
    const bool wallsMove = wholeWalls && wallSelectionMoves(ed, mo);
    const int32_t sprite = ed.tool.draggedSprite;
    const bool wholeSprites = sprite == kAllWallsMarked;
    const bool oneSprite = !wholeSprites && isSprite(m, sprite);
    const bool spritesMove = wholeSprites && spriteSelectionMoves(ed, mo);

    if (wallsMove || spritesMove || listWalls || oneSprite) {
        // The list drag and the one sprite took their snapshot when they started.
        MapEdit edit(m, ed.undo, ed.events,
                     wallsMove || spritesMove ? EditUndo::Snapshot : EditUndo::None);
        if (listWalls) {
            if (!ed.settings.realtimeUpdate) {
                const int32_t n = std::min(m.movedWallCount, kMaxWalls);
                const IntPoint from = vertexDragCentre(ed.drag);
                for (int32_t k = 0; k < n; ++k) {
                    const int32_t w = m.wallMoveState[k];
                    if (!isWall(m, w) || m.walls[w].x != from.x || m.walls[w].y != from.y)
                        continue;
                    m.walls[w].x = mo.hit.x;
                    m.walls[w].y = mo.hit.y;
                }
            }
            repairMovedWalls(ed, edit.events());
        }
        if (wallsMove) commitWallSelection(ed, mo, edit.events());
        if (oneSprite) commitOneSprite(ed, mo, sprite);
        if (spritesMove) commitSpriteSelection(ed, mo);
        edit.commit();
    }
    endDrag(ed);
}

}  // namespace korvel
