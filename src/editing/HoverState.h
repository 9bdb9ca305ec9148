// What lies under the mouse in the map views, worked out anew every frame before any press or
// key is handled: the hovered objects (-1 none), the unsnapped mouse position in map units and
// the snapped hit point that tools and selection use.
#pragma once

#include <cstdint>

namespace korvel {

struct HoverState {
    int32_t hoveredVertex = -1;  // a wall whose start point is the hovered vertex
    int32_t hoveredSprite = -1;
    int32_t hoveredSector = -1;
    int32_t hoveredWall = -1;

    int32_t mouseMapX = 0, mouseMapY = 0;
    int32_t hitPointX = 0, hitPointY = 0;
    int32_t hitPointZ = 0;  // the side view's snapped height
};

}  // namespace korvel
