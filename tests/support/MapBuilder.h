// Builds small maps for tests: rooms and polygons, neighbours that share walls, holes with
// islands in them, and sprites. Outer loops are given in plan-view clockwise order, e.g.
// (0,0), (100,0), (100,100), (0,100); holes in the same order and stored reversed.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Mainm.h"
#include "map/MapStore.h"

namespace korvel::test {

class MapBuilder {
public:
    explicit MapBuilder(MapStore& map) : map_(map) {}

    // A new sector with the given outer loop; returns its index.
    int32_t addSector(const std::vector<IntPoint>& outer);
    // An axis-aligned room from (x1, y1) to (x2, y2), x1 < x2 and y1 < y2.
    int32_t addRoom(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // A hole in the last sector added (its walls must be the last walls).
    void addHole(const std::vector<IntPoint>& loop);
    void addRectHole(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // cols x rows rooms of size x size from (x0, y0), neighbours sharing their walls.
    void addGrid(int32_t x0, int32_t y0, int32_t cols, int32_t rows, int32_t size);
    int32_t addSprite(int32_t x, int32_t y, int32_t z, int32_t sector, int16_t picnum = 1);

    // Links every wall with the reversed wall of another sector (the first one found), both
    // ways, and rebuilds the wall-to-sector table. Call after adding everything.
    MapBuilder& link();

private:
    void appendLoop(int32_t sector, const std::vector<IntPoint>& loop);
    MapStore& map_;
};

// Rectangle corners in plan-view clockwise order.
std::vector<IntPoint> rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

}  // namespace korvel::test
