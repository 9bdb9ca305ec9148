// Operations on a whole selection array: clearing one kind, inverting the current layer, the
// first selected object of a kind, and recounting the counts from the flags.
#pragma once

#include <cstdint>

#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// What picking and the commands act on.
enum class SelectionMode : uint8_t {
    Sprites = 0,
    Vertices = 1,
    Walls = 2,
    Sectors = 3,
    Loops = 4,
    SpritesAndVertices = 5,
    BooleanTarget = 6,
    AreaSettings = 7,
};

void deselectSprites(MapStore& map);
// Also forgets the boolean target.
void deselectSectors(MapStore& map);
// Also clears the loop count.
void deselectWalls(MapStore& map);
void deselectVertices(MapStore& map);

// Flips the flags of the shown objects of the current layer; status message 866, cue "command".
void invertSelection(MapStore& map, SelectionMode mode, MapEvents& events);

// The lowest selected index of a kind; 0 also when nothing is selected (test the count first).
int32_t getFirstSelectedSprite(const MapStore& map);
int32_t getFirstSelectedSector(const MapStore& map);
int32_t getFirstSelectedWall(const MapStore& map);
int32_t getFirstSelectedVertex(const MapStore& map);

// Counts the set flags below the object counts; the loop count becomes 0.
void recountSelection(MapStore& map);

}  // namespace korvel
