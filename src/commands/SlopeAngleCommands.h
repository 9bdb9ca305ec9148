// Slopes of sector surfaces and angles of sprites, stepped by the bracket, comma and period
// keys.
#pragma once

namespace korvel {

struct Editor;

void slopeStep512Down(Editor& ed);
void slopeStep512Up(Editor& ed);
void decreaseSlope(Editor& ed);
void increaseSlope(Editor& ed);
void rotateSpriteLeft128(Editor& ed);
void rotateSpriteRight128(Editor& ed);
void rotateSpriteLeft(Editor& ed);
void rotateSpriteRight(Editor& ed);
void resetSpriteAngle(Editor& ed);

}  // namespace korvel
