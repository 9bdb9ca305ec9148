// The editing operations the script built-ins call, on the editor's map with its events.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

void flipSelSectors(Editor& ed, int32_t axis);
void flipSelSprites(Editor& ed, int32_t axis);
void flipSelVertices(Editor& ed, int32_t axis);
void selectOppositeWalls(Editor& ed);
void resetSpriteOffsets(Editor& ed);
void compensateSpriteOffsets(Editor& ed);
void equalizeCeilingHeights(Editor& ed);
void extractSelLoops(Editor& ed);
void extractSelLoopsWi(Editor& ed);
void cloneSelectedSectors(Editor& ed);
void cloneSelectedSprites(Editor& ed);
void cloneSelectedLoops(Editor& ed);
void joinSelectedSectors(Editor& ed);
void mirrorSelByZ(Editor& ed);
void skySelect(Editor& ed, int32_t sector);
void reverseSector(Editor& ed, int32_t sector);
void reverseLoop(Editor& ed, int32_t wall);
void cloneLoop(Editor& ed, int32_t wall);
void extractLoop(Editor& ed, int32_t wall);
void linearCutter(Editor& ed, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t variant);
void cloneSector(Editor& ed, int32_t sector);
void cloneSprite(Editor& ed, int32_t sprite);
void shiftSectorTile(Editor& ed, int32_t sector, int32_t isCeiling, int32_t dx, int32_t dy);
void alignWallTexture(Editor& ed, int32_t wall);
void alignSprite(Editor& ed, int32_t sprite);
void splitIsolatedLoops(Editor& ed, int32_t sector);
void mirrorSelSectors(Editor& ed, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void moveVertex(Editor& ed, int32_t wall, int32_t x, int32_t y);
void bindVertex(Editor& ed, int32_t wall, double squaredDistance);
// Line of sight from (x, y, z) in a sector to another point: 1 reached, 0 blocked.
int32_t scanLine(Editor& ed, const int32_t* from, const int32_t* to);
int32_t isSelfIntersecting(Editor& ed, int32_t wallA, int32_t wallB, int32_t sector);

}  // namespace korvel
