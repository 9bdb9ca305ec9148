// Flag toggles: blocking, hitscan, masking, one-sided, orientation, translucency, flips,
// parallax and alignment bits of walls, sprites and sector surfaces, and the resets.
#pragma once

namespace korvel {

struct Editor;

void toggleBlocking(Editor& ed);
void toggleHitscan(Editor& ed);
void toggleWallMasking(Editor& ed);
void toggleWallSwapBottom(Editor& ed);
void toggleOneSided(Editor& ed);
void cycleSpriteOrientation(Editor& ed);
void cycleTranslucency(Editor& ed);
void cycleTextureFlip(Editor& ed);
void toggleSectorRelativeAlign(Editor& ed);
void toggleParallax(Editor& ed);
void promptStatnumOrToggleExpand(Editor& ed);
void resetProperties(Editor& ed);
void squareWallOrToggleBookmarks(Editor& ed);

}  // namespace korvel
