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

// The map clipboard, undo and the other file and program keys.
void copyCommand(Editor& ed);
void cutCommand(Editor& ed);
void pasteCommand(Editor& ed);
void swapClipboardCommand(Editor& ed);
void undoCommand(Editor& ed);
void newMapCommand(Editor& ed);
void openMergeBrowser(Editor& ed);
void reloadMapCommand(Editor& ed);
void stopRecordingCommand(Editor& ed);
void runCurrentScript(Editor& ed);
void takeScreenshot(Editor& ed);

}  // namespace korvel
