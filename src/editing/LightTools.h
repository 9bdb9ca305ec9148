// The lighting tools of the plan view: picking light sprites, shading objects from them, and
// cutting the map along the shadows a light throws.
#pragma once

#include <cstdint>

#include "geometry/LightSourceList.h"

namespace korvel {

struct Editor;
struct MapStore;

// Lists the sprite as a light unless it is listed already or the list is full; whether it was.
bool addLightSprite(MapStore& map, int32_t sprite);
// Empties the light list.
void clearLightSprites(MapStore& map);

// One press of the light-sprite picker, the shade-from-light tool or the shadow caster.
void pressLightTool(Editor& ed);

}  // namespace korvel
