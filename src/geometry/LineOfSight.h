// Line of sight through the openings between sectors, and tests on a sector's outline: whether
// a segment between two vertices crosses its walls, whether three vertices make an ear, and a
// point's coordinates in the frame of a segment.
#pragma once

#include <cstdint>

#include "map/MapStore.h"

namespace korvel {

// Whether (x2, y2, z2) is seen from (x1, y1, z1) in sector1: the line is followed from sector to
// sector through two-sided walls whose opening (between the higher floor and the lower ceiling)
// it passes. A start outside the map, a one-sided wall, a link outside the map or more than 1024
// sector changes answer false. z grows downward.
bool scanLine(const MapStore& map, double x1, double y1, double z1, int32_t sector1, double x2,
              double y2, double z2);

// Whether the segment from the start of wall a to the start of wall b crosses a wall of the
// sector or passes through one of its vertices between walls on both sides.
bool isSelfIntersecting(const MapStore& map, int32_t a, int32_t b, int32_t sector);

// Whether the vertices of walls a, b, c make an ear of the sector: no vertex strictly inside the
// counterclockwise triangle, and the triangle's centroid strictly inside the sector.
bool isEarTriangle(const MapStore& map, int32_t a, int32_t b, int32_t c, int32_t sector);

// The point's distance along A->B (measured from the line through A at right angles to it) and
// across it (positive to the left), both floored.
struct SegmentFrame {
    int32_t along = 0, across = 0;
};
SegmentFrame toSegmentFrame(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t px, int32_t py);

}  // namespace korvel
