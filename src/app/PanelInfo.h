// The bottom panel's information: the z-range gauge at the lower right, which places the height
// filter, the hovered sector's floor and ceiling and the hovered sprite on one bar, and the
// block at the lower left that names what the mouse is over and what is selected.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// The gauge column of height z: the offset at 692, higher (smaller z) to the right, squeezed
// into 592..792 towards both ends. The difference is taken in 64 bits, so no height wraps.
int32_t gaugeColumn(int32_t zRangeOffset, int32_t z);

void drawZRangeGauge(Editor& ed);
void drawPageInformation(Editor& ed);

}  // namespace korvel
