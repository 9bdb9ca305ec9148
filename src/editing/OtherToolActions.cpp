#include "editing/OtherToolActions.h"

namespace korvel {

// The other tools, pages and the ending step arrive with their own change; until then a press
// there changes nothing.
void pressOtherTool(Editor&) {}
void pressViewBookmarksTool(Editor&) {}
void pressOnOtherPage(Editor&) {}
void endPrimaryAction(Editor&) {}

}  // namespace korvel
