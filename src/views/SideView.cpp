#include "views/SideView.h"

namespace korvel {

// The side view arrives with its own change; until then it shows its background.
void drawSideView(Editor&, int32_t) {}
void buildSideViewSlices(Editor&) {}

}  // namespace korvel
