#include "app/PageChanges.h"

namespace korvel {

// Page changes arrive with their own change; until then entering a page prepares nothing.
void onPageChanged(Editor&) {}

}  // namespace korvel
