#include "pages/SphereSetup.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawSphereToolPage(Editor&) {}

}  // namespace korvel
