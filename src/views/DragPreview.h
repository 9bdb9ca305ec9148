// The picture of a drag in progress: where the dragged vertices, sectors or sprites would land,
// appended to the overlay lists after the tool's preview, with its read-out beside the pointer.
#pragma once

#include <string>

#include "editing/HoverState.h"
#include "map/MapStore.h"
#include "views/OverlayLists.h"

namespace korvel {

void buildDragPreview(MapStore& map, const HoverState& hover, OverlayLists& lists,
                      std::string& cursorLabel);

}  // namespace korvel
