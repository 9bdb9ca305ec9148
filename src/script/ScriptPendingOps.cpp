#include "script/ScriptPendingOps.h"

#include <algorithm>

#include "app/Editor.h"
#include "editing/DrawingTool.h"
#include "geometry/LineOfSight.h"
#include "geometry/LinearCutter.h"
#include "geometry/LoopCopies.h"
#include "geometry/SectorBooleans.h"
#include "geometry/SectorTileShift.h"
#include "geometry/SkyAndSpriteTools.h"
#include "geometry/TextureAlignment.h"
#include "geometry/TransformTools.h"
#include "map/GeometryQueries.h"
#include "map/MapEdit.h"

namespace korvel {

namespace {

uint8_t axisByte(int32_t axis) {
    return uint8_t(axis & 0xFF);
}

}  // namespace

void flipSelSectors(Editor& ed, int32_t axis) {
    flipSelSectors(ed.map, ed.events, axisByte(axis));
}

void flipSelSprites(Editor& ed, int32_t axis) {
    flipSelSprites(ed.map, axisByte(axis));
}

void flipSelVertices(Editor& ed, int32_t axis) {
    flipSelVertices(ed.map, ed.events, axisByte(axis));
}

void resetSpriteOffsets(Editor& ed) {
    resetSpriteOffsets(ed.map);
}

void compensateSpriteOffsets(Editor& ed) {
    compensateSpriteOffsets(ed.map, ed.tiles.tileAnims);
}

void equalizeCeilingHeights(Editor& ed) {
    equalizeCeilingHeights(ed.map);
}

void joinSelectedSectors(Editor& ed) {
    DrawingToolFeed feed(ed);
    joinSelectedSectors(ed.map, ed.events, feed);
}

void mirrorSelByZ(Editor& ed) {
    mirrorSelByZ(ed.map, ed.tiles.tileHeights);
}

void skySelect(Editor& ed, int32_t sector) {
    if (isSector(ed.map, sector)) skySelect(ed.map, sector);
}

void reverseSector(Editor& ed, int32_t sector) {
    reverseSector(ed.map, ed.events, sector);
}

void reverseLoop(Editor& ed, int32_t wall) {
    reverseLoop(ed.map, ed.events, wall);
}

void extractLoop(Editor& ed, int32_t wall) {
    extractLoop(ed.map, ed.events, wall);
}

void linearCutter(Editor& ed, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t variant) {
    DrawingToolFeed feed(ed);
    linearCutter(ed.map, ed.events, feed, CutSegment{x1, y1, x2, y2}, variant != 0, false);
}

void cloneSector(Editor& ed, int32_t sector) {
    cloneSector(ed.map, ed.events, sector);
}

void cloneSprite(Editor& ed, int32_t sprite) {
    cloneSprite(ed.map, ed.events, sprite);
}

void shiftSectorTile(Editor& ed, int32_t sector, int32_t isCeiling, int32_t dx, int32_t dy) {
    if (isSector(ed.map, sector))
        ed.operations.shiftSectorTile(ed, sector, isCeiling ? -1 : 0, dx, dy);
}

void alignWallTexture(Editor& ed, int32_t wall) {
    // The script's own marks in its first point buffer fence the walk in: they are not cleared.
    if (isWall(ed.map, wall)) ed.operations.alignWallTexture(ed, wall);
}

void alignSprite(Editor& ed, int32_t sprite) {
    if (isSprite(ed.map, sprite)) alignSprite(ed.map, sprite);
}

void mirrorSelSectors(Editor& ed, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    mirrorSelSectors(ed.map, ed.events, x1, y1, x2, y2);
}

void moveVertex(Editor& ed, int32_t wall, int32_t x, int32_t y) {
    if (isWall(ed.map, wall)) moveVertex(ed.map, ed.events, wall, x, y);
}

void bindVertex(Editor& ed, int32_t wall, double squaredDistance) {
    if (isWall(ed.map, wall)) bindVertex(ed.map, ed.events, wall, squaredDistance);
}

int32_t scanLine(Editor& ed, const int32_t* from, const int32_t* to) {
    return scanLine(ed.map, from[0], from[1], from[2], from[3], to[0], to[1], to[2]) ? 1 : 0;
}

int32_t isSelfIntersecting(Editor& ed, int32_t wallA, int32_t wallB, int32_t sector) {
    const MapStore& map = ed.map;
    if (!isWall(map, wallA) || !isWall(map, wallB) || !isSector(map, sector)) return 0;
    return isSelfIntersecting(map, wallA, wallB, sector) ? 1 : 0;
}

// Each refuses as a whole, the map as it was; the selection-wide extractions take an undo
// snapshot first, as their commands do.
void cloneSelectedSectors(Editor& ed) {
    cloneSelectedSectors(ed.map, ed.events);
}

void cloneSelectedSprites(Editor& ed) {
    cloneSelectedSprites(ed.map, ed.events);
}

void cloneSelectedLoops(Editor& ed) {
    cloneSelectedLoops(ed.map, ed.events);
}

void selectOppositeWalls(Editor& ed) {
    selectOppositeWalls(ed.map);
}

void extractSelLoops(Editor& ed) {
    MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
    edit.finish(extractSelLoops(ed.map, edit.events()));
}

void extractSelLoopsWi(Editor& ed) {
    MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
    edit.finish(extractSelLoopsWi(ed.map, edit.events()));
}

void cloneLoop(Editor& ed, int32_t wall) {
    cloneLoop(ed.map, ed.events, wall);
}

void splitIsolatedLoops(Editor& ed, int32_t sector) {
    splitIsolatedLoops(ed.map, ed.events, sector);
}

}  // namespace korvel
