#include "pages/ArchSetup.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawArchToolPage(Editor&) {}

}  // namespace korvel
