// Shape completion: a closed polygon of the drawing tool becomes a new sector, an inner loop of
// the sector it was drawn in, or a further loop of a sector, with the defaults of new walls and
// sectors, links to the walls of neighbouring sectors and, for a new sector drawn against a
// neighbour, that neighbour's attributes. Then the boolean operation a shape drawn in the
// boolean-target mode asks for.
#pragma once

#include <cstdint>

#include "geometry/SectorBooleans.h"
#include "geometry/ShapeFeed.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// toolDrawMode: what the closed polygon becomes.
namespace DrawMode {
constexpr int32_t Undecided = -1;
constexpr int32_t FreeSpace = 0;       // a new sector, orientation corrected
constexpr int32_t InsideSector = 1;    // an inner loop of the target sector
constexpr int32_t FromVertex = 2;      // a path from a vertex; closed, a new sector
constexpr int32_t FedSector = 3;       // a new sector in the fed order
constexpr int32_t FedFurtherLoop = 4;  // a further loop of the target, in the fed order
}  // namespace DrawMode

// The height filter a new sector takes its floor and ceiling from (zRangeMode, zRangeLow,
// zRangeHigh): mode 1 by floor, 2 by ceiling, anything else off.
struct HeightFilter {
    uint8_t mode = 0;
    int32_t low = 0;
    int32_t high = 0;
};

// The closed polygon: its distinct corners in drawing order (the closing repeat of corner 0 is
// not among them), what it becomes and where.
struct DrawnShape {
    const int32_t* xs = nullptr;
    const int32_t* ys = nullptr;
    int32_t count = 0;
    int32_t drawMode = DrawMode::FreeSpace;
    int32_t targetSector = -1;
    // batchFinished: a new sector's walls are linked to their neighbours only outside a batch
    // that a sector split began.
    bool linkWalls = true;
    HeightFilter heights;
};

struct ShapeCompletion {
    bool made = false;       // the sector or loop was written
    bool newSector = false;  // a sector was appended (the newest one)
};

// The floor and ceiling of a new sector under the height filter, each kept in 32 bits.
struct SectorHeights {
    int32_t ceilingz = 0;
    int32_t floorz = 0;
};
SectorHeights heightsFromFilter(const HeightFilter& filter);

// The shoelace sum over the corners, sum of (x[i+1] - x[i]) (y[i] + y[i+1]): outer loops are
// stored with a sum of 0 or less, holes above 0.
double shoelaceSum(const int32_t* xs, const int32_t* ys, int32_t count);

// Writes the polygon into the map. Refused with a status message, the map untouched, when it
// has fewer than three corners, when the walls or the sector would not fit, or when a loop is
// to join a sector that does not exist or whose walls are damaged. Status message 718 for a new
// sector, 717 for an inner loop.
ShapeCompletion finishDrawnShape(MapStore& map, MapEvents& events, const DrawnShape& shape);

// What became of the boolean target after a shape drawn in the boolean-target mode.
enum class BooleanOutcome {
    TargetSet,         // the result, or the first shape, is the selected target
    RippedEverything,  // a rip without target cut the shape out of every sector
};

// The pending boolean operation on the shape just made (the newest sector) and the target
// (booleanTargetSector; outside the sectors it counts as none). The result, or with no target
// the shape itself, becomes the selected target.
BooleanOutcome runPendingBoolean(MapStore& map, MapEvents& events, ShapeFeed& feed,
                                 BooleanMode mode, bool ripCutsAll);

}  // namespace korvel
