#include "commands/ToolCommands.h"

namespace korvel {

// These commands arrive with their own change; until then their keys do nothing.
void placeStartPosition(Editor&) {}
void toggleWallSegmentTool(Editor&) {}
void runToolAction(Editor&) {}
void toggleAffineGridTool(Editor&) {}
void hideSpritesOrIntersect(Editor&) {}
void joinSectorsCommand(Editor&) {}
void subtractSectorsTool(Editor&) {}
void dropPointOrToggleCeilView(Editor&) {}
void alignSpriteCommand(Editor&) {}
void toggleSpriteCentreOrBendWall(Editor&) {}
void fillLoopWithSector(Editor&) {}
void setFirstWallCommand(Editor&) {}
void pasteAttributesAroundLoop(Editor&) {}
void alignWallTextureCommand(Editor&) {}

}  // namespace korvel
