#include "views/PlanView.h"

namespace korvel {

// The plan view arrives with its own change; until then the map view shows its background.
void draw2DView(Editor&, int32_t) {}

}  // namespace korvel
