#include "editing/SelectionInput.h"

namespace korvel {

// Arrives with selection; until then an area selects nothing.
void selectByArea(Editor&) {}

}  // namespace korvel
