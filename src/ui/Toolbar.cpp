#include "ui/Toolbar.h"

namespace korvel {

// The toolbar arrives with its own change; until then there are no buttons to rebuild.
void rebuildToolbar(Editor&) {}

}  // namespace korvel
