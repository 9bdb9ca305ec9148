#include "view3d/HoverInfo3d.h"

namespace korvel {

// The 3D hover overlay arrives with its own change; until then the picture shows alone.
void draw3DHoverInfo(Editor&, int32_t) {}

}  // namespace korvel
