// The tile picker page: the tiles of a category in a grid to choose from.
#pragma once

namespace korvel {

struct Editor;

// Painter of the page.
void drawTilePicker(Editor& ed);

}  // namespace korvel
