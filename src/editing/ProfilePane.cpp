#include "editing/ProfilePane.h"

namespace korvel {

// Arrives with the profile editor; until then the pane takes no mouse.
void editProfilePanel(Editor&) {}

}  // namespace korvel
