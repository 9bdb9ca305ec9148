#include "views/SpritePictures.h"

#include "map/MapStore.h"
#include "resources/TileStore.h"

namespace korvel {

int32_t getTileAnimFrame(const TileStore& tiles, int32_t p, int32_t t) {
    const uint32_t w = uint32_t(tiles.tileAnims[size_t(clampTile(p))]);
    const uint32_t type = w & 192;
    const int32_t n = int32_t(w & 63) + 1;
    const int32_t speed = int32_t((w >> 24) & 15);
    if (n == 1 || type == 0) return p;
    const int32_t frameMs = 8 << speed;  // at most 262144
    const int32_t step = t / frameMs;
    if (type == 64) {
        const int32_t period = frameMs * (n - 1);  // below 2^31: n is at most 64
        const int32_t k = step % (n - 1);
        return (t / period) % 2 == 0 ? p + k : p + n - 1 - k;
    }
    if (type == 128) return p + step % n;
    return p - step % n;
}

// Not built yet: sprites show their markers only.
void drawSpritePictures2D(const PlanFrame&, int32_t) {}

}  // namespace korvel
