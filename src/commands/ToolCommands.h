// Tool launchers and two-pick commands: the keys that start, drive or stop the plan editor's
// tools and run the operations on one or two picked objects.
#pragma once

namespace korvel {

struct Editor;

void placeStartPosition(Editor& ed);
void toggleWallSegmentTool(Editor& ed);
void runToolAction(Editor& ed);
void toggleAffineGridTool(Editor& ed);
void hideSpritesOrIntersect(Editor& ed);
void joinSectorsCommand(Editor& ed);
void subtractSectorsTool(Editor& ed);
void dropPointOrToggleCeilView(Editor& ed);
void alignSpriteCommand(Editor& ed);
void toggleSpriteCentreOrBendWall(Editor& ed);
void fillLoopWithSector(Editor& ed);
void setFirstWallCommand(Editor& ed);
void pasteAttributesAroundLoop(Editor& ed);
void alignWallTextureCommand(Editor& ed);

}  // namespace korvel
