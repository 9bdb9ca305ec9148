#include "geometry/TextureAlignment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

class TextureAlignmentTest : public MapTest {
protected:
    std::unique_ptr<TileStore> tiles = std::make_unique<TileStore>();
    std::vector<BufferPoint> marks = std::vector<BufferPoint>(size_t(kPointBufferSize));
    std::vector<int32_t> aligned;

    void SetUp() override {
        for (int32_t t : {4, 9}) tiles->tileWidths[size_t(t)] = tiles->tileHeights[size_t(t)] = 64;
        tiles->tileWidths[10] = 64;
        tiles->tileHeights[10] = 48;
    }
    TextureWalk walk(bool square = false) {
        return {*tiles, marks, square, [this](int32_t w) { aligned.push_back(w); }};
    }
    // Room 0 from x 0 to 100 (walls 0..3) and room 1 from 100 to 200 (walls 4..7), sharing
    // wall 1 with wall 7.
    void twoRooms() {
        build.addRoom(0, 0, 100, 100);
        build.addRoom(100, 0, 200, 100);
        build.link();
        map.sectors[0].ceilingz = 0;
        map.sectors[0].floorz = 8192;
        map.sectors[1].ceilingz = -4096;
        map.sectors[1].floorz = 4096;
    }
};

TEST_F(TextureAlignmentTest, NeighbourContinuesTheReferenceToTheRight) {
    struct Case {
        uint8_t refXrepeat, refXpanning;
        uint16_t refCstat;
        uint8_t want;
    } cases[] = {
        {8, 10, 0, 74},          {8, 10, kWallFlipX, 202}, {0, 10, 0, 11},
        {0, 0, kWallFlipX, 255}, {40, 200, 0, 8},  // 200 + 320 wraps
    };
    twoRooms();
    for (const Case& c : cases) {
        map.walls[0].xrepeat = c.refXrepeat;
        map.walls[0].xpanning = c.refXpanning;
        map.walls[0].cstat = c.refCstat;
        alignWallToNeighbour(map, walk(), 3, 0);
        EXPECT_EQ(map.walls[3].xpanning, c.want) << int(c.refXrepeat) << " " << c.refCstat;
    }
    EXPECT_EQ(marks[3].x, 1);
    EXPECT_EQ(aligned.size(), std::size(cases));
}

TEST_F(TextureAlignmentTest, NeighbourKeepsTextureRowsLevelAcrossReferenceHeights) {
    // Reference: one-sided wall 0 of room 0, counted from its ceiling at 0; yrepeat 8, tile 64
    // high, so 4096 units of height are 64 panning steps.
    struct Case {
        const char* name;
        int32_t target;
        uint16_t targetCstat;
        int32_t room1Floor;
        int16_t refTile;
        uint8_t want;  // from the reference's y panning 10
    } cases[] = {
        {"one-sided, its ceiling", 4, 0, 4096, 4, 10 - 64 + 256},
        {"one-sided bottom-aligned, its floor", 4, kWallAlignBottom, 4096, 4, 10 + 64},
        {"two-sided, the neighbour's floor", 1, 0, 4096, 4, 10 + 64},
        {"two-sided, floors level: the neighbour's ceiling", 1, 0, 8192, 4, 10 - 64 + 256},
        {"two-sided bottom-aligned, its own ceiling", 1, kWallAlignBottom, 4096, 4, 10},
        {"reference tile 0 high keeps the panning", 4, 0, 4096, 11, 77},
        {"reference tile out of range keeps the panning", 4, 0, 4096, -3, 77},
    };
    twoRooms();
    for (const Case& c : cases) {
        map.sectors[1].floorz = c.room1Floor;
        WallRecord& r = map.walls[0];
        r.ypanning = 10;
        r.yrepeat = 8;
        r.picnum = c.refTile;
        WallRecord& t = map.walls[c.target];
        t.cstat = c.targetCstat;
        t.ypanning = 77;
        t.yrepeat = 3;
        alignWallToNeighbour(map, walk(), c.target, 0);
        EXPECT_EQ(t.ypanning, c.want) << c.name;
        EXPECT_EQ(t.yrepeat, 8) << c.name;
        t.cstat = 0;
    }
}

