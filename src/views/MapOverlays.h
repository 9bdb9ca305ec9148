// The overlays the plan view draws over everything else: tool previews from the overlay lists,
// measurements, guides, the property box and the help popup.
#pragma once

#include <cstdint>

namespace korvel {

struct PlanFrame;

// The last layer of the plan view, in the frame's projection.
void drawMapOverlays(const PlanFrame& pf, int32_t frameNumber);

}  // namespace korvel
