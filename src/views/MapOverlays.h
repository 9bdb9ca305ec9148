// The overlays the plan view draws over everything else: tool previews from the overlay lists,
// measurements, guides, the property box and the help popup.
#pragma once

#include <cstdint>

#include "base/Random.h"
#include "ui/FrameBuffer.h"
#include "ui/Raster.h"

namespace korvel {

struct PlanFrame;

// The last layer of the plan view, in the frame's projection.
void drawMapOverlays(const PlanFrame& pf, int32_t frameNumber);

// The pieces that take screen positions (rows from the bottom), shared with the side view.
// The region being selected between the hit point p and the anchor a: a disc tinted by blend
// row 53 with a noisy rim, or the box of drawAreaSelectBox. The rim cache, when given, keeps a
// large rim's points from frame to frame.
void drawRegionSelection(const Canvas& cv, Random& random, int32_t px, int32_t py, int32_t ax,
                         int32_t ay, bool circle, CircleRimCache* rimCache = nullptr);

}  // namespace korvel
