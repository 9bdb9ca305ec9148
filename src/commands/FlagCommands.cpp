#include "commands/FlagCommands.h"

namespace korvel {

// These commands arrive with their own change; until then their keys do nothing.
void toggleBlocking(Editor&) {}
void toggleHitscan(Editor&) {}
void toggleWallMasking(Editor&) {}
void toggleWallSwapBottom(Editor&) {}
void toggleOneSided(Editor&) {}
void cycleSpriteOrientation(Editor&) {}
void cycleTranslucency(Editor&) {}
void cycleTextureFlip(Editor&) {}
void toggleSectorRelativeAlign(Editor&) {}
void toggleParallax(Editor&) {}
void promptStatnumOrToggleExpand(Editor&) {}
void resetProperties(Editor&) {}
void squareWallOrToggleBookmarks(Editor&) {}

}  // namespace korvel
