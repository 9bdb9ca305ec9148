#include "geometry/TextureAlignment.h"

namespace korvel {

void alignWallTexture(MapStore&, MapEvents&, int32_t) {}

}  // namespace korvel
