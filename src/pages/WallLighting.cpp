#include "pages/WallLighting.h"

namespace korvel {

// The pages arrive with their own change; until then they show their background only.
void drawLightingOrExportPage(Editor&) {}

}  // namespace korvel
