#include "geometry/LightSourceList.h"

namespace korvel {

namespace {

int32_t listedCount(const MapStore& map) {
    const int32_t n = map.lightSpriteCount;
    return n < 0 ? 0 : n > kMaxLightSprites ? kMaxLightSprites : n;
}

}  // namespace

void removeLightSpriteAt(MapStore& map, int32_t i) {
    const int32_t n = listedCount(map);
    map.lightSpriteCount = n;
    if (i < 0 || i >= n) return;
    for (int32_t k = i; k + 1 < n; ++k) map.lightSprites[size_t(k)] = map.lightSprites[size_t(k) + 1];
    map.lightSpriteCount = n - 1;
}

void purgeLightSprites(MapStore& map) {
    map.lightSpriteCount = listedCount(map);
    int32_t i = 0;
    while (i < map.lightSpriteCount) {
        const int32_t s = map.lightSprites[size_t(i)];
        if (s < 0 || s >= map.spriteCount)
            removeLightSpriteAt(map, i);
        else
            ++i;
    }
}

}  // namespace korvel
