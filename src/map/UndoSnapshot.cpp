#include "map/UndoSnapshot.h"

namespace korvel {

void saveUndo(MapStore& map, UndoSnapshot& undo) {
    noteRecordExtent(map);
    undo.spare() = map;
    undo.held = 1 - undo.held;
    map.undoState = UndoState::Snapshot;
}

void restoreUndo(MapStore& map, UndoSnapshot& undo, MapClipboard& clip, SelectionMode selectionMode,
                 MapEvents& events) {
    if (map.undoState == UndoState::Nothing) return;
    if (map.undoState == UndoState::SwapBack) {
        swapClipboard(map, clip);
        map.mapModified = MapModifiedState::Modified;
        map.undoState = UndoState::Nothing;
        return;
    }
    MapContent& held = undo.snapshot();
    // Undo is offered once, so the snapshot's storage can simply change places with the map's.
    forEachObjectTable([&](auto table, TableRole role, const char*) {
        if (role == TableRole::Records || role == TableRole::Flags) swap(map.*table, held.*table);
    });
    map.sectorCount = held.sectorCount;
    map.wallCount = held.wallCount;
    map.spriteCount = held.spriteCount;
    map.recordExtent = held.recordExtent;
    map.selectedSectorCount = held.selectedSectorCount;
    map.selectedWallCount = held.selectedWallCount;
    map.selectedSpriteCount = held.selectedSpriteCount;
    map.selectedVertexCount = held.selectedVertexCount;
    map.selectedLoopCount = held.selectedLoopCount;
    map.mapModified = map.mapModified == MapModifiedState::Unmodified ? MapModifiedState::Modified
                                                                      : held.mapModified;
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
