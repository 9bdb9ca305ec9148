// The keypad's arrow keys: texture repeats of sprites and walls, panning of sector surfaces,
// and with Ctrl the panning of the side view's wall.
#pragma once

namespace korvel {

struct Editor;

void increaseXRepeat(Editor& ed);
void decreaseXRepeat(Editor& ed);
void keypad8Step(Editor& ed);
void keypad2Step(Editor& ed);
void increaseWallXPan(Editor& ed);
void decreaseWallXPan(Editor& ed);
void increaseWallYPan(Editor& ed);
void decreaseWallYPan(Editor& ed);

}  // namespace korvel
