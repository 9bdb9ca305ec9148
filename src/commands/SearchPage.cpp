#include "commands/SearchPage.h"

namespace korvel {

// The search page arrives with its own change; until then it shows its background only.
void drawSearchPage(Editor&) {}

}  // namespace korvel
