// Where the 800x600 frame lies in a window of any size (scaled with its aspect kept, centred,
// bars around it) and the mapping of pointer positions between window and frame pixels.
#pragma once

#include "platform/Platform.h"

namespace korvel {

struct FrameViewport {
    int x = 0, y = 0, width = kFrameWidth, height = kFrameHeight;
};

FrameViewport frameViewport(int windowWidth, int windowHeight);

// Window pixel (y down) to the frame pixel under its centre (y down, row 0 the top row);
// positions outside the frame map to frame pixels outside 0..799 / 0..599 on the same scale.
PointerPos windowToFrame(const FrameViewport& view, int windowX, int windowY);
// The window pixel at the centre of a frame pixel, so that it maps back to the same pixel.
PointerPos frameToWindow(const FrameViewport& view, int frameX, int frameY);

}  // namespace korvel
