// How one map object becomes textured triangles of the 3D cache: the parts of a wall, the
// texture rule of floors and ceilings, and the two triangles of a sprite. Every index read from a
// record is checked here; an object whose fields name nothing gives no triangles.
#pragma once

#include <array>
#include <cstdint>

#include "map/MapStore.h"
#include "resources/TileStore.h"
#include "view3d/Scene3d.h"

namespace korvel {

struct SurfaceSource {
    const MapStore& map;
    const TileStore& tiles;
};

// At most six triangles per wall: two each for the upper, lower and masked parts.
constexpr int32_t kMaxWallTriangles3d = 6;
using WallTriangles3d = std::array<SurfaceTriangle, kMaxWallTriangles3d>;

// The wall's accepted triangles in cache order; the count is returned.
int32_t wallTriangles3d(const SurfaceSource& src, int32_t wall, int32_t sector,
                        WallTriangles3d& out);

// Fills tile, shade, pal, visibility, flags and texture coordinates of a floor (or ceiling)
// triangle whose positions are set, from the sector's fields and the line (x1, y1, x2, y2) its
// relative alignment measures from. Returns whether the triangle counts (its tile has a size).
bool applyPlaneRule3d(const SurfaceSource& src, int32_t sector, bool ceiling,
                      const std::array<int32_t, 4>& line, SurfaceTriangle& t);

// The floor and ceiling triangles of one ear, vertices as the ear cutter stores them.
void planeEarTriangles3d(const SurfaceSource& src, int32_t sector,
                         const std::array<int32_t, 4>& line, const PlaneTriangle3d& ear,
                         SurfaceTriangle& floor, SurfaceTriangle& ceiling);

enum class SpriteShape3d { None, Face, Wall, Floor };
// The kind of triangles a sprite gives in the 3D view; None for a sprite in no sector.
SpriteShape3d spriteShape3d(const MapStore& map, int32_t sprite);

// The sprite's two triangles; a face sprite turns to face camAngle. Returns whether they count
// (the sprite is in a sector and its tile has a size).
bool spriteTriangles3d(const SurfaceSource& src, int32_t sprite, double camAngle,
                       std::array<SurfaceTriangle, 2>& out);

// Tile fields of a picnum; a number outside the tile table is a tile of size 0.
void setTile3d(const TileStore& tiles, int32_t picnum, SurfaceTriangle& t);

}  // namespace korvel
