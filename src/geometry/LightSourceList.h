// The list of light-source sprites the lighting tools collect and the plan view marks.
#pragma once

#include <cstdint>

#include "map/MapStore.h"

namespace korvel {

// Removes entry i: the later entries move down one place and the count drops by one. An index
// outside the list changes nothing; a count beyond the list's capacity is first cut to it.
void removeLightSpriteAt(MapStore& map, int32_t i);

// Removes every entry that names no sprite of the map (negative or not below spriteCount).
void purgeLightSprites(MapStore& map);

}  // namespace korvel
