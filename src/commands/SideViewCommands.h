// Commands that open and steer the side view.
#pragma once

namespace korvel {

struct Editor;

// Opens the side view on what is under the pointer: the segment being drawn with the polygon
// tool (to the hit point), else the hovered sprite, else the hovered wall, else the hit point's
// column. Refused while an area selection is being dragged.
void enterSideView(Editor& ed);

}  // namespace korvel
