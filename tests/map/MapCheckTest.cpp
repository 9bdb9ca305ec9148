// The map check against a recording sink: the exact findings of each damaged field, none on any
// map the builder makes, and an end on every hostile map without changing it.
#include "map/MapCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <random>

#include "support/GridMaps.h"
#include "support/MapBuilder.h"
#include "support/RandomMaps.h"
#include "support/RecordingMapEvents.h"

namespace korvel::test {
namespace {

// The findings in order, as (object, kind, code, message, "&1").
class RecordingSink : public CheckSink {
public:
    explicit RecordingSink(size_t capacity = 4096) : capacity_(capacity) {}
    bool add(const CheckFinding& f) override {
        ++offered;
        if (findings.size() >= capacity_) return false;
        findings.push_back(f);
        return true;
    }
    std::vector<CheckFinding> findings;
    int64_t offered = 0;

private:
    size_t capacity_;
};

std::string describe(const std::vector<CheckFinding>& list) {
    std::string out;
    for (const CheckFinding& f : list)
        out += "(" + std::to_string(f.object) + "," + std::to_string(f.kind) + "," +
               std::to_string(f.code) + "," + std::to_string(f.message) +
               (f.arg.empty() ? "" : "," + f.arg) + ")";
    return out;
}

// Records, flags, the wall-to-sector table and the single values, byte for byte.
bool sameMap(const MapStore& a, const MapStore& b) {
    auto same = [](const auto& x, const auto& y) {
        return std::memcmp(x.data(), y.data(), sizeof(x[0]) * x.size()) == 0;
    };
    return same(a.sectors, b.sectors) && same(a.walls, b.walls) && same(a.sprites, b.sprites) &&
           same(a.sectorSelected, b.sectorSelected) && same(a.wallSelected, b.wallSelected) &&
           same(a.spriteSelected, b.spriteSelected) && same(a.vertexSelected, b.vertexSelected) &&
           same(a.wallSector, b.wallSector) &&
           static_cast<const MapScalars&>(a) == static_cast<const MapScalars&>(b);
}

// Every tile 8 x 8, except where a case changes one.
struct Tiles {
    std::vector<int16_t> widths = std::vector<int16_t>(kTileCount, 8);
    std::vector<int16_t> heights = std::vector<int16_t>(kTileCount, 8);
    TileSizes sizes() const { return {widths, heights}; }
};

struct Checked {
    std::string findings;
    RecordingMapEvents events;
};

Checked runCheck(const MapStore& map, int32_t option, const Tiles& tiles = {}) {
    Checked c;
    RecordingSink sink;
    checkMap(map, tiles.sizes(), option, c.events, sink);
    c.findings = describe(sink.findings);
    return c;
}

// One sector of four one-sided walls, (0,0) (1024,0) (1024,1024) (0,1024), start inside it.
void square(MapStore& map) {
    MapBuilder(map).addRoom(0, 0, 1024, 1024);
    map.startX = map.startY = 512;
    map.startSector = 0;
}

// Two rooms sharing the wall x = 1024, linked both ways.
void twoRooms(MapStore& map) {
    MapBuilder b(map);
    b.addRoom(0, 0, 1024, 1024);
    b.addRoom(1024, 0, 2048, 1024);
    b.link();
    map.startX = map.startY = 512;
}

TEST(MapCheck, EmptyMapAndSoundSquare) {
    auto map = std::make_unique<MapStore>();
    EXPECT_EQ(runCheck(*map, 0).findings, "(0,7,0,737)(0,7,1,738)");
    EXPECT_EQ(runCheck(*map, 1).findings, "(0,7,0,737)(0,7,1,738)(0,3,5,742,0)");
    square(*map);
    EXPECT_EQ(runCheck(*map, 0).findings, "");
    EXPECT_EQ(runCheck(*map, 1).findings, "");
}

struct DamageCase {
    const char* name;
    std::function<void(MapStore&)> build;
    std::function<void(MapStore&, Tiles&)> damage;
    std::string option0, option1;
};

TEST(MapCheck, EachDamagedFieldGivesExactlyItsEntries) {
    const std::vector<DamageCase> cases = {
        {"floor above ceiling", square, [](MapStore& m, Tiles&) { m.sectors[0].floorz = -20000; },
         "(0,0,7,744)", "(0,0,7,744)"},
        {"too few walls in a sector", twoRooms,
         [](MapStore& m, Tiles&) {
             // Sector 0 claims two walls; the other two fall outside every range.
             m.sectors[0].wallnum = 2;
             m.sectors[1].wallptr = 4;
         },
         // Walking a loop of four walls with a count of two never reaches the start: 759.
         "(0,0,3,768)(0,4,8,745)(0,5,23,759)(1,5,23,759)(2,5,23,759)(2,5,33,1373)(3,5,23,759)"
         "(3,5,33,1373)",
         "(0,3,6,743,0)(0,0,3,768)(0,4,8,745)(0,5,23,759)(1,5,23,759)(2,5,23,759)(2,5,33,1373)"
         "(3,5,23,759)(3,5,33,1373)"},
        {"last range ends short", square,
         [](MapStore& m, Tiles&) {
             m.walls[4] = m.walls[3];
             m.walls[4].point2 = 0;
             m.wallCount = 5;
         },
         "(0,4,9,745)(4,5,23,759)(4,5,33,1373)", "(0,4,9,745)(4,5,23,759)(4,5,33,1373)"},
        {"floor tile without picture", square, [](MapStore&, Tiles& t) { t.widths[3] = 0; },
         "(0,4,14,746)", "(0,4,14,746)"},
        {"ceiling tile without picture", square, [](MapStore&, Tiles& t) { t.heights[2] = 0; },
         "(0,4,15,747)", "(0,4,15,747)"},
        {"floor tile 64 x 48", square,
         [](MapStore&, Tiles& t) { t.widths[3] = 64, t.heights[3] = 48; }, "", "(0,0,11,749,3)"},
        {"floor tile 48 x 48, floor bit 0 set", square,
         [](MapStore& m, Tiles& t) {
             t.widths[3] = t.heights[3] = 48;
             m.sectors[0].floorstat |= 1;
         },
         "", ""},
        {"ceiling tile 24 x 40", square,
         [](MapStore&, Tiles& t) { t.widths[2] = 24, t.heights[2] = 40; }, "",
         "(0,0,12,750,2)(0,0,13,751,2)"},
        {"half-linked wall", square, [](MapStore& m, Tiles&) { m.walls[1].nextsector = 3; },
         "(1,5,17,753)", "(1,5,17,753)"},
        // The clamp reads the last wall, which is the true twin; it links to wall 1, which does
        // not link back.
        {"twin wall out of range", twoRooms, [](MapStore& m, Tiles&) { m.walls[1].nextwall = 99; },
         "(1,5,18,754)", "(1,5,18,754)(7,1,21,757)"},
        {"twin sector out of range", twoRooms,
         [](MapStore& m, Tiles&) { m.walls[1].nextsector = -7; }, "(1,5,19,755)(1,5,20,756)",
         "(1,5,19,755)(1,5,20,756)"},
        {"twin not linking back", twoRooms, [](MapStore& m, Tiles&) { m.walls[7].nextwall = 4; },
         "(7,5,20,756)(7,5,22,758)", "(1,1,21,757)(7,5,20,756)(7,1,21,757)(7,5,22,758)"},
        {"start sector missing", square, [](MapStore& m, Tiles&) { m.startSector = 4; }, "",
         "(0,3,5,742,4)"},
        {"start outside its sector", square, [](MapStore& m, Tiles&) { m.startX = 5000; }, "",
         "(0,3,6,743,0)"},
        {"zero-length wall", square,
         [](MapStore& m, Tiles&) { m.walls[1].x = 0; },  // wall 0 now ends where it starts
         "(0,1,24,760)", "(0,1,24,760)"},
        {"wall tile without picture", square, [](MapStore&, Tiles& t) { t.widths[4] = 0; },
         "(0,5,25,761)(1,5,25,761)(2,5,25,761)(3,5,25,761)",
         "(0,5,25,761)(1,5,25,761)(2,5,25,761)(3,5,25,761)"},
        {"masked tile without picture", square,
         [](MapStore& m, Tiles& t) {
             m.walls[2].overpicnum = 77;
             t.heights[77] = 0;
         },
         "(2,1,26,762)", "(2,1,26,762)"},
        {"sprite without sector", square,
         [](MapStore& m, Tiles&) { MapBuilder(m).addSprite(10, 10, 0, -1); }, "",
         "(0,2,27,763,-1)"},
        {"sprite outside its sector", square,
         [](MapStore& m, Tiles&) { MapBuilder(m).addSprite(3000, 10, 0, 0); }, "",
         "(0,2,28,764,0)"},
        {"point2 out of range", square, [](MapStore& m, Tiles&) { m.walls[3].point2 = 9; },
         // The clamp reads wall 3 itself: a loop of one wall, and walls 0-2 never come back.
         "(0,5,23,759)(1,5,23,759)(2,5,23,759)(3,1,24,760)(3,5,34,1374,9)(3,5,35,1375)",
         "(0,5,23,759)(1,5,23,759)(2,5,23,759)(3,1,24,760)(3,5,34,1374,9)(3,5,35,1375)"},
        {"tile numbers out of range", square,
         [](MapStore& m, Tiles&) {
             m.sectors[0].floorpicnum = -2;
             m.sectors[0].ceilingpicnum = 15360;
             m.walls[0].picnum = 20000;
             m.walls[1].overpicnum = -1;
             MapBuilder(m).addSprite(10, 10, 0, 0, 16000);
         },
         "(0,4,36,1376,-2)(0,4,37,1377,15360)(0,5,38,1378,20000)(1,5,39,1379,-1)",
         "(0,4,36,1376,-2)(0,4,37,1377,15360)(0,5,38,1378,20000)(1,5,39,1379,-1)"
         "(0,6,40,1380,16000)"},
    };
    for (const DamageCase& c : cases) {
        auto map = std::make_unique<MapStore>();
        c.build(*map);
        Tiles tiles;
        c.damage(*map, tiles);
        EXPECT_EQ(runCheck(*map, 0, tiles).findings, c.option0) << c.name;
        EXPECT_EQ(runCheck(*map, 1, tiles).findings, c.option1) << c.name;
    }
}

TEST(MapCheck, LoopFaults) {
    struct Case {
        const char* name;
        std::function<void(MapStore&)> damage;
        std::string findings;
    };
    const std::vector<Case> cases = {
        // Walls 0..3 stored as 0, 2, 1, 3 around the loop: the loop closes but is not stored
        // in order. Each wall whose point2 is not the next index ends a loop by the storage
        // rule, so the loop is also counted more than once around the first corner: 766.
        {"loop out of order",
         [](MapStore& m) {
             m.walls[0].point2 = 2;
             m.walls[2].point2 = 1;
             m.walls[1].point2 = 3;
             std::swap(m.walls[1].x, m.walls[2].x);
             std::swap(m.walls[1].y, m.walls[2].y);
         },
         "(0,5,29,767)(1,5,29,767)(2,5,31,766)(2,5,29,767)(3,5,29,767)"},
        // Wall 2 leads back to wall 1: walls 0 and 3 never come back, 1 and 2 form a loop of two,
        // and the walk from wall 3's loop start meets wall 2 before it could reach wall 3.
        {"chain that never returns", [](MapStore& m) { m.walls[2].point2 = 1; },
         "(0,5,23,759)(2,5,31,766)(2,5,35,1375)(3,5,23,759)(3,5,29,767)"},
        // A negative wall count: its range holds wall 0 alone; the walks are bounded by the
        // walls, so the closed loop gives no 759.
        {"negative wall count", [](MapStore& m) { m.sectors[0].wallnum = -3; },
         "(0,0,3,768)(0,4,9,745)(1,5,33,1373)(2,5,33,1373)(3,5,33,1373)"},
    };
    for (const Case& c : cases) {
        auto map = std::make_unique<MapStore>();
        square(*map);
        c.damage(*map);
        EXPECT_EQ(runCheck(*map, 0).findings, c.findings) << c.name;
    }
}

TEST(MapCheck, CrossingWallsAndTouchingEnds) {
    auto map = std::make_unique<MapStore>();
    // A bow tie: walls 0 (0,0)-(1024,1024) and 2 (1024,0)-(0,1024) cross in their middles.
    MapBuilder(*map).addSector({{0, 0}, {1024, 1024}, {1024, 0}, {0, 1024}});
    EXPECT_EQ(runCheck(*map, 0).findings, "(0,5,16,752,2)(2,5,16,752,0)");

    // Walls meeting only at shared end points give nothing.
    auto star = std::make_unique<MapStore>();
    MapBuilder(*star).addSector({{0, 0}, {512, 100}, {1024, 0}, {512, 1024}});
    EXPECT_EQ(runCheck(*star, 0).findings, "");
}

// A loop of many walls zig-zagging across itself, long enough for the sweep (with fewer crossings
// than a report list holds), against the test of every pair written out.
bool byWall(const CheckFinding& a, const CheckFinding& b) {
    return a.object != b.object ? a.object < b.object : std::stoi(a.arg) < std::stoi(b.arg);
}

TEST(MapCheck, SweptCrossingsMatchThePairwiseTest) {
    std::mt19937 rng(7);
    auto map = std::make_unique<MapStore>();
    std::vector<IntPoint> pts;
    for (int32_t i = 0; i < 100; ++i) pts.push_back({int32_t(rng() % 4000), int32_t(rng() % 4000)});
    MapBuilder(*map).addSector(pts);
    RecordingSink sink(1u << 30);
    RecordingMapEvents events;
    Tiles tiles;
    checkMap(*map, tiles.sizes(), 0, events, sink);
    std::vector<CheckFinding> crossings;
    for (const CheckFinding& f : sink.findings)
        if (f.code == 16) crossings.push_back(f);

    std::vector<CheckFinding> expected;
    const int32_t n = map->wallCount;
    auto seg = [&](int32_t w) {
        const WallRecord& a = map->walls[w];
        const WallRecord& b = map->walls[a.point2];
        return std::array<int32_t, 4>{a.x, a.y, b.x, b.y};
    };
    for (int32_t w = 0; w < n; ++w)
        for (int32_t j = 0; j < n; ++j) {
            if (j == w || j == map->walls[w].point2 || w == map->walls[j].point2) continue;
            const auto a = seg(w), b = seg(j);
            if (!segmentsCrossOpen(a[0], a[1], a[2], a[3], b[0], b[1], b[2], b[3])) continue;
            const double d[4] = {signedDistToLine(a[0], a[1], a[2], a[3], b[0], b[1]),
                                 signedDistToLine(a[0], a[1], a[2], a[3], b[2], b[3]),
                                 signedDistToLine(b[0], b[1], b[2], b[3], a[0], a[1]),
                                 signedDistToLine(b[0], b[1], b[2], b[3], a[2], a[3])};
            if (std::fabs(d[0]) < 1e-7 || std::fabs(d[1]) < 1e-7 || std::fabs(d[2]) < 1e-7 ||
                std::fabs(d[3]) < 1e-7)
                continue;
            expected.push_back({w, 5, 16, 752, std::to_string(j)});
        }
    ASSERT_GT(expected.size(), 100u);
    std::vector<CheckFinding> missing, extra;
    std::set_difference(expected.begin(), expected.end(), crossings.begin(), crossings.end(),
                        std::back_inserter(missing), byWall);
    std::set_difference(crossings.begin(), crossings.end(), expected.begin(), expected.end(),
                        std::back_inserter(extra), byWall);
    EXPECT_EQ(describe(missing), "");
    EXPECT_EQ(describe(extra), "");
    EXPECT_EQ(crossings.size(), expected.size());
}

TEST(MapCheck, BuilderMapsGiveNoEntry) {
    auto check = [](MapStore& map, const std::string& name) {
        // The start position in the middle of sector 0's first loop (its rooms are convex).
        int64_t sx = 0, sy = 0, n = 0;
        for (int32_t w = map.sectors[0].wallptr;; ++w) {
            sx += map.walls[w].x, sy += map.walls[w].y, ++n;
            if (map.walls[w].point2 != w + 1) break;
        }
        map.startX = int32_t(sx / n), map.startY = int32_t(sy / n), map.startSector = 0;
        EXPECT_EQ(runCheck(map, 0).findings, "") << name;
        EXPECT_EQ(runCheck(map, 1).findings, "") << name;
    };
    auto rooms = std::make_unique<MapStore>();
    MapBuilder b(*rooms);
    b.addGrid(0, 0, 3, 2, 512);
    b.addRoom(2000, 0, 3000, 1000);
    b.addRectHole(2200, 200, 2600, 600);
    b.addRoom(2200, 200, 2600, 600);
    b.addSector({{0, 2000}, {500, 2000}, {250, 2400}});
    b.addSprite(100, 100, 0, 0);
    b.link();
    check(*rooms, "rooms");
    for (uint32_t seed = 0; seed < 20; ++seed) {
        auto map = std::make_unique<MapStore>();
        std::mt19937 rng(seed);
        buildRandomMap(*map, rng);
        check(*map, "random " + std::to_string(seed));
    }
}

// 4096 sectors of 8 walls each: every wall a map can hold.
void fullWalls(MapStore& map) {
    MapBuilder b(map);
    for (int32_t s = 0; s < kMaxSectors; ++s) {
        const int32_t x = (s % 64) * 2000, y = (s / 64) * 2000;
        b.addSector({{x, y},
                     {x + 500, y},
                     {x + 1000, y},
                     {x + 1000, y + 500},
                     {x + 1000, y + 1000},
                     {x + 500, y + 1000},
                     {x, y + 1000},
                     {x, y + 500}});
    }
}

TEST(MapCheck, FullWallArrayGivesOnlyTheOriginalGameWarning) {
    auto map = std::make_unique<MapStore>();
    fullWalls(*map);
    ASSERT_EQ(map->wallCount, kMaxWalls);
    EXPECT_EQ(runCheck(*map, 0).findings, "(0,7,32,769)");
}

TEST(MapCheck, FindingsBeyondTheListAreCountedInTheStatusLine) {
    auto map = std::make_unique<MapStore>();
    fullWalls(*map);
    Tiles tiles;
    tiles.widths[4] = 0;  // every wall: 761
    RecordingSink sink;
    RecordingMapEvents events;
    checkMap(*map, tiles.sizes(), 0, events, sink);
    EXPECT_EQ(sink.findings.size(), 4096u);
    ASSERT_EQ(events.status.size(), 1u);
    EXPECT_EQ(events.status[0].number, 1381);
    EXPECT_EQ(events.status[0].args, std::vector<std::string>{std::to_string(32768 + 1 - 4096)});
    EXPECT_FALSE(events.progressOpen);
}

// Hostile maps: the check and its twin run end, change nothing and agree with themselves.
TEST(MapCheck, HostileMapsEndUnchanged) {
    const std::vector<std::pair<const char*, std::function<void(MapStore&)>>> cases = {
        {"huge wallnum", [](MapStore& m) { m.sectors[0].wallnum = 32767; }},
        {"negative wallnum", [](MapStore& m) { m.sectors[1].wallnum = -32768; }},
        {"negative wallptr", [](MapStore& m) { m.sectors[1].wallptr = -500; }},
        {"huge wallptr", [](MapStore& m) { m.sectors[0].wallptr = 32000; }},
        {"point2 never back",
         [](MapStore& m) {
             for (int32_t w = 0; w < m.wallCount; ++w) m.walls[w].point2 = int16_t(w + 1);
         }},
        {"self and hostile links",
         [](MapStore& m) {
             m.walls[0].nextwall = 0, m.walls[0].nextsector = 0;
             m.walls[1].nextwall = -9, m.walls[1].nextsector = 30000;
             m.walls[2].nextwall = 32767, m.walls[2].nextsector = -2;
         }},
        {"stale wallSector",
         [](MapStore& m) {
             for (int32_t w = 0; w < m.wallCount; ++w) m.wallSector[w] = int16_t(-w - 5);
         }},
        {"every sector claims every wall",
         [](MapStore& m) {
             for (int32_t s = 0; s < m.sectorCount; ++s)
                 m.sectors[s].wallptr = 0, m.sectors[s].wallnum = int16_t(m.wallCount);
         }},
        {"reversed point2",
         [](MapStore& m) {
             for (int32_t w = 0; w < m.wallCount; ++w) m.walls[w].point2 = int16_t(w - 1);
         }},
    };
    for (const auto& [name, damage] : cases) {
        auto map = std::make_unique<MapStore>();
        MapBuilder b(*map);
        b.addGrid(0, 0, 3, 3, 256);
        b.addSprite(10, 10, 0, 0);
        b.link();
        damage(*map);
        auto before = std::make_unique<MapStore>(*map);
        for (int32_t option = 0; option < 2; ++option) {
            RecordingSink first, second;
            RecordingMapEvents events;
            Tiles tiles;
            checkMap(*map, tiles.sizes(), option, events, first);
            checkMap(*map, tiles.sizes(), option, events, second);
            EXPECT_EQ(describe(first.findings), describe(second.findings)) << name;
            EXPECT_FALSE(events.progressOpen) << name;
        }
        EXPECT_TRUE(sameMap(*map, *before)) << name;
    }
}

TEST(MapCheck, RandomCorruptionsEndUnchanged) {
    std::mt19937 rng(2024);
    auto map = std::make_unique<MapStore>();
    auto before = std::make_unique<MapStore>();
    Tiles tiles;
    for (int32_t round = 0; round < 500; ++round) {
        // The same store each round: only the records a round used are cleared.
        clearMapRecords(*map);
        resetMapState(*map);
        buildRandomMap(*map, rng);
        // Random bytes written over random fields of the records and the wall-to-sector table.
        const int32_t hits = 1 + int32_t(rng() % 6);
        for (int32_t i = 0; i < hits; ++i) {
            const uint32_t kind = rng() % 4;
            auto poke = [&](void* record, size_t size) {
                auto* bytes = static_cast<uint8_t*>(record);
                bytes[rng() % size] = uint8_t(rng());
            };
            if (kind == 0 && map->sectorCount > 0)
                poke(&map->sectors[int32_t(rng() % uint32_t(map->sectorCount))],
                     sizeof(SectorRecord));
            if (kind == 1 && map->wallCount > 0)
                poke(&map->walls[int32_t(rng() % uint32_t(map->wallCount))], sizeof(WallRecord));
            if (kind == 2 && map->spriteCount > 0)
                poke(&map->sprites[int32_t(rng() % uint32_t(map->spriteCount))],
                     sizeof(SpriteRecord));
            if (kind == 3 && map->wallCount > 0)
                map->wallSector[int32_t(rng() % uint32_t(map->wallCount))] = int16_t(rng());
        }
        *before = *map;
        RecordingSink first, second;
        RecordingMapEvents events;
        const int32_t option = round % 2;
        checkMap(*map, tiles.sizes(), option, events, first);
        checkMap(*map, tiles.sizes(), option, events, second);
        ASSERT_EQ(describe(first.findings), describe(second.findings)) << "round " << round;
        ASSERT_TRUE(sameMap(*map, *before)) << "round " << round;
    }
}

}  // namespace
}  // namespace korvel::test
