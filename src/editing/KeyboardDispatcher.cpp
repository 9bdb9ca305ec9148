#include "editing/KeyboardDispatcher.h"

namespace korvel {

// Arrives with the keyboard commands; until then keys do nothing.
void processKeys(Editor&) {}

}  // namespace korvel
