// Aligning wall textures: continuing a wall's texture onto the next wall, and across every wall
// reachable through shared vertices that carries the same tile.
#pragma once

#include <cstdint>
#include <functional>

#include "map/MapStore.h"
#include "map/PointBuffers.h"
#include "resources/TileStore.h"

namespace korvel {

// What a texture walk reads besides the map. The x field of marks[w] is 1 once wall w has been
// visited; the caller clears the marks (or presets some to fence the walk in).
struct TextureWalk {
    const TileStore& tiles;
    PointBufferView marks;
    bool autoWallSquare = false;
    // Told of every wall whose texture was aligned (the 3D view refreshes it); may be empty.
    std::function<void(int32_t wall)> wallAligned;
};

// Sets every mark to 0.
void clearWallVisitMarks(PointBufferView marks);

// Continues the reference wall's texture on the target wall: its y scale, the x panning that
// carries on to the right of the reference, and the y panning that keeps the rows level across
// the two walls' reference heights. Marks the target visited.
void alignWallToNeighbour(MapStore& map, const TextureWalk& walk, int32_t target,
                          int32_t reference);

// Aligns, depth first, every unvisited wall reachable from the wall through shared vertices that
// carries the same tile, each to the wall it was reached from. A wall with another tile (or none
// in range) is only marked, and stops the walk there.
void alignWallTexture(MapStore& map, const TextureWalk& walk, int32_t wall);

}  // namespace korvel
