#include "pages/View3D.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void draw3DViewPage(Editor&) {}

}  // namespace korvel
