// The side view's positions along its line turned back into map points, so that what works with
// map points (sprite insertion, paste, the status line) acts under the pointer on that page.
#pragma once

namespace korvel {

struct HoverState;
struct SideProjection;

// mouseMapX, mouseMapY from sideMousePos and hitPointX, hitPointY from sideHitPos, along the line
// from (x1, y1) to (x2, y2). Reckoned in single precision; a line of no length gives 0, 0.
void mapPointsFromSideView(const SideProjection& line, HoverState& hover);

}  // namespace korvel
