// The editor object: the one owner of all program state, an aggregate of component structs,
// each owning one area. Procedures take the components they need by reference.
#pragma once

#include "map/ColorTables.h"
#include "map/TileCatalog.h"
#include "map/TileStore.h"

namespace korvel {

struct Editor {
    TileStore tiles;
    ColorTables colorTables;
    TileCatalog tileCatalog;
};

}  // namespace korvel
