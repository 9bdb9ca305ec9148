// Small random maps for the sequence tests and benchmarks: rooms in a grid sharing walls, a
// room with a hole and an island in it, loose rooms, and sprites standing in the sectors.
#pragma once

#include <cstdint>
#include <random>

#include "map/MapStore.h"

namespace korvel::test {

void buildRandomMap(MapStore& map, std::mt19937& rng);

}  // namespace korvel::test
