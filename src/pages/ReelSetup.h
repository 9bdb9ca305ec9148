// The reel set-up page: the parameters of the reel generator, a tube of sloped strips lying along
// a segment.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

struct ReelSetupState {
    int32_t reelA = 0, reelB = 10000, reelC = 16, reelD = 2048;
};

// Painter of the page.
void drawReelToolPage(Editor& ed);

}  // namespace korvel
