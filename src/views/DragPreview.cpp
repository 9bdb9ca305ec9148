#include "views/DragPreview.h"

namespace korvel {

// Arrives with the drags; until then a drag adds nothing to the preview.
void buildDragPreview(MapStore&, const HoverState&, OverlayLists&, std::string&) {}

}  // namespace korvel
