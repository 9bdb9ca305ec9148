#include "views/MapOverlays.h"

namespace korvel {

// Not built yet: the plan view ends without overlays.
void drawMapOverlays(Editor&, int32_t) {}

}  // namespace korvel
