// The category bits the tile catalogue gives each tile, which the map's statistics count by.
#pragma once

#include <cstdint>

namespace korvel {

namespace TileCategory {
constexpr uint8_t Effectors = 1;
constexpr uint8_t Actors = 2;
constexpr uint8_t Pickups = 4;
constexpr uint8_t Switches = 8;
constexpr uint8_t DoorTiles = 16;
constexpr uint8_t MultiSwitches = 32;
constexpr uint8_t Misc = 64;
}  // namespace TileCategory

}  // namespace korvel
