// What the mouse points at in the 3D picture, drawn over it on the live page.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// The overlay of the hovered surface; frameNumber paces its blinking.
void draw3DHoverInfo(Editor& ed, int32_t frameNumber);

}  // namespace korvel
