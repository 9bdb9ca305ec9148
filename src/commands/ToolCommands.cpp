#include "commands/ToolCommands.h"

#include "app/Editor.h"
#include "editing/DrawingTool.h"
#include "geometry/SectorBooleans.h"
#include "map/MapEdit.h"

namespace korvel {

void toggleSpriteCentreOrBendWall(Editor& ed) {
    if (ed.tool.currentTool == Tool::DrawPolygon) closeDrawnPolygon(ed);
}

// These commands arrive with their own change; until then their keys do nothing.
void placeStartPosition(Editor&) {}
void toggleWallSegmentTool(Editor&) {}
void toggleAffineGridTool(Editor&) {}
void hideSpritesOrIntersect(Editor&) {}
// J with two or more sectors selected joins them; the two-pick form arrives with its own change.
void joinSectorsCommand(Editor& ed) {
    if (ed.tool.currentTool != Tool::Idle || ed.map.selectedSectorCount < 2) return;
    MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
    DrawingToolFeed feed(ed);
    if (edit.finish(joinSelectedSectors(ed.map, edit.events(), feed)))
        ed.events.playCue("command");
}
void subtractSectorsTool(Editor&) {}
void dropPointOrToggleCeilView(Editor&) {}
void alignSpriteCommand(Editor&) {}
void fillLoopWithSector(Editor&) {}
void setFirstWallCommand(Editor&) {}
void pasteAttributesAroundLoop(Editor&) {}
void alignWallTextureCommand(Editor&) {}

}  // namespace korvel
