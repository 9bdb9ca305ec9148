// Rebuilding the 3D view's cached surfaces of one object after its attributes changed, so the
// live view shows the change without preparing the whole scene again.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// The floor and ceiling of a sector.
void refresh3dSectorPlanes(Editor& ed, int32_t sector);
// A wall, and its twin.
void refresh3dWall(Editor& ed, int32_t wall);
void refresh3dSprite(Editor& ed, int32_t sprite);
// A sector with its walls and sprites, and with its neighbours when asked.
void refresh3dSector(Editor& ed, int32_t sector, bool withNeighbours);

}  // namespace korvel
