#include "platform/sdl/FrameViewport.h"

#include <algorithm>
#include <cstdint>

namespace korvel {

namespace {
int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
}  // namespace

FrameViewport frameViewport(int windowWidth, int windowHeight) {
    const int64_t w = std::max(windowWidth, 1), h = std::max(windowHeight, 1);
    FrameViewport v;
    if (w * kFrameHeight >= h * kFrameWidth) {  // wider than 4:3: bars left and right
        v.height = int(h);
        v.width = int(std::max<int64_t>(1, (h * kFrameWidth + kFrameHeight / 2) / kFrameHeight));
    } else {  // taller: bars above and below
        v.width = int(w);
        v.height = int(std::max<int64_t>(1, (w * kFrameHeight + kFrameWidth / 2) / kFrameWidth));
    }
    v.x = int((w - v.width) / 2);
    v.y = int((h - v.height) / 2);
    return v;
}

PointerPos windowToFrame(const FrameViewport& view, int windowX, int windowY) {
    // By the centre of the window pixel, so that frameToWindow maps back to the same pixel.
    return {int32_t(floorDiv((2 * int64_t(windowX - view.x) + 1) * kFrameWidth, 2 * view.width)),
            int32_t(floorDiv((2 * int64_t(windowY - view.y) + 1) * kFrameHeight, 2 * view.height))};
}

PointerPos frameToWindow(const FrameViewport& view, int frameX, int frameY) {
    return {int32_t(view.x + floorDiv((2 * int64_t(frameX) + 1) * view.width, 2 * kFrameWidth)),
            int32_t(view.y + floorDiv((2 * int64_t(frameY) + 1) * view.height, 2 * kFrameHeight))};
}

}  // namespace korvel