TEST_F(TextureAlignmentTest, NeighbourRowShiftTruncatesTowardsZeroAndSquaresOnRequest) {
    twoRooms();
    map.walls[0].picnum = 10;  // 48 high: 8 x 100 / 48 = 16.7, / 8 = 2.08, truncated to 2
    map.walls[0].ypanning = 0;
    for (const auto& [ceiling, want] : {std::pair{-100, 254}, std::pair{100, 2}}) {
        map.sectors[1].ceilingz = ceiling;
        alignWallToNeighbour(map, walk(), 4, 0);
        EXPECT_EQ(map.walls[4].ypanning, want) << ceiling;
    }
    map.walls[0].yrepeat = 16;
    map.walls[5].xrepeat = 0;
    alignWallToNeighbour(map, walk(true), 5, 0);
    EXPECT_EQ(map.walls[5].xrepeat, 2);  // 100 long at yrepeat 16
    alignWallToNeighbour(map, walk(false), 6, 0);
    EXPECT_EQ(map.walls[6].xrepeat, 8);
}

TEST_F(TextureAlignmentTest, WalkAroundARingAlignsEachWallOnceAndStopsAtOtherTiles) {
    struct Case {
        const char* name;
        int32_t otherTileWall;  // -1: every wall carries tile 4
        int32_t presetMark;     // -1: none
        std::vector<int32_t> want;
    } cases[] = {
        {"whole ring", -1, -1, {1, 2, 3}},
        {"another tile", 2, -1, {1}},
        {"a mark set beforehand", -1, 2, {1}},
        {"start marked", -1, 0, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        clearMapRecords(map);
        resetMapState(map);
        build.addRoom(0, 0, 100, 100);
        build.link();
        clearWallVisitMarks(marks);
        aligned.clear();
        if (c.otherTileWall >= 0) map.walls[c.otherTileWall].picnum = 9;
        if (c.presetMark >= 0) marks[size_t(c.presetMark)].x = 1;
        alignWallTexture(map, walk(), 0);
        EXPECT_EQ(aligned, c.want) << c.name;
        // xrepeat 8 carries the panning on by 64 per wall.
        for (size_t i = 0; i < aligned.size(); ++i)
            EXPECT_EQ(map.walls[aligned[i]].xpanning, 64 * (i + 1)) << c.name;
        EXPECT_EQ(map.walls[0].xpanning, 0) << c.name;
    }
}

// The walk as a recursive procedure, to check the order of the iterative one.
void recursiveWalk(const MapStore& map, std::vector<uint8_t>& seen, std::vector<int32_t>& order,
                   int32_t w) {
    seen[w] = 1;
    const auto visit = [&](int32_t m) {
        if (map.walls[m].picnum == map.walls[w].picnum) {
            seen[m] = 1;
            order.push_back(m);
            recursiveWalk(map, seen, order, m);
        } else {
            seen[m] = 1;
        }
    };
    const int32_t n = map.walls[w].point2;
    if (!seen[n]) visit(n);
    int32_t c = n;
    while (map.walls[c].nextwall >= 0) {
        const int32_t m = map.walls[map.walls[c].nextwall].point2;
        if (seen[m]) break;
        visit(m);
        c = m;
    }
}

TEST_F(TextureAlignmentTest, WalkOnABranchingMapFollowsTheRecursiveOrder) {
    build.addGrid(0, 0, 4, 3, 256);
    build.link();
    // A few walls of another tile cut the walk into branches.
    for (int32_t w = 0; w < map.wallCount; w += 7) map.walls[w].picnum = 9;
    size_t longest = 0;
    for (int32_t start : {0, 1, 5, 17, 30}) {
        MapStore before = map;
        std::vector<uint8_t> seen(size_t(map.wallCount));
        std::vector<int32_t> want;
        recursiveWalk(map, seen, want, start);
        clearWallVisitMarks(marks);
        aligned.clear();
        alignWallTexture(map, walk(), start);
        EXPECT_EQ(aligned, want) << start;
        longest = std::max(longest, aligned.size());
        for (int32_t w = 0; w < map.wallCount; ++w)
            EXPECT_EQ(marks[size_t(w)].x, seen[size_t(w)]) << start << " wall " << w;
        expectValid();
        static_cast<MapContent&>(map) = before;
    }
    EXPECT_GT(longest, 8u);  // the walk branched through several rooms
}

TEST_F(TextureAlignmentTest, DamagedLinksAndTablesStayInBounds) {
    build.addGrid(0, 0, 2, 2, 256);
    build.link();
    map.walls[1].nextwall = 30000;
    map.walls[2].point2 = -5;
    map.walls[5].nextsector = 999;
    map.walls[6].point2 = 32000;
    map.wallSector[9] = 77;
    alignWallTexture(map, walk(), 0);
    alignWallTexture(map, walk(), 4);
    alignWallTexture(map, walk(), -1);
    alignWallTexture(map, walk(), map.wallCount);
    std::vector<BufferPoint> few(3);
    TextureWalk shortMarks{*tiles, few, false, nullptr};
    alignWallTexture(map, shortMarks, 8);
    EXPECT_EQ(few[0].x, 0);
}

}  // namespace
}  // namespace korvel::test
