#include "commands/FileCommands.h"

namespace korvel {

// These commands arrive with their own change; until then they do nothing.
void openMapBrowser(Editor&) {}
void restoreAutosave(Editor&) {}
void quitCommand(Editor&) {}

}  // namespace korvel
