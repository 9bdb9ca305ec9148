#include "map/SectorSearch.h"

#include <gtest/gtest.h>

#include <random>

#include "map/GeometryQueries.h"
#include "map/WallRanges.h"
#include "support/GridMaps.h"
#include "support/MapTestFixture.h"
#include "support/RandomMaps.h"

namespace korvel::test {
namespace {

class SectorSearchTest : public MapTest {
protected:
    std::vector<uint8_t> sound() const {
        std::vector<uint8_t> out;
        findSoundSectors(map.sectors.data(), map.sectorCount, map.walls.data(), map.wallCount, out);
        return out;
    }
};

TEST_F(SectorSearchTest, TheRingRuleTakesOnlyClosedLoopsInRangesOfTheirOwn) {
    struct Case {
        const char* what;
        void (*damage)(MapStore&);
        std::vector<uint8_t> sound;
    } const cases[] = {
        {"three rooms, the second with a hole", [](MapStore&) {}, {1, 1, 1}},
        {"a negative wallptr", [](MapStore& m) { m.sectors[1].wallptr = -1; }, {1, 0, 1}},
        {"no walls", [](MapStore& m) { m.sectors[1].wallnum = 0; }, {1, 0, 1}},
        {"a range past the last wall", [](MapStore& m) { m.sectors[2].wallnum = 5; }, {1, 1, 0}},
        // Closed loops all the same, but walls 0..3 are sector 0's too: neither may answer.
        {"a range over another sector's walls",
         [](MapStore& m) {
             m.sectors[1].wallptr = 0;
             m.sectors[1].wallnum = 12;
         },
         {0, 0, 1}},
        {"every sector claims every wall",
         [](MapStore& m) {
             for (int32_t s = 0; s < m.sectorCount; ++s) {
                 m.sectors[s].wallptr = 0;
                 m.sectors[s].wallnum = int16_t(m.wallCount);
             }
         },
         {0, 0, 0}},
        {"a point2 out of the range", [](MapStore& m) { m.walls[5].point2 = 13; }, {1, 0, 1}},
        {"a point2 that skips a wall", [](MapStore& m) { m.walls[4].point2 = 6; }, {1, 0, 1}},
        {"a loop that does not close", [](MapStore& m) { m.walls[11].point2 = 9; }, {1, 0, 1}},
        {"a loop of one wall",
         [](MapStore& m) {
             m.sectors[2].wallnum = 1;
             m.walls[12].point2 = 12;
         },
         {1, 1, 0}},
    };
    for (const Case& c : cases) {
        map.sectorCount = map.wallCount = 0;
        build.addRoom(0, 0, 100, 100);
        build.addRoom(200, 0, 400, 200);  // walls 4..7, its hole 8..11
        build.addRectHole(250, 50, 350, 150);
        build.addRoom(500, 0, 600, 100);  // walls 12..15
        build.link();
        c.damage(map);
        EXPECT_EQ(sound(), c.sound) << c.what;
    }
}

// The boxes and the grid only save work: for sound sectors the candidates that hold a point are
// exactly the sectors that hold it, in index order, edges and corners included.
TEST_F(SectorSearchTest, CandidatesMissNoSectorThatHoldsThePoint) {
    for (uint32_t seed = 0; seed < 12; ++seed) {
        auto model = std::make_unique<MapModel>();
        MapStore& m = model->map;
        std::mt19937 rng(seed);
        if (seed < 8) {
            buildRandomMap(m, rng);
        } else {
            // Rooms of every size, overlapping, some far out.
            MapBuilder b(m);
            for (int32_t i = 0; i < 40; ++i) {
                const int32_t x = int32_t(rng() % 20000) - 10000,
                              y = int32_t(rng() % 20000) - 10000;
                const int32_t w = 1 + int32_t(rng() % (i % 4 == 0 ? 30000 : 300));
                b.addRoom(x, y, x + w, y + 1 + int32_t(rng() % 3000));
            }
            b.link();
        }
        const SectorSearch search(m);
        std::vector<IntPoint> points;
        for (int32_t w = 0; w < m.wallCount; ++w) {
            const WallRecord& a = m.walls[w];
            const WallRecord& b = m.walls[clampWall(m, a.point2)];
            points.push_back({a.x, a.y});
            points.push_back(
                {int32_t((int64_t(a.x) + b.x) / 2), int32_t((int64_t(a.y) + b.y) / 2)});
            points.push_back({a.x + int32_t(rng() % 64) - 32, a.y + int32_t(rng() % 64) - 32});
        }
        for (int32_t i = 0; i < 2000; ++i)
            points.push_back({int32_t(rng() % 40000) - 20000, int32_t(rng() % 40000) - 20000});

        int32_t held = 0;
        for (const IntPoint& p : points) {
            std::vector<int32_t> want, got;
            for (int32_t s = 0; s < m.sectorCount; ++s) {
                ASSERT_TRUE(search.isSound(s)) << "seed " << seed << " sector " << s;
                if (pointInSectorOrOnEdge(m, p.x, p.y, s)) want.push_back(s);
            }
            search.forEachCandidate(p.x, p.y, [&](int32_t s) {
                if (pointInSectorOrOnEdge(m, p.x, p.y, s)) got.push_back(s);
            });
            ASSERT_EQ(got, want) << "seed " << seed << " at " << p.x << ", " << p.y;
            held += want.empty() ? 0 : 1;
        }
        EXPECT_GT(held, 0) << "seed " << seed;
    }
}

TEST_F(SectorSearchTest, AFullMapOffersAPointAFewCandidates) {
    buildSplitRoomGrid(map, 64, 64, 0);
    const SectorSearch search(map);
    int32_t most = 0;
    for (int32_t y = 0; y < 64 * 512; y += 97)
        for (int32_t x = 0; x < 64 * 512; x += 89) {
            int32_t n = 0;
            search.forEachCandidate(x, y, [&](int32_t) { ++n; });
            most = std::max(most, n);
        }
    // A point on a corner lies in the boxes of four rooms.
    EXPECT_LE(most, 4);
    EXPECT_GE(most, 1);
}

}  // namespace
}  // namespace korvel::test
