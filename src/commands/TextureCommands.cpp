#include "commands/TextureCommands.h"

namespace korvel {

// These commands arrive with their own change; until then their keys do nothing.
void increaseXRepeat(Editor&) {}
void decreaseXRepeat(Editor&) {}
void keypad8Step(Editor&) {}
void keypad2Step(Editor&) {}
void increaseWallXPan(Editor&) {}
void decreaseWallXPan(Editor&) {}
void increaseWallYPan(Editor&) {}
void decreaseWallYPan(Editor&) {}

}  // namespace korvel
