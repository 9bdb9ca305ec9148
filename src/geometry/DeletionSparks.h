// The bursts of sparks that deletions leave on the plan view, in screen coordinates of its
// transform. Sparks only report particles; whether they are shown is the editor's business.
#pragma once

#include <cstdint>

#include "map/MapEvents.h"
#include "map/ViewState.h"

namespace korvel {

// Six sparks of kind 0 at a map point, when it lies in the plan view's map area.
void sparkBurstAt(const ViewState& view, MapEvents& events, int32_t x, int32_t y);
// Sparks spread along a wall from (x1, y1) to (x2, y2), one per 6 pixels, at most 1025.
void sparksAlongWall(const ViewState& view, MapEvents& events, int32_t x1, int32_t y1, int32_t x2,
                     int32_t y2);

}  // namespace korvel
