#include "pages/PanelMouse.h"

namespace korvel {

// Arrives with the page panels; until then the pages take no clicks.
void processPanelMouse(Editor&) {}

}  // namespace korvel
