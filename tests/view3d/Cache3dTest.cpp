#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <tuple>

#include "map/GeometryQueries.h"
#include "view3d/SceneFixture.h"

namespace korvel::test {
namespace {

double floorAreaOf(const SceneRig& rig, int32_t sector) {
    double sum = 0;
    for (const SurfaceTriangle& t : rig.entriesOfKind(SurfaceKind::Floor))
        if ((t.objectCode & 0xFFFF) == sector) sum += std::fabs(planArea(t));
    return sum;
}

std::vector<IntPoint> regularPolygon(int32_t n, int32_t radius) {
    std::vector<IntPoint> pts;
    // Plan-view clockwise: the angle grows with y pointing down.
    for (int32_t i = 0; i < n; ++i) {
        const double a = 2 * 3.14159265358979 * i / n;
        pts.push_back({int32_t(std::lround(radius * std::cos(a))),
                       int32_t(std::lround(radius * std::sin(a)))});
    }
    return pts;
}

TEST(Prepare3d, ConvexSectorsGiveNMinusTwoEarsOfTheirOwnIndex) {
    for (int32_t n : {3, 4, 5, 8, 13}) {
        SceneRig rig;
        rig.build.addRoom(-5000, -5000, -4000, -4000);
        const int32_t s = rig.build.addSector(regularPolygon(n, 1000));
        const auto counts = rig.prepare();
        EXPECT_EQ(counts.completed, 2) << n;
        EXPECT_EQ(counts.givenUp, 0) << n;
        int32_t floors = 0, ceilings = 0;
        for (const auto& t : rig.entriesOfKind(SurfaceKind::Floor)) floors += (t.objectCode & 0xFFFF) == s;
        for (const auto& t : rig.entriesOfKind(SurfaceKind::Ceiling))
            ceilings += (t.objectCode & 0xFFFF) == s;
        EXPECT_EQ(floors, n - 2) << n;
        EXPECT_EQ(ceilings, n - 2) << n;
        EXPECT_NEAR(floorAreaOf(rig, s), polygonArea(regularPolygon(n, 1000)), 1e-6) << n;
    }
}

TEST(Prepare3d, HolesAreJoinedAndTheFloorCoversTheRest) {
    struct Case {
        std::vector<std::tuple<int, int, int, int>> holes;
    };
    const Case cases[] = {{{{400, 400, 600, 600}}},
                          {{{100, 100, 300, 300}, {500, 100, 700, 300}, {300, 600, 700, 900}}}};
    for (const Case& c : cases) {
        SceneRig rig;
        const int32_t s = rig.build.addRoom(0, 0, 1000, 1000);
        double area = 1e6;
        for (auto [x1, y1, x2, y2] : c.holes) {
            rig.build.addRectHole(x1, y1, x2, y2);
            area -= double(x2 - x1) * (y2 - y1);
        }
        const auto counts = rig.prepare();
        EXPECT_EQ(counts.completed, 1);
        EXPECT_NEAR(floorAreaOf(rig, s), area, 1e-6);
        for (const auto& t : rig.entriesOfKind(SurfaceKind::Ceiling)) EXPECT_EQ(t.objectCode, s + 2 * 65536);
    }
}

TEST(Prepare3d, SeededPolygonsWithHolesSumToTheirArea) {
    std::mt19937 rng(1234);
    SceneRig rig;
    for (int round = 0; round < 300; ++round) {
        clearMapRecords(rig.map);
        const int32_t n = 3 + int32_t(rng() % 20);
        std::vector<IntPoint> outer;
        for (int32_t i = 0; i < n; ++i) {
            const double a = 2 * 3.14159265358979 * i / n;
            const double r = 2000 + double(rng() % 2000);
            outer.push_back({int32_t(r * std::cos(a)), int32_t(r * std::sin(a))});
        }
        const int32_t s = rig.build.addSector(outer);
        double area = polygonArea(outer);
        // Up to three small squares, apart from each other, well inside the polygon.
        const int32_t holes = int32_t(rng() % 4);
        for (int32_t h = 0; h < holes; ++h) {
            const int32_t x = -1200 + h * 900 + int32_t(rng() % 200), y = -300 + int32_t(rng() % 300);
            const int32_t size = 100 + int32_t(rng() % 400);
            rig.build.addRectHole(x, y, x + size, y + size);
            area -= double(size) * size;
        }
        const auto counts = rig.prepare();
        ASSERT_EQ(counts.givenUp, 0) << round;
        ASSERT_NEAR(floorAreaOf(rig, s), area, 1e-3) << round;
        for (const auto& t : rig.entriesOfKind(SurfaceKind::Floor)) ASSERT_EQ(t.objectCode, s);
        EXPECT_EQ(rig.scene.sectorObjectCount3d[s], rig.scene.surfaceTriangleCount);
    }
}

TEST(Prepare3d, CollinearCornersAndZeroWallsGiveNoTriangles) {
    SceneRig rig;
    // A square with an extra corner in the middle of one side and a doubled corner.
    const int32_t s = rig.build.addSector(
        {{0, 0}, {500, 0}, {1000, 0}, {1000, 1000}, {1000, 1000}, {0, 1000}});
    const auto counts = rig.prepare();
    EXPECT_EQ(counts.completed, 1);
    EXPECT_EQ(rig.entriesOfKind(SurfaceKind::Floor).size(), 2u);
    EXPECT_NEAR(floorAreaOf(rig, s), 1e6, 1e-6);
}

TEST(Prepare3d, CacheOrderSelectionAndCounts) {
    SceneRig rig;
    rig.build.addRoom(0, 0, 1000, 1000);
    rig.build.addRoom(1000, 0, 2000, 1000);
    rig.build.link();
    rig.texturedWalls();
    rig.map.sectors[1].floorz = -2048;  // a step up: the shared wall shows a lower part
    const int32_t wallSprite = rig.build.addSprite(500, 500, 0, 0, kTile8x8);
    rig.map.sprites[wallSprite].cstat = kSpriteWallAligned;
    const int32_t face = rig.build.addSprite(600, 600, 0, 0, kTile8x8);
    rig.map.sectorSelected[1] = 1;
    rig.map.spriteSelected[wallSprite] = 1;
    rig.prepare();
    const Scene3d& sc = rig.scene;
    // Walls first, each wall's entries contiguous from its first entry; then planes; then the
    // wall sprite; then the face sprite of the first frame.
    int32_t i = 0;
    for (int32_t w = 0; w < rig.map.wallCount; ++w) {
        EXPECT_EQ(sc.wallFirstObject3d[w], i) << w;
        for (int32_t k = 0; k < sc.wallObjectSlots3d[w]; ++k, ++i)
            EXPECT_EQ(sc.surfaceTriangles[i].objectCode & 0xFFFF, w) << w;
    }
    EXPECT_EQ(sc.surfaceTriangles[i].objectCode >> 16, int32_t(SurfaceKind::Floor));
    EXPECT_EQ(sc.surfaceTriangles[i].objectCode & 0xFFFF, 1);  // the last sector first
    EXPECT_EQ(sc.surfaceTriangles[sc.surfaceTriangleCountBeforeSprites - 2].objectCode,
              objectCode3d(SurfaceKind::Sprite, wallSprite));
    EXPECT_EQ(sc.surfaceTriangles[sc.surfaceTriangleCountBeforeSprites - 1].objectCode,
              objectCode3d(SurfaceKind::Sprite, wallSprite));
    EXPECT_EQ(sc.surfaceTriangleCount, sc.surfaceTriangleCountBeforeSprites + 2);
    EXPECT_EQ(sc.surfaceTriangles[sc.surfaceTriangleCount - 1].objectCode,
              objectCode3d(SurfaceKind::Sprite, face));
    // Selection carried over by object code.
    EXPECT_EQ(sc.selected3d[objectCode3d(SurfaceKind::Floor, 1)], 1);
    EXPECT_EQ(sc.selected3d[objectCode3d(SurfaceKind::Ceiling, 1)], 1);
    EXPECT_EQ(sc.selected3d[objectCode3d(SurfaceKind::Floor, 0)], 0);
    EXPECT_EQ(sc.selected3d[objectCode3d(SurfaceKind::Sprite, wallSprite)], 1);
    EXPECT_EQ(sc.any3dSelected, 1);
    int32_t total = 0;
    for (int32_t s = 0; s < 2; ++s) total += sc.sectorObjectCount3d[s];
    EXPECT_EQ(total, sc.surfaceTriangleCount);
}

TEST(Prepare3d, MapWithoutSectorsHoldsOnlySprites) {
    SceneRig rig;
    const auto counts = rig.prepare();
    EXPECT_EQ(counts.completed + counts.givenUp, 0);
    EXPECT_EQ(rig.scene.surfaceTriangleCount, 0);
}

// Sprites are written to two adjacent entries each: consecutive sprites never overlap.
TEST(Prepare3d, SpritesTakeTwoAdjacentEntriesEach) {
    SceneRig rig;
    rig.build.addRoom(0, 0, 1000, 1000);
    for (int32_t k = 0; k < 3; ++k) {
        const int32_t id = rig.build.addSprite(200 + 100 * k, 500, 0, 0, kTile8x8);
        rig.map.sprites[id].cstat = kSpriteFloorAligned;
    }
    rig.prepare();
    const Scene3d& sc = rig.scene;
    const int32_t first = sc.surfaceTriangleCountBeforeSprites - 6;
    for (int32_t k = 0; k < 6; ++k)
        EXPECT_EQ(sc.surfaceTriangles[first + k].objectCode,
                  objectCode3d(SurfaceKind::Sprite, k / 2))
            << k;
}

// --- Hostile maps ---

using Mutation = void (*)(MapStore&);

TEST(Prepare3d, DamagedMapsEndWithoutTouchingAnything) {
    const Mutation mutations[] = {
        [](MapStore& m) { m.walls[1].point2 = 30000; },
        [](MapStore& m) { m.walls[2].point2 = 2; },
        [](MapStore& m) { m.walls[3].point2 = 1; },
        [](MapStore& m) { m.sectors[0].wallptr = 32000; },
        [](MapStore& m) { m.sectors[0].wallnum = 32767; },
        [](MapStore& m) { m.sectors[0].wallnum = -5; },
        [](MapStore& m) { m.sectors[1].wallptr = 0; },  // overlapping ranges
        [](MapStore& m) { m.sectors[1].wallnum = 2; },
        [](MapStore& m) { m.sectors[1].wallnum = 0; },
        [](MapStore& m) { m.walls[0].nextwall = 20000; },
        [](MapStore& m) { m.walls[0].nextsector = 4000; },
        [](MapStore& m) { m.walls[0].nextwall = -7; m.walls[0].nextsector = 1; },
        [](MapStore& m) { m.walls[0].picnum = -3; m.walls[1].overpicnum = 32000; m.walls[1].cstat = 48; },
        [](MapStore& m) { m.sectors[0].floorpicnum = 20000; m.sectors[0].ceilingpicnum = -1; },
        [](MapStore& m) { m.sprites[0].sectnum = 5000; },
        [](MapStore& m) { m.sprites[0].sectnum = -1; m.sprites[0].cstat = 16; },
        [](MapStore& m) { m.sprites[0].picnum = 16000; m.sprites[0].cstat = 32; },
        [](MapStore& m) { for (int w = 0; w < 4; ++w) m.walls[w].x = w % 2 ? 2147483000 : -2147483000; },
        [](MapStore& m) { m.walls[1].x = 1000; m.walls[1].y = 1000; m.walls[2].x = 1000; m.walls[2].y = 0; },
        [](MapStore& m) { m.sectors[0].floorheinum = -32768; m.sectors[0].floorstat = 2; m.sectors[0].floorz = 2147483647; },
        [](MapStore& m) { m.sprites[0].xrepeat = 255; m.sprites[0].z = -2147483647; m.sprites[0].xoffset = -128; },
    };
    int32_t index = 0;
    for (Mutation mutate : mutations) {
        SceneRig rig;
        rig.build.addRoom(0, 0, 1000, 1000);
        rig.build.addRoom(1000, 0, 2000, 1000);
        rig.build.link();
        rig.texturedWalls();
        rig.build.addSprite(500, 500, 0, 0, kTile8x8);
        mutate(rig.map);
        const auto before = std::make_unique<MapStore>(rig.map);
        rig.prepare();
        for (int32_t w = 0; w < rig.map.wallCount; ++w) refreshWall3d(rig.scene, rig.src(), w);
        for (int32_t s = 0; s < 3; ++s) refreshSector3d(rig.scene, rig.src(), s, true, 0);
        refreshSprite3d(rig.scene, rig.src(), 0, 0);
        EXPECT_EQ(std::memcmp(before->walls.data(), rig.map.walls.data(),
                              sizeof(WallRecord) * kMaxWalls),
                  0)
            << index;
        EXPECT_EQ(std::memcmp(before->sectors.data(), rig.map.sectors.data(),
                              sizeof(SectorRecord) * kMaxSectors),
                  0)
            << index;
        ++index;
    }
}

// --- Refresh ---

std::vector<double> fieldsOf(const SurfaceTriangle& t) {
    std::vector<double> f{double(t.tileRef), double(t.tileWidth), double(t.tileHeight),
                          double(t.shade), double(t.pal), double(t.visibility),
                          double(t.drawFlags), double(t.sector)};
    for (const Vertex3d& v : t.p) f.insert(f.end(), {v.x, v.y, v.z, double(v.u), double(v.v)});
    return f;
}

// Non-blank entries from first to end as a multiset of their fields.
std::multimap<int32_t, std::vector<double>> entriesIn(const Scene3d& sc, int32_t first,
                                                      int32_t end) {
    std::multimap<int32_t, std::vector<double>> out;
    for (int32_t i = first; i < end; ++i) {
        const SurfaceTriangle& t = sc.surfaceTriangles[i];
        if (!isBlank3d(t)) out.emplace(t.objectCode, fieldsOf(t));
    }
    return out;
}

std::multimap<int32_t, std::vector<double>> staticEntries(const Scene3d& sc) {
    return entriesIn(sc, 0, sc.surfaceTriangleCountBeforeSprites);
}

std::multimap<int32_t, std::vector<double>> faceEntries(const Scene3d& sc) {
    return entriesIn(sc, sc.surfaceTriangleCountBeforeSprites, sc.surfaceTriangleCount);
}

TEST(Refresh3d, EditsThenRefreshEqualAFreshPreparation) {
    std::mt19937 rng(77);
    const int16_t tiles[] = {kTile8x8, kTile16x4, kTile6x5, kTileEmpty, -1};
    SceneRig rig, fresh;
    for (int round = 0; round < 300; ++round) {
        clearMapRecords(rig.map);
        rig.build.addGrid(0, 0, 3, 2, 1024);
        rig.build.link();
        rig.texturedWalls();
        for (int32_t s = 0; s < rig.map.sectorCount; ++s) rig.map.sectors[s].floorz = int32_t(rng() % 4) * -1024;
        for (int32_t k = 0; k < 4; ++k) {
            const int32_t id = rig.build.addSprite(200 + 1024 * k % 3000, 500, 0, k % 6, kTile8x8);
            rig.map.sprites[id].cstat = uint16_t((k % 3) * 16);
        }
        rig.prepare();
        for (int step = 0; step < 8; ++step) {
            const int kind = int(rng() % 4);
            if (kind == 0) {
                const int32_t w = int32_t(rng() % uint32_t(rig.map.wallCount));
                WallRecord& wall = rig.map.walls[w];
                wall.picnum = tiles[rng() % 5];
                wall.overpicnum = tiles[rng() % 5];
                wall.cstat = uint16_t(rng() % 1024);
                wall.xpanning = uint8_t(rng());
                refreshWall3d(rig.scene, rig.src(), w);
                const int32_t next = wall.nextwall;
                if (next >= 0) {
                    rig.map.walls[next].shade = int8_t(rng());
                    refreshWall3d(rig.scene, rig.src(), next);
                }
            } else if (kind == 1) {
                const int32_t s = int32_t(rng() % uint32_t(rig.map.sectorCount));
                SectorRecord& sec = rig.map.sectors[s];
                sec.floorpicnum = tiles[rng() % 5];
                sec.ceilingpicnum = tiles[rng() % 5];
                sec.floorstat = uint16_t(rng() % 512 & ~kSurfaceSloped);
                sec.ceilingxpanning = uint8_t(rng());
                // Parallax and the sky tile show on the walls around the sector too.
                refreshSector3d(rig.scene, rig.src(), s, true, 0);
            } else if (kind == 2) {
                const int32_t k = int32_t(rng() % uint32_t(rig.map.spriteCount));
                SpriteRecord& sp = rig.map.sprites[k];
                sp.picnum = tiles[rng() % 5];
                sp.cstat = uint16_t(rng() % 128);
                refreshSprite3d(rig.scene, rig.src(), k, 0);
            } else {
                const int32_t s = int32_t(rng() % uint32_t(rig.map.sectorCount));
                rig.map.sectors[s].visibility = uint8_t(rng());
                for (int32_t w = 0; w < rig.map.wallCount; ++w)
                    if (rig.map.walls[w].nextsector == s) rig.map.walls[w].pal = uint8_t(rng() % 4);
                refreshSector3d(rig.scene, rig.src(), s, true, 0);
            }
        }
        const auto edited = staticEntries(rig.scene);
        // Each wall's entries stay contiguous and name the wall (or its twin for a swapped part).
        for (int32_t w = 0; w < rig.map.wallCount; ++w) {
            const int32_t first = rig.scene.wallFirstObject3d[w];
            for (int32_t k = 0; k < rig.scene.wallObjectSlots3d[w]; ++k) {
                const SurfaceTriangle& t = rig.scene.surfaceTriangles[first + k];
                if (isBlank3d(t)) continue;
                const int32_t index = t.objectCode & 0xFFFF;
                ASSERT_TRUE(index == w || index == rig.map.walls[w].nextwall) << round;
            }
        }
        *fresh.mapPtr = rig.map;
        fresh.prepare();
        const auto want = staticEntries(fresh.scene);
        if (edited != want) {
            for (const auto& e : edited)
                if (std::find(want.begin(), want.end(), e) == want.end())
                    ADD_FAILURE() << "extra " << e.first << " tile " << e.second[0] << " flags " << e.second[6];
            for (const auto& e : want)
                if (std::find(edited.begin(), edited.end(), e) == edited.end())
                    ADD_FAILURE() << "missing " << e.first << " tile " << e.second[0] << " flags " << e.second[6];
            FAIL() << round;
        }
    }
}

// Sprites that move between sectors, turn between face, wall and floor kinds or vanish, walls
// whose entries outgrow their slots over the face sprites, sector refreshes that must reach the
// sprites standing in the sector now, and face sprites rebuilt between edits as frames do.
TEST(Refresh3d, SpritesMovingAndChangingKindStayEqualToAFreshPreparation) {
    std::mt19937 rng(4242);
    const int16_t tiles[] = {kTile8x8, kTile16x4, kTileEmpty, -1};
    const uint16_t kinds[] = {0, kSpriteWallAligned, kSpriteFloorAligned, kSpriteInvisible};
    SceneRig rig, fresh;
    for (int round = 0; round < 300; ++round) {
        clearMapRecords(rig.map);
        rig.build.addGrid(0, 0, 3, 2, 1024);
        rig.build.link();
        rig.texturedWalls();
        const int32_t sectors = rig.map.sectorCount;
        const auto centre = [&](int32_t s, int32_t& x, int32_t& y) {
            const SectorRecord& sec = rig.map.sectors[s];
            int64_t sx = 0, sy = 0;
            for (int32_t w = sec.wallptr; w < sec.wallptr + sec.wallnum; ++w) {
                sx += rig.map.walls[w].x;
                sy += rig.map.walls[w].y;
            }
            x = int32_t(sx / sec.wallnum) + int32_t(rng() % 200) - 100;
            y = int32_t(sy / sec.wallnum) + int32_t(rng() % 200) - 100;
        };
        for (int32_t k = 0; k < 8; ++k) {
            const int32_t s = int32_t(rng() % uint32_t(sectors));
            int32_t x, y;
            centre(s, x, y);
            const int32_t id = rig.build.addSprite(x, y, -256, s, kTile8x8);
            rig.map.sprites[id].cstat = kinds[rng() % 3];
        }
        rig.prepare();
        for (int step = 0; step < 10; ++step) {
            const int32_t k = int32_t(rng() % uint32_t(rig.map.spriteCount));
            SpriteRecord& sp = rig.map.sprites[k];
            switch (rng() % 5) {
                case 0: {  // to another sector
                    const int32_t s = int32_t(rng() % uint32_t(sectors));
                    int32_t x, y;
                    centre(s, x, y);
                    sp.x = x;
                    sp.y = y;
                    sp.sectnum = int16_t(s);
                    refreshSprite3d(rig.scene, rig.src(), k, 0);
                    break;
                }
                case 1:
                    sp.cstat = kinds[rng() % 4];
                    sp.picnum = tiles[rng() % 4];
                    refreshSprite3d(rig.scene, rig.src(), k, 0);
                    break;
                case 2: {  // what every sprite of the sector shows
                    const int32_t s = int32_t(rng() % uint32_t(sectors));
                    rig.map.sectors[s].visibility = uint8_t(rng());
                    refreshSector3d(rig.scene, rig.src(), s, rng() % 2 != 0, 0);
                    break;
                }
                case 3: {  // a shared wall gains a masked part: its entries move behind
                    const int32_t w = int32_t(rng() % uint32_t(rig.map.wallCount));
                    rig.map.walls[w].cstat = kWallMasked;
                    rig.map.walls[w].overpicnum = kTile8x8;
                    refreshWall3d(rig.scene, rig.src(), w);
                    break;
                }
                default: buildFaceSpritePolygons3d(rig.scene, rig.src(), 0); break;
            }
        }
        *fresh.mapPtr = rig.map;
        fresh.prepare();
        ASSERT_EQ(staticEntries(rig.scene), staticEntries(fresh.scene)) << round;
        // Face pairs left from the last build are either blank or up to date.
        const auto want = faceEntries(fresh.scene);
        for (const auto& entry : faceEntries(rig.scene)) {
            const auto range = want.equal_range(entry.first);
            ASSERT_TRUE(std::any_of(range.first, range.second,
                                    [&](const auto& e) { return e.second == entry.second; }))
                << round << " sprite " << (entry.first & 0xFFFF);
        }
        buildFaceSpritePolygons3d(rig.scene, rig.src(), 0);
        ASSERT_EQ(faceEntries(rig.scene), want) << round;
    }
}

TEST(Refresh3d, AWallNeedingMoreEntriesMovesBehindTheStaticPart) {
    SceneRig rig;
    rig.build.addRoom(0, 0, 1000, 1000);
    rig.build.addRoom(1000, 0, 2000, 1000);
    rig.build.link();
    rig.texturedWalls();
    rig.prepare();
    const int32_t w = 1;  // the shared wall: no part shows between equal rooms
    ASSERT_GE(rig.map.walls[w].nextwall, 0);
    EXPECT_EQ(rig.scene.wallObjectSlots3d[w], 0);
    const int32_t before = rig.scene.surfaceTriangleCountBeforeSprites;
    rig.map.walls[w].cstat = kWallMasked;
    rig.map.walls[w].overpicnum = kTile8x8;
    refreshWall3d(rig.scene, rig.src(), w);
    EXPECT_EQ(rig.scene.wallFirstObject3d[w], before);
    EXPECT_EQ(rig.scene.wallObjectSlots3d[w], 2);
    EXPECT_EQ(rig.scene.surfaceTriangles[before].objectCode, objectCode3d(SurfaceKind::WallPart, w));
    EXPECT_EQ(rig.scene.surfaceTriangles[before].drawFlags, 11);
    // Fewer again: the entries go blank and stay where they are.
    rig.map.walls[w].cstat = 0;
    refreshWall3d(rig.scene, rig.src(), w);
    EXPECT_TRUE(isBlank3d(rig.scene.surfaceTriangles[before]));
    EXPECT_EQ(rig.scene.wallFirstObject3d[w], before);
}

TEST(Refresh3d, SpriteTurningBetweenKinds) {
    SceneRig rig;
    rig.build.addRoom(0, 0, 1000, 1000);
    const int32_t k = rig.build.addSprite(500, 500, 0, 0, kTile8x8);
    rig.prepare();
    EXPECT_EQ(rig.scene.surfaceTriangleCountBeforeSprites + 2, rig.scene.surfaceTriangleCount);
    rig.map.sprites[k].cstat = kSpriteWallAligned;
    refreshSprite3d(rig.scene, rig.src(), k, 0);
    EXPECT_EQ(rig.entriesOfKind(SurfaceKind::Sprite).size(), 2u);
    EXPECT_EQ(rig.scene.spriteSlots3d[k].count, 2);
    rig.map.sprites[k].cstat = 0;
    refreshSprite3d(rig.scene, rig.src(), k, 0);
    EXPECT_TRUE(isBlank3d(rig.scene.surfaceTriangles[rig.scene.spriteSlots3d[k].first]));
    buildFaceSpritePolygons3d(rig.scene, rig.src(), 0);
    EXPECT_EQ(rig.entriesOfKind(SurfaceKind::Sprite).size(), 2u);
}

}  // namespace
}  // namespace korvel::test

namespace korvel::test {
namespace {

// Two thousand squares side by side in one sector: no cut joins them, and trying every pair
// would take cubic time. The sector is given up and the preparation ends.
TEST(Prepare3d, ASectorOfManyLoopsNoCutJoinsIsGivenUp) {
    SceneRig rig;
    const int32_t s = rig.build.addRoom(0, 0, 10, 10);
    for (int32_t k = 1; k < 2000; ++k) rig.build.addHole(rect(k * 20, 0, k * 20 + 10, 10));
    ASSERT_EQ(rig.map.sectors[s].wallnum, 8000);
    const auto counts = rig.prepare();
    EXPECT_EQ(counts.givenUp, 1);
}

}  // namespace
}  // namespace korvel::test
