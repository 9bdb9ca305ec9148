#include "commands/SelectionCommands.h"

namespace korvel {

// Selection conversion arrives with its own change; until then the selection stays as it is.
void convertSelection(Editor&) {}

// These commands arrive with their own change; until then their keys do nothing.
void selectAll(Editor&) {}
void invertSelectionCommand(Editor&) {}
void deselectAllCommand(Editor&) {}
void hideSectors(Editor&) {}
void unhideAllSectors(Editor&) {}
void unhideAllSprites(Editor&) {}
void deleteSelected(Editor&) {}
void deleteSectorsCommand(Editor&) {}
void insertVertexCommand(Editor&) {}
void cloneSelectionCommand(Editor&) {}
void insertSprite(Editor&) {}
void selectConnectedSkyCommand(Editor&) {}
void levelSkyCeilingsCommand(Editor&) {}

}  // namespace korvel
