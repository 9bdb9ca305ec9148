#include "view3d/Refresh3d.h"

namespace korvel {

// Arrives with the 3D view; until then there is no cache to refresh.
void refresh3dSectorPlanes(Editor&, int32_t) {}
void refresh3dWall(Editor&, int32_t) {}
void refresh3dSprite(Editor&, int32_t) {}
void refresh3dSector(Editor&, int32_t, bool) {}

}  // namespace korvel
