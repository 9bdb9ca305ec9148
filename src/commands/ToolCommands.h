// Tool launchers and two-pick commands: the keys that start, drive or stop the plan editor's
// tools and run the operations on one or two picked objects.
#pragma once

namespace korvel {

struct Editor;

void placeStartPosition(Editor& ed);
void toggleWallSegmentTool(Editor& ed);
void toggleAffineGridTool(Editor& ed);
void hideSpritesOrIntersect(Editor& ed);
void joinSectorsCommand(Editor& ed);
void subtractSectorsTool(Editor& ed);
void dropPointOrToggleCeilView(Editor& ed);
void alignSpriteCommand(Editor& ed);
// C: closes the polygon being drawn (along the boundary where it can). Its other uses (sprite
// centring, the wall curve, stroking a sector's walls) arrive with their commands.
void toggleSpriteCentreOrBendWall(Editor& ed);
void fillLoopWithSector(Editor& ed);
void setFirstWallCommand(Editor& ed);
void pasteAttributesAroundLoop(Editor& ed);
void alignWallTextureCommand(Editor& ed);

}  // namespace korvel
