#include "ui/Toolbar.h"

namespace korvel {

// The toolbar arrives with its own change; until then there are no buttons to rebuild.
void rebuildToolbar(Editor&) {}

// Arrives with the toolbar; until then nothing lies under the mouse.
void hitTestToolbarAndMenu(Editor&) {}

}  // namespace korvel
