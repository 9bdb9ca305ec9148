// The reel set-up page: the parameters of the reel generator, a tube of sloped strips lying along
// a segment.
#pragma once

#include <cstdint>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Editor;

struct ReelSetupState {
    int32_t reelA = 0, reelB = 10000, reelC = 16, reelD = 2048;
};

// Strips, sides and rings a preview draws at most: at radius 96 neighbouring points are then
// closer than 1.2 pixels, and a count taken from a script cannot cost a frame billions of lines.
constexpr int32_t kPreviewSteps = 512;

// floor(v), held inside +-10^9 so that a far-off point still converts; lines are cut to the
// screen anyway.
int32_t previewPixel(double v);

// The side elevation shared with the arch page: two clipped rails and the N + 1 verticals where
// the strips of a half turn meet, seen from the side.
void drawSideElevation(const Canvas& cv, int32_t n, int32_t colour);

// The elevation and the plan ellipse with its chords; nothing unless both counts are positive.
void paintReelPreview(const Canvas& cv, const ReelSetupState& p, int32_t previewColour);
void drawReelToolPage(Editor& ed);

}  // namespace korvel
