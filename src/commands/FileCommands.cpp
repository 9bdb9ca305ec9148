#include "commands/FileCommands.h"

#include "app/Editor.h"
#include "app/MapFileCommands.h"

namespace korvel {

void saveMapAsCommand(Editor& ed) {
    promptSaveMapAs(ed);
    ed.events.playCue("command");
}

// These commands arrive with their own change; until then they do nothing.
void openMapBrowser(Editor&) {}
void restoreAutosave(Editor&) {}
void quitCommand(Editor&) {}

}  // namespace korvel
