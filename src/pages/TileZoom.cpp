#include "pages/TileZoom.h"

namespace korvel {

// The pages arrive with their own change; until then they show their background only.
void drawTileViewPage(Editor&) {}

}  // namespace korvel
