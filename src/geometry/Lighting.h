// Lighting from light sprites: the light value at a surface point and of a whole surface, the
// shade a light value gives, wall shading from one light, and the shadow cuts a light throws
// past the map's concave corners. A light value is <= 0, more negative meaning more light.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/Mainm.h"
#include "geometry/ShapeFeed.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Strength of a light by its shade byte read as unsigned: 2^(-i/8) below 128, 2^((255-i)/8)
// from 128 on, so shades 0 and -1 both give 1.
const std::array<double, 256>& shadeBrightnessTable();

// What lightAtPoint lights.
enum class LightTarget : int32_t { Floor = 0, Ceiling = 1, Wall = 2, Sprite = 3 };

// Light at a point of the sector's floor (ceiling 0) or ceiling, with walls casting shadows. A
// directional light with a shadow distance (hitag) is placed that far back along its ray for
// the test; the sprite itself stays where it is.
int32_t lightAtSurfacePoint(const MapStore& map, int32_t x, int32_t y, int32_t sector,
                            int32_t ceiling);
// Light at a point of a floor, ceiling, wall or sprite (index by kind), without shadows.
int32_t lightAtPoint(const MapStore& map, int32_t x, int32_t y, int32_t index, LightTarget kind);
// Halfway between the least and most light at the surface's wall points (unlit points left out).
int32_t getSectorLightValue(const MapStore& map, int32_t sector, int32_t ceiling);
int32_t getWallLightValue(const MapStore& map, int32_t wall);
int32_t getSpriteLightValue(const MapStore& map, int32_t sprite);
// lightShadeBase + value / 16, truncating.
int32_t lightValueToShade(int32_t lightShadeBase, int32_t value);

// The light of the wall-lighting page: directional (angle in hundredths of a degree, the way it
// travels) or a point at (x, y), and the shades of a fully lit and an unlit wall.
struct WallLightParams {
    uint8_t directional = 1;
    int32_t angle = 0;
    int32_t x = 0, y = 0;
    uint8_t falloffMode = 0;
    int32_t shadeMin = 0, shadeMax = 0;
    uint8_t relative = 0;
    uint8_t distanceFalloff = 0;
};
// Shades every selected wall (hidden ones too) by how squarely it faces the light.
void shadeSelectedWallsByLight(MapStore& map, const WallLightParams& light);

// The open angle (0..2 pi) at a wall's start vertex V, between the one-sided walls that meet
// there, and those walls' far points: solid is 1 when the walk around V met one-sided walls, 0
// (and angle 2 pi) when V is surrounded by two-sided walls.
struct VertexAngle {
    double angle = 0;
    int32_t solid = 0;
    IntPoint outEnd, vertex, inStart;  // end of the wall leaving V, V, start of the one arriving
};
// `seen` (one byte per wall, at least wallCount) gets 1 at every wall the walk passed.
VertexAngle getVertexInteriorAngle(const MapStore& map, int32_t wall, std::vector<uint8_t>& seen);

// The rays a light sprite throws past the concave corners it sees: pairs of corner and a point
// sixteen times the light's distance further away. At most kMaxShadowRays.
constexpr int32_t kMaxShadowRays = 16384;
struct ShadowRay {
    int32_t x1, y1, x2, y2;
};
std::vector<ShadowRay> shadowRaysFromSprite(const MapStore& map, int32_t sprite);
// Cuts the map along those rays, each ending at the first one-sided wall it leaves by. False
// when the sprite is no sprite or no ray cut anything.
bool cutShadowsFromSprite(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t sprite);

}  // namespace korvel
