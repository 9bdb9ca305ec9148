#include "pages/Search.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawSearchPage(Editor&) {}

}  // namespace korvel
