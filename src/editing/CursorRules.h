// The pointer's shape and colour for the frame, chosen from the page and what lies under the
// mouse: the map cross over the map views, a text beam over typed values, the value-drag arrows,
// and the arrow over an open menu or the property box.
#pragma once

#include <cstdint>
#include <functional>

#include "ui/Cursor.h"

namespace korvel {

struct Editor;

// Sets cursorShape by page and mouse position, and menuHasMouse and propertyBoxShown. A value
// field counts where fieldShown says it is shown; without it, where valueFieldVisible does.
void chooseCursorShape(Editor& ed, const std::function<bool(int32_t index)>& fieldShown);
void chooseCursorShape(Editor& ed);

// 84 for the map cross while snapping to the grid, 240 without; 72 for every other shape.
uint8_t cursorColorFor(CursorShape shape, bool snapToGrid);

}  // namespace korvel
