// The background layers of the plan view that do not depend on the sectors: the checkerboard
// behind textured sectors, the square or affine grid, the origin cross, the square bounding the
// map area and the player start position.
#pragma once

#include "views/PlanFrame.h"

namespace korvel {

void drawCheckerboard(const PlanFrame& pf);
// The checkerboard over the whole map view: 8 x 8 squares, every other one in palette index 73.
void drawCheckerboard(const Canvas& cv);
void drawSquareGrid(const PlanFrame& pf);
void drawAffineGrid(const PlanFrame& pf);
void drawOriginCross(const PlanFrame& pf);
void drawMapBoundary(const PlanFrame& pf);
void drawStartMarker(const PlanFrame& pf);

}  // namespace korvel
