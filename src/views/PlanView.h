// The plan view painter.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// Draws the plan view into the map-view rows; frameNumber's parity alternates some fills.
void draw2DView(Editor& ed, int32_t frameNumber);

}  // namespace korvel
