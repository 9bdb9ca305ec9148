// The arch set-up page: the parameters of the arch generator, a vaulted passage along a segment.
#pragma once

#include <cstdint>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Editor;

struct ArchSetupState {
    int32_t arch1A = 8192, arch1B = -24288, arch1C = 2048;
    int32_t arch2A = 0, arch2B = 16384, arch2C = 16;
};

// The cross-section of an arch or a dome around x = 600: an upper curve from height Q at its
// ends to P in the middle and a lower one from R to S, scaled into rows 192..384. Heights are
// map z (larger lies lower). The half width g is halfWidth x 96 / (hi - lo), at most 96 pixels:
// a wider shape stretches the height range about its middle instead.
struct ArchProfile {
    int64_t p = 0, q = 0, s = 0, r = 0;
    double halfWidth = 0;
    int32_t steps = 1;  // points 0 .. steps along a half turn
    int32_t upperColour = 0, lowerColour = 0, edgeColour = 0;
};
// False, and nothing drawn, when all four heights are equal.
bool drawArchProfile(const Canvas& cv, const ArchProfile& a);

// The side elevation and the profile; nothing unless the counts are positive.
void paintArchPreview(const Canvas& cv, const ArchSetupState& p, int32_t previewColour);
void drawArchToolPage(Editor& ed);

}  // namespace korvel
