// Operations the plan-view tools hand their points to whose own work lands separately: the
// transforms by reference segments, triangles and quadrilaterals, the triangle loops and the
// terrain built from a tile. Until then each changes nothing.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// The selection moved so that the reference shape in the vertex list lands on the target shape.
void transformBySegments(Editor& ed);
void warpByParallelograms(Editor& ed);
void warpByQuads(Editor& ed);
// A triangle loop added to sector s along (x1, y1)-(x2, y2).
void addTriangleLoop(Editor& ed, int32_t s, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                     int32_t size);
// The terrain of the terrain page built over the two points in the vertex list.
void buildTerrainFromTile(Editor& ed);

}  // namespace korvel
