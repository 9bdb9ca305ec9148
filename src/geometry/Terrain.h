// Terrain from a tile's pixels: a grid of triangular sectors whose floors are planes through
// heights sampled from the picture, and the small reference loops that give a sloped sector
// the first wall its slope is measured from.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "base/Mainm.h"
#include "geometry/ShapeFeed.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// The height picture: width x height pixels, column after column, and the height value 0..255
// of each colour index (the index itself, or its brightness in the game palette).
struct TerrainPicture {
    int32_t width = 0, height = 0;
    std::span<const uint8_t> pixels;
    std::array<uint8_t, 256> level{};
};

struct TerrainParams {
    int32_t cols = 0, rows = 0;  // triangles per row, rows
    int32_t heightScale = 0;     // a level of 256 lies heightScale below 0
};

struct TerrainTriangle {
    IntPoint p[3];
};

struct TerrainResult {
    int32_t sectorsBuilt = 0;
    int32_t referenceLoops = 0;
    bool refused = false;  // nothing was tried; the reason went to the status line
};

// The triangle grid of a terrain whose top left corner is p0 and whose width runs to hitX:
// rows of equilateral triangles pointing up and down in turn, rows outermost. Empty when the
// counts are below 1 or a corner would leave the 32-bit range.
std::vector<TerrainTriangle> terrainTriangles(IntPoint p0, int32_t hitX, int32_t cols,
                                              int32_t rows);

// The sampled level (0..255) of the picture at (u, v), in 1/64 pixel units; the picture
// repeats in both directions.
int32_t terrainSample(const TerrainPicture& pic, int64_t u, int64_t v);

// Builds one sector for each of the first rows x cols triangles (never more than are given),
// its floor the plane through the sampled heights of its corners; every sloped one gets a
// reference loop far off along the contour through its first corner. Counts below 1, a width
// of 0, a picture without pixels, or no room for rows x cols sectors of six walls build
// nothing, with a message. The progress bar advances once per triangle and is left shown.
TerrainResult buildTerrainFromTile(MapStore& map, MapEvents& events, ShapeFeed& feed,
                                   const TerrainParams& params, const TerrainPicture& pic,
                                   IntPoint p0, int32_t hitX,
                                   std::span<const TerrainTriangle> triangles);

// Adds to sector a an equilateral triangle as a further loop whose first wall lies on the line
// through (x1, y1) and (x2, y2), f units further along it, and makes that wall the sector's
// first wall. Coincident points, corners beyond the 32-bit range or a loop the feed did not
// add leave the sector as it was (false).
bool addTriangleLoop(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t x1,
                     int32_t y1, int32_t x2, int32_t y2, int32_t f);

}  // namespace korvel
