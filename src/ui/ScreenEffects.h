// Whole-screen image effects: the rotation of the swing and the shift of the shake.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// Redraws the screen rotated about its centre; an angle of pi / 2 leaves it upright.
void rotateScreenImage(Editor& ed, float angle);
// Shifts the screen image by (dx, dy) and moves the pointer with it.
void scrollScreenImage(Editor& ed, int32_t dx, int32_t dy);
// Restarts the sparks toy with sparkCount sparks. Not yet carried out: nothing changes.
void initSparks(Editor& ed);

}  // namespace korvel
