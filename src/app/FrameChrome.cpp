#include "app/FrameChrome.h"

namespace korvel {

// The chrome arrives with its own change; until then the frame shows only the page and cursor.
void drawFrameChrome(Editor&) {}
void drawTooltip(Editor&) {}

}  // namespace korvel
