// The map check: finds the structural faults and suspicious values of the map and hands each
// finding to a sink, in a fixed order (whole map, start position, sectors, walls, sprites; each
// object's findings in the order of its checks). It only reads the map, finishes on any contents
// of the records and reports its progress through MapEvents.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Kind of a finding: bits 0-1 what it is about, bit value 4 a structural error (else a warning).
namespace CheckKind {
constexpr uint8_t Sector = 0;
constexpr uint8_t Wall = 1;
constexpr uint8_t Sprite = 2;
constexpr uint8_t WholeMap = 3;
constexpr uint8_t Structural = 4;
}  // namespace CheckKind

struct CheckFinding {
    int32_t object = 0;  // sector, wall or sprite index; 0 for the whole map
    uint8_t kind = 0;
    uint8_t code = 0;     // which check
    int32_t message = 0;  // the numbered message describing it
    std::string arg;      // its "&1", empty when it has none
    bool operator==(const CheckFinding&) const = default;
};

class CheckSink {
public:
    virtual ~CheckSink() = default;
    // False when the finding was not kept (the list is full).
    virtual bool add(const CheckFinding& finding) = 0;
};

// Tile sizes indexed by tile number (kTileCount entries each).
struct TileSizes {
    std::span<const int16_t> widths;
    std::span<const int16_t> heights;
};

// option 1 adds the checks of texture sizes, one-way wall links, the start position and the
// sprites. Findings the sink does not keep are counted and named in one status message.
void checkMap(const MapStore& map, const TileSizes& tiles, int32_t option, MapEvents& events,
              CheckSink& sink);

}  // namespace korvel
