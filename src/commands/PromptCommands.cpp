#include "commands/PromptCommands.h"

namespace korvel {

// These commands arrive with their own change; until then their keys do nothing.
void promptSectorLotag(Editor&) {}
void promptSectorHitag(Editor&) {}
void promptSectorPalette(Editor&) {}
void promptSectorShade(Editor&) {}
void promptVisibility(Editor&) {}
void promptLotag(Editor&) {}
void promptHitag(Editor&) {}
void promptPalette(Editor&) {}
void promptShade(Editor&) {}

}  // namespace korvel
