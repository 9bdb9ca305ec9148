#include "editing/InputDispatcher.h"

namespace korvel {

// The dispatcher arrives with its own change; until then input changes nothing.
void processFrameInput(Editor&) {}

}  // namespace korvel
