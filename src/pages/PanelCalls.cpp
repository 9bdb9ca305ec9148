#include "pages/PanelCalls.h"

namespace korvel {

// Arrives with the 3D picking; until then the mouse picks nothing in the 3D view.
void update3dPick(Editor&) {}

}  // namespace korvel
