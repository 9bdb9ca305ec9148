#include "commands/SlopeAngleCommands.h"

namespace korvel {

// These commands arrive with their own change; until then their keys do nothing.
void slopeStep512Down(Editor&) {}
void slopeStep512Up(Editor&) {}
void decreaseSlope(Editor&) {}
void increaseSlope(Editor&) {}
void rotateSpriteLeft128(Editor&) {}
void rotateSpriteRight128(Editor&) {}
void rotateSpriteLeft(Editor&) {}
void rotateSpriteRight(Editor&) {}
void resetSpriteAngle(Editor&) {}

}  // namespace korvel
