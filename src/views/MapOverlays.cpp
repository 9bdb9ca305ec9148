#include "views/MapOverlays.h"

namespace korvel {

// Not built yet: the plan view ends without overlays.
void drawMapOverlays(const PlanFrame&, int32_t) {}

}  // namespace korvel
