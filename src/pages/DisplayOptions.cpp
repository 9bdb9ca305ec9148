#include "pages/DisplayOptions.h"

namespace korvel {

// The pages arrive with their own change; until then they show their background only.
void drawOptionsPage(Editor&) {}

}  // namespace korvel
