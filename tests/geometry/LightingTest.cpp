#include "geometry/Lighting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

class LightingTest : public MapTest {
protected:
    // A room 2048 square, floor at 0, ceiling at -65536 (4096 units up).
    int32_t room() {
        const int32_t s = build.addRoom(0, 0, 2048, 2048);
        map.sectors[s].floorz = 0;
        map.sectors[s].ceilingz = -65536;
        build.link();
        return s;
    }
    int32_t light(int32_t x, int32_t y, int32_t z, int32_t sector, int8_t shade = 0) {
        const int32_t k = build.addSprite(x, y, z, sector);
        map.sprites[k].shade = shade;
        map.lightSprites[map.lightSpriteCount++] = k;
        return k;
    }
    int32_t directional(int16_t ang, int16_t pitch, uint16_t distance, int32_t sector) {
        const int32_t k = light(1024, 1024, -32768, sector);
        map.sprites[k].cstat = kSpriteWallAligned;
        map.sprites[k].ang = ang;
        map.sprites[k].lotag = pitch;
        map.sprites[k].hitag = int16_t(distance);
        return k;
    }
    void sameBytes(const MapStore& before) {
        EXPECT_EQ(std::memcmp(&map.sprites[0], &before.sprites[0],
                              sizeof(SpriteRecord) * size_t(map.spriteCount)),
                  0);
        EXPECT_EQ(std::memcmp(&map.sectors[0], &before.sectors[0],
                              sizeof(SectorRecord) * size_t(map.sectorCount)),
                  0);
        EXPECT_EQ(std::memcmp(&map.walls[0], &before.walls[0],
                              sizeof(WallRecord) * size_t(map.wallCount)),
                  0);
    }
};

TEST_F(LightingTest, BrightnessDoublesEveryEightShadesAndShadesZeroAndMinusOneAgree) {
    const auto& b = shadeBrightnessTable();
    EXPECT_EQ(b[0], 1.0);
    EXPECT_EQ(b[255], 1.0);
    EXPECT_DOUBLE_EQ(b[8], 0.5);
    EXPECT_DOUBLE_EQ(b[247], 2.0);  // shade -8

    const int32_t s = room();
    std::vector<int32_t> values;
    for (int8_t shade : {0, -1, 8}) {
        map.lightSpriteCount = 0;
        map.spriteCount = 0;
        light(1024, 1024, -16384, s, shade);
        values.push_back(lightAtPoint(map, 1024, 1024, s, LightTarget::Floor));
    }
    EXPECT_LT(values[0], 0);
    EXPECT_EQ(values[0], values[1]);
    // The value is the root of the summed light: half the light, 1/sqrt(2) of the value.
    EXPECT_NEAR(values[2], values[0] / std::sqrt(2.0), 1);
}

TEST_F(LightingTest, CosinesByKindOfSurfaceAndLight) {
    const int32_t s = room();
    // Straight down: floors at cosine 1 (root of 1e6), never ceilings.
    directional(0, 512, 0, s);
    EXPECT_EQ(lightAtPoint(map, 500, 500, s, LightTarget::Floor), -1000);
    EXPECT_EQ(lightAtPoint(map, 500, 500, s, LightTarget::Ceiling), 0);
    EXPECT_EQ(lightAtSurfacePoint(map, 500, 500, s, 0), -1000);
    EXPECT_EQ(lightAtSurfacePoint(map, 500, 500, s, 1), 0);

    // A point light exactly at the point: surfaces get nothing, a face sprite is lit at full
    // strength (cosine 1, distance taken as 1).
    map.lightSpriteCount = 0;
    map.spriteCount = 0;
    light(700, 700, 0, s);
    EXPECT_EQ(lightAtPoint(map, 700, 700, s, LightTarget::Floor), 0);
    const int32_t face = build.addSprite(700, 700, 0, s);
    EXPECT_EQ(getSpriteLightValue(map, face), -3162278);  // root of 1e13
    map.sprites[face].cstat = kSpriteFloorAligned;        // facing down, away from a light at its z
    EXPECT_EQ(getSpriteLightValue(map, face), 0);
}

TEST_F(LightingTest, SlopeTiltedTowardsALightReceivesMore) {
    const int32_t s = room();
    light(1024, -2000, -60000, s);  // beyond the first wall (y = 0), high up
    const int32_t flat = lightAtPoint(map, 1024, 100, s, LightTarget::Floor);
    map.sectors[s].floorstat |= kSurfaceSloped;
    map.sectors[s].floorheinum = -2048;  // rising away from the first wall: facing the light
    EXPECT_LT(lightAtPoint(map, 1024, 100, s, LightTarget::Floor), flat);
    map.sectors[s].floorheinum = 2048;
    EXPECT_GT(lightAtPoint(map, 1024, 100, s, LightTarget::Floor), flat);
    // A first wall of no length gives the flat normal.
    map.walls[1].x = map.walls[0].x;
    map.walls[1].y = map.walls[0].y;
    EXPECT_EQ(lightAtPoint(map, 1024, 100, s, LightTarget::Floor), flat);
}

