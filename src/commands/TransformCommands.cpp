#include "commands/TransformCommands.h"

#include <cstdint>

#include "app/Editor.h"
#include "geometry/TransformTools.h"
#include "map/MapEdit.h"

namespace korvel {

namespace {

void flipSelection(Editor& ed, uint8_t axis) {
    MapStore& map = ed.map;
    MapEdit edit(map, ed.undo, ed.events, EditUndo::Snapshot);
    if (map.selectedSectorCount > 0)
        flipSelSectors(map, edit.events(), axis);
    else if (map.selectedSpriteCount > 0)
        flipSelSprites(map, axis);
    else
        flipSelVertices(map, edit.events(), axis);
    edit.commit();
}

}  // namespace

void flipSelectionX(Editor& ed) {
    flipSelection(ed, 0);
}

void flipSelectionY(Editor& ed) {
    flipSelection(ed, 1);
}

void mirrorSelectionByZ(Editor& ed) {
    MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
    mirrorSelByZ(ed.map, ed.tiles.tileHeights);
    edit.commit();
}

}  // namespace korvel
