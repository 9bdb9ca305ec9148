// Creating a sprite and finding the sector that holds a sprite or the start position.
#pragma once

#include <cstdint>
#include <optional>

#include "map/MapEvents.h"
#include "map/MapStore.h"
#include "map/SectorSearch.h"

namespace korvel {

// Appends a sprite at (x, y) on the floor of the sector found there, with the map's most used
// sprite tile; returns its index. Refused with a status message when the map is full.
// With sprite numbers shown the stack counts at its place are refreshed, else marked stale.
std::optional<int32_t> createSprite(MapStore& map, MapEvents& events, int32_t x, int32_t y,
                                    bool spriteNumbers);

// Keeps the sprite's sector while it holds (x, y); else takes the first shown sector that holds
// it, preferring a later one whose floor and ceiling there bracket the sprite's z. A sprite in no
// sector gets sector 0 (-1 when the map has no sectors). Only sectors whose rings are sound
// (SectorSearch) hold anything.
void updateSpriteSectnum(MapStore& map, int32_t k);
// The same through a search made for the map as it stands, for many sprites at once.
void updateSpriteSectnum(MapStore& map, const SectorSearch& search, int32_t k);
// The sector updateSpriteSectnum would choose, but -1 where no sector holds the sprite.
int16_t findSpriteSector(const MapStore& map, const SectorSearch& search, int32_t k);
// The same without the height test: the last shown sector that holds the point.
void updateNewSpriteSectnum(MapStore& map, int32_t k);
// startSector from the start position, searching hidden sectors too.
void updateStartPosSectnum(MapStore& map);

}  // namespace korvel
