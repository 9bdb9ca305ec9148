#include "editing/PrimaryAction.h"

namespace korvel {

// The primary action arrives with the drawing tools; until then Space does nothing.
void hitSpace(Editor&) {}

}  // namespace korvel
