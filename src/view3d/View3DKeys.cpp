#include "view3d/View3DKeys.h"

namespace korvel {

// The 3D edit keys arrive with the 3D view; until then they take no key.
void process3DKeys(Editor&) {}

}  // namespace korvel
