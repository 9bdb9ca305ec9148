#include "commands/SelectionCommands.h"

namespace korvel {

// Selection conversion arrives with its own change; until then the selection stays as it is.
void convertSelection(Editor&) {}

}  // namespace korvel
