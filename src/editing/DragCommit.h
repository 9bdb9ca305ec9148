// Drags committed to the map when the left button is released: dragged vertices, a moved,
// rotated or scaled selection, side-view height moves and dragged sprites.
#pragma once

namespace korvel {

struct Editor;

// On the left release: commits the drag under way and ends it.
void commitDrag(Editor& ed);

}  // namespace korvel
