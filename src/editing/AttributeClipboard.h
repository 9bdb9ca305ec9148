// The attributes copied from a sector surface, a wall or a sprite, to be pasted onto others.
#pragma once

#include <cstdint>

namespace korvel {

struct AttributeClipboard {
    int16_t stat = 0;
    uint8_t kind = 0;  // 0 a sector surface, 1 a wall, 2 a sprite, 3 the texture only
    int16_t picnum = 0;
    int16_t heinum = 0;
    uint8_t shade = 0, pal = 0, xrepeat = 0, yrepeat = 0, xpanning = 0, ypanning = 0;
    int16_t lotag = 0, hitag = 0, extra = 0;
};

}  // namespace korvel
