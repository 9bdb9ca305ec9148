#include "pages/ProfileEditor.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only and the pane
// takes no mouse.
void drawProfileEditor(Editor&) {}
void editProfilePanel(Editor&) {}

}  // namespace korvel
