// Key commands that drive the plan editor's tools.
#pragma once

namespace korvel {

struct Editor;

// C: closes the polygon being drawn (along the boundary where it can). Its other uses (sprite
// centring, the wall curve, stroking a sector's walls) arrive with their commands.
void toggleSpriteCentreOrBendWall(Editor& ed);

}  // namespace korvel
