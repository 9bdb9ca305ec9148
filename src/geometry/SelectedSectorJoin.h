// Joining every selected sector into one.
#pragma once

#include "geometry/ShapeFeed.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Joins the selected sectors pair by pair until one is left. Not yet carried out: nothing
// changes.
void joinSelectedSectors(MapStore& map, MapEvents& events, ShapeFeed& feed);

}  // namespace korvel
