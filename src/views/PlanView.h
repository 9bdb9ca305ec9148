// The plan view painter: grid, sectors, walls, vertices, sprites, labels and overlays of the map
// seen from above, drawn into the map-view rows of the screen.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;
struct PlanWallLine;
struct PlanFrame;

// Draws the plan view into the map-view rows; frameNumber's parity alternates some fills. The
// view origin is in its painting form, as the frame loop leaves it while painting.
void draw2DView(Editor& ed, int32_t frameNumber);

// Draws one projected wall: dotted when filtered or hidden, thick with a bright core, with a
// direction arrow when wall vectors are shown.
void draw2DLine(const PlanFrame& pf, const PlanWallLine& line);

}  // namespace korvel
