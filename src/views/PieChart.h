// The shaded three-dimensional pie of the statistics page, drawn into the background: the share
// of the largest possible map file that the current map takes.
#pragma once

#include <cstdint>

#include "base/Random.h"
#include "ui/FrameBuffer.h"

namespace korvel {

// Centre (x, y), radius r, rim thickness t, split angle a (65536 per turn; 0 points left of the
// centre, angles grow through the front), colours c1 and c2 for the two parts. Every pixel is
// clipped to the background; the random draws (which demos replay) depend on the arguments
// only. Radii below 4 draw nothing, as do radii or thicknesses beyond 1000.
void drawPieChart(const Canvas& cv, Random& random, int32_t x, int32_t y, int32_t r, int32_t t,
                  int32_t a, uint8_t c1, uint8_t c2);

}  // namespace korvel
