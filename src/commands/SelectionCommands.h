// Commands on the selection as a whole, and the keys that select, hide, delete and insert.
#pragma once

namespace korvel {

struct Editor;

// Converts the selection to the kind the current selection mode works on.
void convertSelection(Editor& ed);

// Selecting, hiding, deleting and inserting by key.
void selectAll(Editor& ed);
void invertSelectionCommand(Editor& ed);
void deselectAllCommand(Editor& ed);
void hideSectors(Editor& ed);
void unhideAllSectors(Editor& ed);
void unhideAllSprites(Editor& ed);
void deleteSelected(Editor& ed);
void deleteSectorsCommand(Editor& ed);
void insertVertexCommand(Editor& ed);
void cloneSelectionCommand(Editor& ed);
void insertSprite(Editor& ed);
void selectConnectedSkyCommand(Editor& ed);
void levelSkyCeilingsCommand(Editor& ed);

}  // namespace korvel
