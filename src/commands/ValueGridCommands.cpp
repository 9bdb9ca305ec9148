#include "commands/ValueGridCommands.h"

namespace korvel {

// These commands arrive with their own change; until then their keys do nothing.
void minusKeyCommand(Editor&) {}
void plusKeyCommand(Editor&) {}
void decreaseToolParam(Editor&) {}
void increaseToolParam(Editor&) {}
void gridFiner(Editor&) {}
void gridCoarser(Editor&) {}
void normaliseAffineGrid(Editor&) {}
void nudgeSelectionLeft(Editor&) {}
void nudgeSelectionRight(Editor&) {}
void nudgeSelectionUp(Editor&) {}
void nudgeSelectionDown(Editor&) {}

}  // namespace korvel
