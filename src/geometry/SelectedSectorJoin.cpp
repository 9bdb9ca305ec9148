#include "geometry/SelectedSectorJoin.h"

namespace korvel {

void joinSelectedSectors(MapStore&, MapEvents&, ShapeFeed&) {}

}  // namespace korvel