TEST_F(LightingTest, WallsCastShadowsOnlyForTheSurfaceQuery) {
    // Two rooms side by side; the wall between is one-sided until linked.
    const int32_t a = build.addRoom(0, 0, 1024, 1024);
    const int32_t b = build.addRoom(1024, 0, 2048, 1024);
    for (int32_t s : {a, b}) {
        map.sectors[s].floorz = 0;
        map.sectors[s].ceilingz = -32768;
    }
    updateWallSectnums(map);
    light(512, 512, -16384, a);
    const int32_t open = lightAtPoint(map, 1500, 512, b, LightTarget::Floor);
    EXPECT_LT(open, 0);
    EXPECT_EQ(lightAtSurfacePoint(map, 1500, 512, b, 0), 0);
    build.link();
    EXPECT_EQ(lightAtSurfacePoint(map, 1500, 512, b, 0), open);
    map.sprites[0].sectnum = -1;  // a light outside the map sees nothing
    EXPECT_EQ(lightAtSurfacePoint(map, 1500, 512, b, 0), 0);
}

TEST_F(LightingTest, DirectionalShadowTestLeavesTheLightWhereItIs) {
    const int32_t s = room();
    const int32_t k = directional(256, 256, 500, s);
    const MapStore before = map;
    EXPECT_LT(lightAtSurfacePoint(map, 1000, 1000, s, 0), 0);
    EXPECT_NE(getSectorLightValue(map, s, 0), 0);
    getWallLightValue(map, 0);
    getSpriteLightValue(map, k);
    sameBytes(before);
}

TEST_F(LightingTest, EmptyOrDamagedListsGiveNoLightAndShadesFollowTheBase) {
    const int32_t s = room();
    EXPECT_EQ(getSectorLightValue(map, s, 0), 0);
    EXPECT_EQ(getWallLightValue(map, 0), 0);
    struct Case {
        int32_t base, value, want;
    } shades[] = {{32, 0, 32},
                  {32, -100, 26},
                  {0, -15, 0},
                  {0, -2147483647, -134217727},
                  {2147483647, 15, 2147483647}};
    for (const Case& c : shades) EXPECT_EQ(lightValueToShade(c.base, c.value), c.want) << c.value;

    build.addSprite(10, 10, 0, 99);
    build.addSprite(10, 10, 0, -1);
    for (int32_t entry : {-1, 99999, 0, 1}) map.lightSprites[map.lightSpriteCount++] = entry;
    map.sprites[0].shade = -128;
    map.sprites[1].cstat = kSpriteWallAligned;
    map.sprites[1].hitag = -1;
    for (int32_t count : {4, 2147483647, -5}) {
        map.lightSpriteCount = count;
        lightAtSurfacePoint(map, 10, 10, s, 0);
        lightAtSurfacePoint(map, 10, 10, 77, 0);
        lightAtPoint(map, 10, 10, 5000, LightTarget::Wall);
        lightAtPoint(map, 10, 10, -1, LightTarget::Sprite);
        lightAtPoint(map, 10, 10, 0, LightTarget(9));
        getSectorLightValue(map, s, 1);
    }
    // A light so bright its root passes 2^31 is held at the limit.
    map.lightSpriteCount = 0;
    for (int i = 0; i < 4000; ++i) light(1024, 1024, 0, s, -128);
    const int32_t face = build.addSprite(1024, 1024, 0, s);
    EXPECT_EQ(getSpriteLightValue(map, face), -2147483647);
}

TEST_F(LightingTest, WallShadingByFacingFalloffAndRelativeMode) {
    // Wall 0 runs from (0, 0) to (2048, 0); its face looks into the room, towards +y.
    room();
    struct Case {
        const char* name;
        int32_t angle;
        uint8_t mode, relative;
        int8_t old;
        int32_t shadeMax;
        int8_t want;
    } cases[] = {
        {"face-on", 27000, 0, 0, 0, 20, 0},
        {"face-on, mode 1", 27000, 1, 0, 0, 20, 0},
        {"away, mode 1: capped, cosine 0", 9000, 1, 0, 0, 20, 20},
        {"away, mode 2: back to 12000, cosine 0.5", 9000, 2, 0, 0, 20, 10},
        {"sideways, mode 0: cosine 0.71", 0, 0, 0, 0, 20, 6},
        {"relative", 27000, 1, 1, -10, 20, -42},
        {"limited", 9000, 1, 0, 0, 1000, 127},
        {"angle beyond a turn", 27000 + 36000 * 5, 0, 0, 0, 20, 0},
    };
    for (const Case& c : cases) {
        map.wallSelected[0] = 1;
        map.walls[0].shade = c.old;
        map.walls[1].shade = 99;
        WallLightParams p;
        p.directional = 1;
        p.angle = c.angle;
        p.falloffMode = c.mode;
        p.relative = c.relative;
        p.shadeMin = 0;
        p.shadeMax = c.shadeMax;
        shadeSelectedWallsByLight(map, p);
        EXPECT_EQ(map.walls[0].shade, c.want) << c.name;
        EXPECT_EQ(map.walls[1].shade, 99) << c.name;
    }
}

