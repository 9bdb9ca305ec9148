#include "commands/AttributePaste.h"

namespace korvel {

void pasteWallAttributes(Editor&, int32_t) {}
void pasteMaskedWallAttributes(Editor&, int32_t) {}

}  // namespace korvel
