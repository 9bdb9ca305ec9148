#include "pages/TilePicker.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawTilePicker(Editor&) {}

}  // namespace korvel
