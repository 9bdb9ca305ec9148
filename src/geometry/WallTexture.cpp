#include "geometry/WallTexture.h"

#include "base/Mainm.h"

namespace korvel {

void squareWallTexture(MapStore& map, int32_t w) {
    if (!isWall(map, w)) return;
    WallRecord& a = map.walls[w];
    const WallRecord& b = map.walls[clampWall(map, a.point2)];
    const float length = distSingle(float(a.x), float(a.y), float(b.x), float(b.y));
    const float repeat = float(a.yrepeat) * (length / 1024.0f);
    const int32_t x = safeFloor(double(repeat) + 0.5);
    a.xrepeat = uint8_t(x > 255 ? 255 : x < 0 ? 0 : x);
}

}  // namespace korvel
