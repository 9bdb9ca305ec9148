#include "editing/MenuCommands.h"

namespace korvel {

// Arrives with the menu commands; until then a chosen item does nothing.
void runMenuCommand(Editor&) {}

}  // namespace korvel
