// The keyboard and menu commands that reach the map file: opening the map browser and restoring
// the newest autosave.
#pragma once

namespace korvel {

struct Editor;

void openMapBrowser(Editor& ed);
void restoreAutosave(Editor& ed);

}  // namespace korvel
