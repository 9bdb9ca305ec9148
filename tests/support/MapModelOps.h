// The map model's editing operations driven by numbers: random sequence tests and the fuzz
// target pick an operation and its arguments from a generator or from bytes. Edits go through
// the same frame a command gives them: undo snapshot first, then the operation, then the map
// marked modified.
#pragma once

#include <cstdint>
#include <string>

#include "base/Mainm.h"
#include "geometry/ClipboardPaste.h"
#include "geometry/SectorDeletion.h"
#include "geometry/SpritePrimitives.h"
#include "geometry/SpriteTools.h"
#include "geometry/WallLinks.h"
#include "geometry/WallMarks.h"
#include "geometry/WallPrimitives.h"
#include "map/MapClipboard.h"
#include "map/MapStore.h"
#include "map/Selection.h"
#include "map/UndoSnapshot.h"
#include "support/RecordingMapEvents.h"

namespace korvel::test {

struct MapModel {
    MapStore map;
    UndoSnapshot undo;
    MapClipboard clip;
    ViewState view;
    RecordingMapEvents events;
};

enum class MapOp : uint8_t {
    SelectSector,
    SelectWall,
    SelectVertex,
    SelectSprite,
    DeselectAll,
    InvertSelection,
    InsertVertex,
    DeleteWall,
    DeleteWallSng,
    DeleteVertex,
    CreateSprite,
    DeleteSprite,
    DeleteSector,
    DeleteSectorWos,
    DeleteLoop,
    MoveSector,
    SetFirstWall,
    MakeSelectedWallsFirst,
    Copy,
    Paste,
    PasteInPlace,
    Swap,
    LinkRepair,
    CheckWallPointer,
    MergeVertices,
    Undo,
    Count
};

// Whether the operation is an edit that a command brackets with an undo snapshot.
inline bool isEdit(MapOp op) {
    switch (op) {
        case MapOp::SelectSector:
        case MapOp::SelectWall:
        case MapOp::SelectVertex:
        case MapOp::SelectSprite:
        case MapOp::DeselectAll:
        case MapOp::InvertSelection:
        case MapOp::Copy:
        case MapOp::Swap:
        case MapOp::Undo:
            return false;
        default:
            return true;
    }
}

// An index from a raw number: within 0 .. count - 1 when `exact`, otherwise any value a damaged
// record or a careless caller could give (negative, at the count, far beyond it).
inline int32_t pickIndex(uint32_t raw, int32_t count, bool exact) {
    if (exact) return count > 0 ? int32_t(raw % uint32_t(count)) : 0;
    switch (raw % 8) {
        case 0:
            return -1 - int32_t((raw >> 3) % 40000);
        case 1:
            return count;
        case 2:
            return count + int32_t((raw >> 3) % 40000);
        default:
            return count > 0 ? int32_t((raw >> 3) % uint32_t(count)) : int32_t(raw >> 3) % 8;
    }
}

inline const char* mapOpName(MapOp op) {
    static const char* const names[] = {"SelectSector",  "SelectWall",
                                        "SelectVertex",  "SelectSprite",
                                        "DeselectAll",   "InvertSelection",
                                        "InsertVertex",  "DeleteWall",
                                        "DeleteWallSng", "DeleteVertex",
                                        "CreateSprite",  "DeleteSprite",
                                        "DeleteSector",  "DeleteSectorWos",
                                        "DeleteLoop",    "MoveSector",
                                        "SetFirstWall",  "MakeSelectedWallsFirst",
                                        "Copy",          "Paste",
                                        "PasteInPlace",  "Swap",
                                        "LinkRepair",    "CheckWallPointer",
                                        "MergeVertices", "Undo"};
    return uint8_t(op) < uint8_t(MapOp::Count) ? names[uint8_t(op)] : "?";
}

namespace detail {

template <typename Flags>
void toggle(Flags& flags, int32_t i, int32_t& count) {
    if (flags[i]) {
        flags[i] = 0;
        --count;
    } else {
        flags[i] = 1;
        ++count;
    }
}

}  // namespace detail

// Runs one operation, with indices from the raw numbers. Edits are not bracketed here.
inline void applyMapOp(MapModel& m, MapOp op, uint32_t a, uint32_t b, uint32_t c,
                       bool exactIndices) {
    MapStore& map = m.map;
    auto wall = [&](uint32_t raw) { return pickIndex(raw, map.wallCount, exactIndices); };
    auto sector = [&](uint32_t raw) { return pickIndex(raw, map.sectorCount, exactIndices); };
    auto sprite = [&](uint32_t raw) { return pickIndex(raw, map.spriteCount, exactIndices); };
    // A point near the map: mostly on a wall, sometimes anywhere in a small area.
    auto pointOn = [&](int32_t w, uint32_t raw) -> IntPoint {
        if (!isWall(map, w) || raw % 4 == 0)
            return {int32_t(raw % 2000) - 500, int32_t(b % 2000) - 500};
        const WallRecord& s = map.walls[w];
        const WallRecord& e = map.walls[clampWall(map, s.point2)];
        const int64_t t = raw % 97 + 1;
        return {int32_t(s.x + (int64_t(e.x) - s.x) * t / 98),
                int32_t(s.y + (int64_t(e.y) - s.y) * t / 98)};
    };
    switch (op) {
        case MapOp::SelectSector: {
            const int32_t s = pickIndex(a, map.sectorCount, true);
            if (isSector(map, s)) detail::toggle(map.sectorSelected, s, map.selectedSectorCount);
            break;
        }
        case MapOp::SelectWall: {
            const int32_t w = pickIndex(a, map.wallCount, true);
            if (isWall(map, w)) detail::toggle(map.wallSelected, w, map.selectedWallCount);
            break;
        }
        case MapOp::SelectVertex: {
            const int32_t w = pickIndex(a, map.wallCount, true);
            if (isWall(map, w)) detail::toggle(map.vertexSelected, w, map.selectedVertexCount);
            break;
        }
        case MapOp::SelectSprite: {
            const int32_t k = pickIndex(a, map.spriteCount, true);
            if (isSprite(map, k)) detail::toggle(map.spriteSelected, k, map.selectedSpriteCount);
            break;
        }
        case MapOp::DeselectAll:
            deselectSectors(map);
            deselectWalls(map);
            deselectVertices(map);
            deselectSprites(map);
            break;
        case MapOp::InvertSelection:
            invertSelection(map, SelectionMode(a % 8), m.events);
            break;
        case MapOp::InsertVertex: {
            const int32_t w = wall(a);
            const IntPoint p = pointOn(w, b);
            insertVertex(map, m.view, m.events, w, p.x, p.y, c % 2 == 0);
            break;
        }
        case MapOp::DeleteWall:
            deleteWall(map, m.view, m.events, wall(a), b % 3 == 0);
            break;
        case MapOp::DeleteWallSng:
            deleteWallSng(map, m.view, m.events, wall(a));
            break;
        case MapOp::DeleteVertex:
            deleteVertex(map, m.view, m.events, wall(a));
            break;
        case MapOp::CreateSprite: {
            const IntPoint p = pointOn(wall(a), b);
            createSprite(map, m.events, wrap32(int64_t(p.x) + c % 7 - 3),
                         wrap32(int64_t(p.y) + c % 5 - 2), c % 2 == 0);
            break;
        }
        case MapOp::DeleteSprite:
            deleteSprite(map, m.view, m.events, sprite(a));
            break;
        case MapOp::DeleteSector:
            deleteSector(map, m.view, m.events, sector(a));
            break;
        case MapOp::DeleteSectorWos:
            deleteSectorWos(map, m.view, m.events, sector(a));
            break;
        case MapOp::DeleteLoop:
            deleteLoop(map, m.view, m.events, wall(a));
            break;
        case MapOp::MoveSector:
            moveSectorSp(map, m.events, sector(a), sector(b));
            break;
        case MapOp::SetFirstWall: {
            const int32_t w = wall(a);
            const int32_t s = exactIndices ? sectorOfWall(map, w) : sector(b);
            setSectorFirstWall(map, m.view, m.events, s, w);
            break;
        }
        case MapOp::MakeSelectedWallsFirst:
            makeSelectedWallsFirst(map, m.view, m.events);
            break;
        case MapOp::Copy:
            clearClipboard(m.clip);
            if (map.selectedSectorCount > 0) {
                for (int32_t s = 0; s < map.sectorCount; ++s)
                    if (map.sectorSelected[s])
                        copySectorToClipboard(m.clip, map, m.events, s, true);
            } else {
                for (int32_t k = 0; k < map.spriteCount; ++k)
                    if (map.spriteSelected[k]) copySpriteToClipboard(m.clip, map, m.events, k);
            }
            if (a % 4 == 0) copySectorToClipboard(m.clip, map, m.events, sector(b), c % 2 == 0);
            balanceClipboard(m.clip);
            break;
        case MapOp::Paste:
            pasteClipboard(map, m.clip, m.view, m.events, int32_t(a % 3000) - 1000,
                           int32_t(b % 3000) - 1000);
            break;
        case MapOp::PasteInPlace:
            pasteClipboardInPlace(map, m.clip, m.view, m.events);
            break;
        case MapOp::Swap:
            swapClipboard(map, m.clip);
            break;
        case MapOp::LinkRepair:
            updateWallSectnums(map);
            repairWallLinks(map, m.view, m.events);
            break;
        case MapOp::CheckWallPointer:
            checkWallPointer(map, m.view, m.events, wall(a), b % 2 == 0, c % 2 == 0);
            break;
        case MapOp::MergeVertices: {
            // A vertex dragged onto the next one, as the drag commit finishes it: the walls at
            // the vertex move, then each marked wall is repaired from the last index down,
            // which removes the wall that lost its length.
            const int32_t w = wall(a);
            if (!isWall(map, w) || !isWall(map, map.walls[w].point2)) break;
            const WallRecord target = map.walls[map.walls[w].point2];
            findMovWalls(map, w);
            for (int32_t i = 0; i < map.wallCount; ++i)
                if (map.wallMoveState[i] & int16_t(WallMoveState::StartPoint)) {
                    map.walls[i].x = target.x;
                    map.walls[i].y = target.y;
                }
            for (int32_t i = map.wallCount - 1; i >= 0; --i) {
                if (i >= map.wallCount) i = map.wallCount - 1;
                if (i < 0) break;
                if (map.wallMoveState[i] != 0)
                    checkWallPointer(map, m.view, m.events, i, false, false);
            }
            map.movedWallCount = 0;
            break;
        }
        case MapOp::Undo:
            restoreUndo(map, m.undo, m.clip, SelectionMode(a % 8), m.events);
            break;
        case MapOp::Count:
            break;
    }
}

// As a command runs it: an edit takes the undo snapshot first and marks the map modified after.
inline void runCommand(MapModel& m, MapOp op, uint32_t a, uint32_t b, uint32_t c,
                       bool exactIndices) {
    if (isEdit(op)) saveUndo(m.map, m.undo);
    applyMapOp(m, op, a, b, c, exactIndices);
    if (isEdit(op)) m.map.mapModified = MapModifiedState::Modified;
}

}  // namespace korvel::test
