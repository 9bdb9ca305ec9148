#include "geometry/WallLinks.h"

#include <gtest/gtest.h>

#include <random>

#include "support/MapTestFixture.h"
#include "support/RandomMaps.h"

namespace korvel::test {
namespace {

class WallLinksTest : public MapTest {
protected:
    // Rooms 0 and 1 meet at x = 100 (walls 1 and 7), both sides unlinked.
    void SetUp() override {
        build.addRoom(0, 0, 100, 100);
        build.addRoom(100, 0, 200, 100);
        updateWallSectnums(map);
    }
    int32_t check(int32_t w, bool keepValid = false, bool ignoreExtra = false) {
        return checkWallPointer(map, m.events, w, keepValid, ignoreExtra);
    }
};

TEST_F(WallLinksTest, ReversedWallsOfTwoSectorsAreLinkedFromEitherSide) {
    for (int32_t w : {1, 7}) {
        map.walls[1].nextwall = map.walls[1].nextsector = -1;
        map.walls[7].nextwall = map.walls[7].nextsector = -1;
        const int32_t other = w == 1 ? 7 : 1;
        EXPECT_EQ(check(w), other);
        EXPECT_EQ(map.walls[w].nextwall, other);
        EXPECT_EQ(map.walls[other].nextwall, w);
        EXPECT_EQ(map.walls[1].nextsector, 1);
        EXPECT_EQ(map.walls[7].nextsector, 0);
        expectValid();
    }
}

TEST_F(WallLinksTest, CandidatesThatMayNotBeLinked) {
    struct Case {
        const char* what;
        bool hidden, otherExtra, ignoreExtra;
        int32_t want;
    } cases[] = {
        {"hidden candidate", true, false, false, -1},
        {"other extra", false, true, false, -1},
        {"other extra, ignored", false, true, true, 7},
    };
    for (const auto& c : cases) {
        map.walls[1].nextwall = map.walls[1].nextsector = -1;
        map.walls[7].nextwall = map.walls[7].nextsector = -1;
        map.wallIgnored[7] = c.hidden ? 1 : 0;
        map.walls[7].extra = c.otherExtra ? 42 : -1;
        map.walls[1].extra = -1;
        EXPECT_EQ(check(1, false, c.ignoreExtra), c.want) << c.what;
        if (c.want >= 0) {
            EXPECT_EQ(map.walls[1].extra, 42) << c.what;  // takes the twin's extra
        }
        expectValid();
    }
}

TEST_F(WallLinksTest, AConsistentPairIsKept) {
    build.link();
    EXPECT_EQ(check(1, true), -1);
    EXPECT_EQ(map.walls[1].nextwall, 7);
    EXPECT_EQ(check(1), -1);  // kept, though no search happened
    EXPECT_EQ(map.walls[7].nextwall, 1);
}

TEST_F(WallLinksTest, ZeroLengthWallsAreRemoved) {
    build.link();
    // Wall 2 collapses onto its start: (100,100) -> (100,100).
    map.walls[3].x = 100;
    const int32_t before = map.wallCount;
    check(2);
    EXPECT_EQ(map.wallCount, before - 1);
    EXPECT_EQ(m.events.statusNumbers(), std::vector<int32_t>{716});
    expectValid();

    m.events.clear();
    map.walls[4].x = map.walls[5].x;  // the second room's wall (200,0) -> (200,100) collapses
    map.walls[4].y = map.walls[5].y;
    EXPECT_TRUE(checkZeroWall(map, m.events, 4));
    EXPECT_EQ(map.zeroWallRemoved, 1);
    EXPECT_TRUE(m.events.status.empty());
    EXPECT_FALSE(checkZeroWall(map, m.events, 0));
    EXPECT_EQ(map.zeroWallRemoved, 0);
}

TEST_F(WallLinksTest, NoRepairLeavesAOneWayLink) {
    // A third room lies over the second, so wall 1 has two reversed candidates: 7 and 11.
    build.addRoom(100, 0, 200, 100);
    build.link();  // 1 <-> 7; 11 stays free
    ASSERT_EQ(map.walls[11].nextwall, -1);
    // Wall 1's own link breaks: it is repaired with the free candidate, and 7 is let go.
    map.walls[1].nextsector = 2;
    EXPECT_EQ(check(1), 11);
    EXPECT_EQ(map.walls[7].nextwall, -1);
    expectValid();
    // A candidate that already has a twin is not taken from it.
    map.walls[7].nextwall = map.walls[7].nextsector = -1;
    EXPECT_EQ(check(7), -1);
    EXPECT_EQ(map.walls[1].nextwall, 11);
    expectValid();
    // Out-of-range links are cut, not followed.
    map.walls[0].nextwall = 30000;
    map.walls[0].nextsector = -7;
    map.walls[2].nextwall = 5;
    map.walls[2].nextsector = 9000;
    check(0);
    check(2);
    EXPECT_EQ(map.walls[0].nextwall, -1);
    EXPECT_EQ(map.walls[2].nextwall, -1);
    expectValid();
}

TEST_F(WallLinksTest, ClipboardRelinkingPrefersAFreeTwinAndLetsTheOldOneGo) {
    MapClipboard& clip = m.clip;
    build.addRoom(100, 0, 200, 100);  // a second room over room 1
    build.link();
    for (int32_t s = 0; s < 3; ++s) copySectorToClipboard(clip, map, m.events, s, false);
    // Clipboard walls 1 and 7 are made a consistent pair; 11 is a free reversed twin of 1.
    clip.clipWalls[1].nextwall = 7;
    clip.clipWalls[1].nextsector = 1;
    clip.clipWalls[7].nextwall = 1;
    clip.clipWalls[7].nextsector = 0;
    EXPECT_EQ(clipbCheckWallPointer(clip, 1), 11);
    EXPECT_EQ(clip.clipWalls[1].nextwall, 11);
    EXPECT_EQ(clip.clipWalls[11].nextwall, 1);
    EXPECT_EQ(clip.clipWalls[11].nextsector, 0);
    EXPECT_EQ(clip.clipWalls[7].nextwall, -1);
    // Without a free twin an inconsistent link is cleared on both sides.
    clip.clipWalls[0].nextwall = 6;
    clip.clipWalls[6].nextwall = 0;
    EXPECT_EQ(clipbCheckWallPointer(clip, 0), -1);
    EXPECT_EQ(clip.clipWalls[0].nextwall, -1);
    EXPECT_EQ(clip.clipWalls[6].nextwall, -1);
    EXPECT_EQ(clipbCheckWallPointer(clip, 99), -1);
}

// The batch repair with its start-point index gives exactly what wall-by-wall calls with the
// whole-map scan give, on maps with broken and missing links, hidden walls, differing extras,
// overlapping sectors and zero-length walls.
TEST(WallLinkRepair, IndexedBatchMatchesTheWallByWallScan) {
    for (uint32_t seed = 0; seed < 60; ++seed) {
        std::mt19937 rng(seed);
        auto a = std::make_unique<MapModel>();
        buildRandomMap(a->map, rng);
        MapBuilder b(a->map);
        b.addRoom(0, 0, 256, 256);  // over the first grid room
        b.link();
        MapStore& map = a->map;
        for (int32_t i = 0; i < 12; ++i) {
            const int32_t w = int32_t(rng() % uint32_t(map.wallCount));
            switch (rng() % 5) {
                case 0:
                    map.walls[w].nextwall = int16_t(rng() % 70) - 5;
                    break;
                case 1:
                    map.walls[w].nextsector = int16_t(rng() % 12) - 2;
                    break;
                case 2:
                    map.walls[w].extra = int16_t(rng() % 2);
                    break;
                case 3:
                    map.wallIgnored[w] = 1;
                    break;
                case 4: {  // collapse a wall onto its end
                    const WallRecord& e = map.walls[clampWall(map, map.walls[w].point2)];
                    map.walls[w].x = e.x;
                    map.walls[w].y = e.y;
                    break;
                }
            }
        }
        auto scanned = std::make_unique<MapModel>();
        scanned->map = map;
        repairWallLinks(map, a->events);
        for (int32_t i = scanned->map.wallCount; i != 0;) {
            --i;
            if (scanned->map.wallIgnored[i] != 0) continue;
            checkWallPointer(scanned->map, scanned->events, i, false, false);
            if (scanned->map.wallCount < i) i = scanned->map.wallCount;
        }
        EXPECT_EQ(snapshotDifference(scanned->map, map), "") << "seed " << seed;
        EXPECT_EQ(scanned->events.statusNumbers(), a->events.statusNumbers()) << "seed " << seed;
        EXPECT_FALSE(a->events.progressOpen) << "seed " << seed;
    }
}

}  // namespace
}  // namespace korvel::test
