// The menu commands that flip the selection in x or y and turn it upside down.
#pragma once

namespace korvel {

struct Editor;

// The selected sectors when any are selected, else the selected sprites, else the selected
// vertices, flipped in their bounding box.
void flipSelectionX(Editor& ed);
void flipSelectionY(Editor& ed);
void mirrorSelectionByZ(Editor& ed);

}  // namespace korvel
