#include "map/UndoSnapshot.h"

namespace korvel {

void saveUndo(MapStore& map, UndoSnapshot& undo) {
    undo.undoSectors = map.sectors;
    undo.undoWalls = map.walls;
    undo.undoSprites = map.sprites;
    undo.undoSectorCount = map.sectorCount;
    undo.undoWallCount = map.wallCount;
    undo.undoSpriteCount = map.spriteCount;
    noteRecordExtent(map);
    undo.undoRecordExtent = map.recordExtent;
    undo.undoSectorSelected = map.sectorSelected;
    undo.undoWallSelected = map.wallSelected;
    undo.undoSpriteSelected = map.spriteSelected;
    undo.undoVertexSelected = map.vertexSelected;
    undo.undoSectorIgnored = map.sectorIgnored;
    undo.undoWallIgnored = map.wallIgnored;
    undo.undoSpriteIgnored = map.spriteIgnored;
    undo.undoSelectedSectorCount = map.selectedSectorCount;
    undo.undoSelectedWallCount = map.selectedWallCount;
    undo.undoSelectedSpriteCount = map.selectedSpriteCount;
    undo.undoSelectedVertexCount = map.selectedVertexCount;
    undo.undoSelectedLoopWallCount = map.selectedLoopCount;
    undo.undoModified = map.mapModified;
    map.undoState = UndoState::Snapshot;
}

void restoreUndo(MapStore& map, const UndoSnapshot& undo, MapClipboard& clip,
                 SelectionMode selectionMode, MapEvents& events) {
    if (map.undoState == UndoState::Nothing) return;
    if (map.undoState == UndoState::SwapBack) {
        swapClipboard(map, clip);
        map.undoState = UndoState::Nothing;
        return;
    }
    map.sectorCount = undo.undoSectorCount;
    map.wallCount = undo.undoWallCount;
    map.spriteCount = undo.undoSpriteCount;
    map.sectors = undo.undoSectors;
    map.walls = undo.undoWalls;
    map.sprites = undo.undoSprites;
    map.recordExtent = undo.undoRecordExtent;
    map.sectorSelected = undo.undoSectorSelected;
    map.wallSelected = undo.undoWallSelected;
    map.spriteSelected = undo.undoSpriteSelected;
    map.vertexSelected = undo.undoVertexSelected;
    map.sectorIgnored = undo.undoSectorIgnored;
    map.wallIgnored = undo.undoWallIgnored;
    map.spriteIgnored = undo.undoSpriteIgnored;
    map.selectedSectorCount = undo.undoSelectedSectorCount;
    map.selectedWallCount = undo.undoSelectedWallCount;
    map.selectedSpriteCount = undo.undoSelectedSpriteCount;
    map.selectedVertexCount = undo.undoSelectedVertexCount;
    map.selectedLoopCount = undo.undoSelectedLoopWallCount;
    map.mapModified = map.mapModified == MapModifiedState::Unmodified ? MapModifiedState::Modified
                                                                      : undo.undoModified;
    if (selectionMode == SelectionMode::BooleanTarget && map.selectedSectorCount > 0)
        map.booleanTargetSector = getFirstSelectedSector(map);
    // The drag marks and pass marks named walls of the undone map.
    map.movedWallCount = 0;
    map.wallPassMark.fill(0);
    updateWallSectnums(map);
    events.undoRestored();
    map.undoState = UndoState::Nothing;
    map.spriteStacksValid = 0;
}

}  // namespace korvel
