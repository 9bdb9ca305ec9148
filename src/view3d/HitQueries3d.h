// What the 3D view's pick names, for the commands that act on the object aimed at: an index,
// -1 for nothing, or kAllSelected3d for every selected object of the kind. The picked surface
// kind is left in auxResult.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

constexpr int32_t kAllSelected3d = 0x1000000;

int32_t getHitWall3d(Editor& ed);
int32_t getHitSector3d(Editor& ed);
int32_t getHitSprite3d(Editor& ed);

}  // namespace korvel
