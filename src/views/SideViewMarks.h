// What the side view shows of the user's current action, over the map content: the measuring
// line with its length and direction, the tool and drag previews, the crosshair, the text
// beside the pointer, the box of an area selection and the grid-snap mark.
#pragma once

#include <string>

namespace korvel {

struct SideFrame;

void drawSideViewMarks(const SideFrame& sf);
// The measuring line's text: its length and its direction in 2048ths of a turn to a tenth,
// from the distance along the section and the height difference (z units).
std::string measureText(const SideFrame& sf, float along, float heightZ);

}  // namespace korvel
