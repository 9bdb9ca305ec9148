#include "commands/HeightCommands.h"

namespace korvel {

// These commands arrive with their own change; until then their keys do nothing.
void pageUpOrRaise(Editor&) {}
void pageDownOrLower(Editor&) {}
void raiseByKeyRepeat(Editor&) {}
void lowerByKeyRepeat(Editor&) {}
void raiseBy8192(Editor&) {}
void lowerBy8192(Editor&) {}

}  // namespace korvel
