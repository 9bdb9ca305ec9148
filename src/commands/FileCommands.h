// The keyboard and menu commands that reach the map file: opening the map browser, saving under
// a new name, restoring the newest autosave and quitting.
#pragma once

namespace korvel {

struct Editor;

void openMapBrowser(Editor& ed);
// Asks for the file name to save the map under.
void saveMapAsCommand(Editor& ed);
void restoreAutosave(Editor& ed);
// Asks before quitting: whether to save first when the map is modified, else whether to quit.
void quitCommand(Editor& ed);

}  // namespace korvel
