#include "geometry/TextureAlignment.h"

namespace korvel {

void alignWallTexture(MapStore&, MapEvents&, int32_t) {}

int32_t alignSprite(MapStore&, MapEvents&, int32_t) {
    return -1;
}

}  // namespace korvel
