#include "pages/ArrayTool.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawSpriteArrayDialog(Editor&) {}

}  // namespace korvel
