#include "view3d/HitQueries3d.h"

namespace korvel {

// The pick arrives with the 3D view's object queries; until then nothing is aimed at.
int32_t getHitWall3d(Editor&) { return -1; }
int32_t getHitSector3d(Editor&) { return -1; }
int32_t getHitSprite3d(Editor&) { return -1; }

}  // namespace korvel
