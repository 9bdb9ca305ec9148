#include "commands/SelectionCommands.h"

#include "app/Editor.h"
#include "geometry/SkyAndSpriteTools.h"
#include "map/MapEdit.h"

namespace korvel {

// Selection conversion arrives with its own change; until then the selection stays as it is.
void convertSelection(Editor&) {}

// These commands arrive with their own change; until then their keys do nothing.
void selectAll(Editor&) {}
void invertSelectionCommand(Editor&) {}
void deselectAllCommand(Editor&) {}
void hideSectors(Editor&) {}
void unhideAllSectors(Editor&) {}
void unhideAllSprites(Editor&) {}
void deleteSelected(Editor&) {}
void deleteSectorsCommand(Editor&) {}
void insertVertexCommand(Editor&) {}
void cloneSelectionCommand(Editor&) {}
void insertSprite(Editor&) {}

void selectConnectedSkyCommand(Editor& ed) {
    skySelect(ed.map, ed.hover.hoveredSector);
}

void levelSkyCeilingsCommand(Editor& ed) {
    if (ed.map.selectedSectorCount <= 0) return;
    MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
    equalizeCeilingHeights(ed.map);
    edit.commit();
    ed.events.playCue("command");
}

}  // namespace korvel
