#include "commands/ToolCommands.h"

#include "app/Editor.h"
#include "editing/DrawingTool.h"

namespace korvel {

void toggleSpriteCentreOrBendWall(Editor& ed) {
    if (ed.tool.currentTool == Tool::DrawPolygon) closeDrawnPolygon(ed);
}

// These commands arrive with their own change; until then their keys do nothing.
void placeStartPosition(Editor&) {}
void toggleWallSegmentTool(Editor&) {}
void toggleAffineGridTool(Editor&) {}
void hideSpritesOrIntersect(Editor&) {}
void joinSectorsCommand(Editor&) {}
void subtractSectorsTool(Editor&) {}
void dropPointOrToggleCeilView(Editor&) {}
void alignSpriteCommand(Editor&) {}
void fillLoopWithSector(Editor&) {}
void setFirstWallCommand(Editor&) {}
void pasteAttributesAroundLoop(Editor&) {}
void alignWallTextureCommand(Editor&) {}

}  // namespace korvel
