#include "commands/FileCommands.h"

#include "app/Editor.h"
#include "app/MapFileCommands.h"
#include "pages/MessageBox.h"

namespace korvel {

void saveMapAsCommand(Editor& ed) {
    promptSaveMapAs(ed);
    ed.events.playCue("command");
}

// Always asks: whether to save first when the map holds changes, else whether to quit.
void quitCommand(Editor& ed) {
    openMessageBox(ed, ed.map.mapModified != MapModifiedState::Unmodified
                           ? MessageBoxKind::SaveBeforeQuit
                           : MessageBoxKind::ConfirmQuit);
}

// These commands arrive with their own change; until then they do nothing.
void openMapBrowser(Editor&) {}
void restoreAutosave(Editor&) {}
void copyCommand(Editor&) {}
void cutCommand(Editor&) {}
void pasteCommand(Editor&) {}
void swapClipboardCommand(Editor&) {}
void undoCommand(Editor&) {}
void newMapCommand(Editor&) {}
void openMergeBrowser(Editor&) {}
void reloadMapCommand(Editor&) {}
void stopRecordingCommand(Editor&) {}
void runCurrentScript(Editor&) {}
void takeScreenshot(Editor&) {}

}  // namespace korvel
