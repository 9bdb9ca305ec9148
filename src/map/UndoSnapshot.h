// One level of undo: a copy of the whole map store with its selection and hidden state, taken
// by a command before it changes the map. After a clipboard swap, undo swaps back instead.
#pragma once

#include <cstdint>

#include "base/FixedArray.h"
#include "map/MapClipboard.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"
#include "map/Selection.h"

namespace korvel {

struct UndoSnapshot {
    FixedArray<SectorRecord, kMaxSectors> undoSectors;
    int32_t undoSectorCount = 0;
    FixedArray<WallRecord, kMaxWalls> undoWalls;
    int32_t undoWallCount = 0;
    FixedArray<SpriteRecord, kMaxSprites> undoSprites;
    int32_t undoSpriteCount = 0;
    RecordExtent undoRecordExtent;  // of the arrays as copied
    FixedArray<uint8_t, kMaxSectors> undoSectorSelected;
    FixedArray<uint8_t, kMaxWalls> undoWallSelected;
    FixedArray<uint8_t, kMaxSprites> undoSpriteSelected;
    FixedArray<uint8_t, kMaxWalls> undoVertexSelected;
    FixedArray<uint8_t, kMaxSectors> undoSectorIgnored;
    FixedArray<uint8_t, kMaxWalls> undoWallIgnored;
    FixedArray<uint8_t, kMaxSprites> undoSpriteIgnored;
    int32_t undoSelectedSectorCount = 0;
    int32_t undoSelectedWallCount = 0;
    int32_t undoSelectedSpriteCount = 0;
    int32_t undoSelectedVertexCount = 0;
    int32_t undoSelectedLoopWallCount = 0;
    MapModifiedState undoModified = MapModifiedState::Unmodified;
};

// Copies the map into the snapshot; undo is then offered (undoState Snapshot).
void saveUndo(MapStore& map, UndoSnapshot& undo);

// Undoes the last change: swaps the clipboard back after a swap, else puts the snapshot in
// place. The map's modified state follows what was saved since. Nothing to undo: nothing done.
void restoreUndo(MapStore& map, const UndoSnapshot& undo, MapClipboard& clip,
                 SelectionMode selectionMode, MapEvents& events);

}  // namespace korvel
