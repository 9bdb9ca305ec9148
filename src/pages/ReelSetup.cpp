#include "pages/ReelSetup.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawReelToolPage(Editor&) {}

}  // namespace korvel