TEST_F(LightingTest, PointLightShadesByDirectionAndDistance) {
    room();
    for (int32_t w = 0; w < 4; ++w) map.wallSelected[w] = 1;
    WallLightParams p;
    p.directional = 0;
    p.x = 1024;
    p.y = 1024;  // the centre: every wall faces it
    p.shadeMin = 0;
    p.shadeMax = 20;
    p.falloffMode = 1;
    shadeSelectedWallsByLight(map, p);
    for (int32_t w = 0; w < 4; ++w) EXPECT_EQ(map.walls[w].shade, 0) << w;
    p.distanceFalloff = 1;  // 1024 away: cosine / 1
    shadeSelectedWallsByLight(map, p);
    for (int32_t w = 0; w < 4; ++w) EXPECT_EQ(map.walls[w].shade, 0) << w;
    p.y = -3000;  // outside, behind wall 0 and in front of wall 2
    p.distanceFalloff = 0;
    shadeSelectedWallsByLight(map, p);
    EXPECT_EQ(map.walls[0].shade, 20);
    EXPECT_EQ(map.walls[2].shade, 0);
}

TEST_F(LightingTest, VertexAnglesAtCornersPillarsAndOpenVertices) {
    constexpr double pi = std::numbers::pi;
    build.addGrid(0, 0, 2, 2, 1024);
    build.link();
    std::vector<uint8_t> seen;
    // Room 0's third wall starts at the grid's centre: two-sided all round.
    const VertexAngle centre = getVertexInteriorAngle(map, 2, seen);
    EXPECT_EQ(centre.solid, 0);
    EXPECT_DOUBLE_EQ(centre.angle, 2 * pi);
    const VertexAngle corner = getVertexInteriorAngle(map, 0, seen);
    EXPECT_EQ(corner.solid, 1);
    EXPECT_NEAR(corner.angle, pi / 2, 1e-9);
    const VertexAngle edge = getVertexInteriorAngle(map, 1, seen);  // (1024, 0): two rooms meet
    EXPECT_EQ(edge.solid, 1);
    EXPECT_NEAR(edge.angle, pi, 1e-9);

    clearMapRecords(map);
    resetMapState(map);
    build.addRoom(0, 0, 3000, 3000);
    build.addRectHole(1000, 1000, 2000, 2000);
    build.link();
    seen.clear();
    const VertexAngle pillar = getVertexInteriorAngle(map, 4, seen);
    EXPECT_EQ(pillar.solid, 1);
    EXPECT_NEAR(pillar.angle, 3 * pi / 2, 1e-9);
}

TEST_F(LightingTest, ShadowRaysPassThePillarsSilhouetteCorners) {
    build.addRoom(0, 0, 3000, 3000);
    build.addRectHole(1000, 1000, 2000, 2000);
    build.link();
    map.sectors[0].floorz = 0;
    map.sectors[0].ceilingz = -32768;
    const int32_t k = light(1500, 500, -16384, 0);  // above the pillar's top side
    const MapStore before = map;
    std::vector<ShadowRay> rays = shadowRaysFromSprite(map, k);
    sameBytes(before);
    ASSERT_EQ(rays.size(), 2u);
    std::sort(rays.begin(), rays.end(), [](auto& a, auto& b) { return a.x1 < b.x1; });
    EXPECT_EQ(rays[0].x1, 1000);
    EXPECT_EQ(rays[0].y1, 1000);
    EXPECT_EQ(rays[0].x2, 17 * 1000 - 16 * 1500);
    EXPECT_EQ(rays[0].y2, 17 * 1000 - 16 * 500);
    EXPECT_EQ(rays[1].x1, 2000);
    EXPECT_EQ(rays[1].y1, 1000);

    // A light in a convex room finds no corner.
    clearMapRecords(map);
    resetMapState(map);
    const int32_t s = room();
    EXPECT_TRUE(shadowRaysFromSprite(map, light(500, 500, -1000, s)).empty());
    EXPECT_TRUE(shadowRaysFromSprite(map, -1).empty());
}

}  // namespace
}  // namespace korvel::test
