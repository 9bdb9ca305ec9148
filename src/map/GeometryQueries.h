// Read-only questions about the map: point in sector or loop (variants that differ in number
// type and in how they answer on edges), sloped floor and ceiling heights, selection extents
// and wall queries. Every walk is clamped to the wall array and bounded, so a damaged ring gives
// some answer instead of a bad read or an endless loop.
#pragma once

#include <cstdint>

#include "base/Mainm.h"
#include "map/MapStore.h"
#include "map/Selection.h"

namespace korvel {

// 1 inside, 0 outside by the even-odd rule; points on an edge fall either way.
int32_t pointInSector(const MapStore& map, int32_t px, int32_t py, int32_t sector);
// The same at 1/64 map unit: the query point is in 1/64 units.
int32_t pointInSectorFine(const MapStore& map, int32_t qx, int32_t qy, int32_t sector);
// 1 inside or within 0.001 of an edge, else 0.
int32_t pointInSectorOrOnEdge(const MapStore& map, int32_t px, int32_t py, int32_t sector);
// 2 inside, 1 on an edge or on a wall's start point, 0 outside.
int32_t isPointInSector(const MapStore& map, double px, double py, int32_t sector);
// 2 inside, 1 on an edge, 0 outside, for the loop that holds the wall.
int32_t isPointInLoop(const MapStore& map, double px, double py, int32_t wall);
// Over the sector's loops: +1 per outer loop and -1 per hole that holds the point; 0 when the
// point is on the edge of more than one loop. 1 means in the sector's area.
int32_t isPointInSectorByLoop(const MapStore& map, double px, double py, int32_t sector);
// 1 when no sector holds the point strictly inside, else 0.
int32_t isPointInVoidZone(const MapStore& map, double px, double py);

// Heights of a sloped plane: it passes through the first wall's line at floorz (ceilingz) and
// changes by heinum / 256 per unit of distance from that line.
int32_t getTrueFloorZ(const MapStore& map, int32_t x, int32_t y, int32_t sector);
int32_t getTrueCeilingZ(const MapStore& map, int32_t x, int32_t y, int32_t sector);
// Whether those heights are the same everywhere (the floor's, or the ceiling's): the plane is
// not sloped or has no first line to slope from.
bool surfaceIsLevel(const MapStore& map, int32_t sector, bool ceiling);
int32_t floorZAtWithLine(const MapStore& map, int32_t x, int32_t y, int32_t sector, int32_t x1,
                         int32_t y1, int32_t x2, int32_t y2);
int32_t ceilingZAtWithLine(const MapStore& map, int32_t x, int32_t y, int32_t sector, int32_t x1,
                           int32_t y1, int32_t x2, int32_t y2);

// With nothing selected the minima stay at 16777216 and the maxima at -16777216 (empty).
struct BoundingBox {
    int32_t minX = 16777216, minY = 16777216, minZ = 16777216;
    int32_t maxX = -16777216, maxY = -16777216, maxZ = -16777216;
};
struct BoundingRect {
    int32_t minX = 16777216, minY = 16777216;
    int32_t maxX = -16777216, maxY = -16777216;
};
BoundingBox getSelectionBoundingBox(const MapStore& map, SelectionMode mode);
BoundingRect getSelectionBoundingRect(const MapStore& map, SelectionMode mode);
IntPoint selectedSpritesCenter2D(const MapStore& map);
struct IntPoint3 {
    int32_t x = 0, y = 0, z = 0;
    bool operator==(const IntPoint3&) const = default;
};
IntPoint3 selectedSpritesCenter3D(const MapStore& map);

// The wall whose point2 is w; w itself when the ring does not lead back to w.
int32_t getPrevWall(const MapStore& map, int32_t w);
// Direction from the wall's start to its end, 65536 per turn.
int32_t wallAngle(const MapStore& map, int32_t w);
// 1 when the texture is square: yrepeat / xrepeat x length / 1024; 0 when xrepeat is 0.
float wallTexelScale(const MapStore& map, int32_t w);
// 1 when (x, y) lies on the wall's front side within d and projects onto the wall.
int32_t pointNearWallSegment(const MapStore& map, int32_t w, int32_t x, int32_t y, int32_t d);

}  // namespace korvel
