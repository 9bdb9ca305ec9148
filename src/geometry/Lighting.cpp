#include "geometry/Lighting.h"

namespace korvel {

// Lighting arrives with its own change; until then every point is unlit and shades stay 0.
int32_t lightAtSurfacePoint(const MapStore&, int32_t, int32_t, int32_t, int32_t) {
    return 0;
}
int32_t getSectorLightValue(const MapStore&, int32_t, int32_t) {
    return 0;
}
int32_t lightValueToShade(int32_t, int32_t) {
    return 0;
}

}  // namespace korvel
