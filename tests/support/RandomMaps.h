// Small random maps for the sequence tests and benchmarks: rooms in a grid sharing walls, a
// room with a hole and an island in it, loose rooms, and sprites standing in the sectors.
#pragma once

#include <cstdint>
#include <random>

#include "map/MapStore.h"

namespace korvel::test {

void buildRandomMap(MapStore& map, std::mt19937& rng);

// A grid of cols x rows rooms whose sides are split in two, so each room has 8 walls and
// shares two with each neighbour; `spritesPerRoom` sprites in each. Links every shared wall.
void buildSplitRoomGrid(MapStore& map, int32_t cols, int32_t rows, int32_t spritesPerRoom);

}  // namespace korvel::test
