// The background layers of the plan view that do not depend on the sectors: the checkerboard
// behind textured sectors, the square or affine grid, the origin cross, the square bounding the
// map area and the player start position.
#pragma once

#include "views/PlanFrame.h"

namespace korvel {

void drawCheckerboard(const PlanFrame& pf);
void drawSquareGrid(const PlanFrame& pf);
void drawAffineGrid(const PlanFrame& pf);
void drawOriginCross(const PlanFrame& pf);
void drawMapBoundary(const PlanFrame& pf);
void drawStartMarker(const PlanFrame& pf);

}  // namespace korvel
