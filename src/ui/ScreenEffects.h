// Whole-screen image effects (the rotation of the swing and the shift of the shake), and the
// set-up of the sparks page's sparks.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;
struct FrameBuffer;
struct Random;
struct Sparks;
class Platform;

// Redraws the screen rotated about its centre; an angle of pi / 2 leaves it upright. Pixels
// whose source lies off the screen become colour 0.
void rotateScreenImage(FrameBuffer& fb, float angle);
// Moves the screen image by (-dx, -dy), the uncovered strip colour 0, and the system pointer
// by half that.
void scrollScreenImage(FrameBuffer& fb, Platform& platform, int32_t dx, int32_t dy);
// Places the sparks 1 .. sparkCount - 1 at random (spark 0 stays) and sets every spark's
// colour class, mass and radius for the page's colour step.
void initSparks(Sparks& sparks, int32_t sparkCount, Random& random);

// The same on the editor's own surfaces, generator and platform.
void rotateScreenImage(Editor& ed, float angle);
void scrollScreenImage(Editor& ed, int32_t dx, int32_t dy);
void initSparks(Editor& ed);

}  // namespace korvel
