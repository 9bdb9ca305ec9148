#include "geometry/ClipboardPaste.h"
#include "map/MapClipboard.h"

#include <gtest/gtest.h>

#include "geometry/WallLinks.h"
#include "support/GridMaps.h"
#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

using MapClipboardTest = MapTest;

TEST_F(MapClipboardTest, CopiedWallsAreRebasedAndCutLoose) {
    build.addGrid(0, 0, 125, 1, 100);  // walls 0..499
    const int32_t s = build.addRoom(0, 500, 100, 600);
    build.addSprite(50, 550, 0, s);
    build.addSprite(50, 50, 0, 0);
    build.link();
    ASSERT_EQ(map.sectors[s].wallptr, 500);
    ASSERT_TRUE(copySectorToClipboard(m.clip, map, m.events, s, true));
    EXPECT_EQ(m.clip.clipSectors[0].wallptr, 0);
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(m.clip.clipWalls[i].point2, (i + 1) % 4);
        EXPECT_EQ(m.clip.clipWalls[i].nextwall, -1);
        EXPECT_EQ(m.clip.clipWallSector[i], 0);
    }
    EXPECT_EQ(m.clip.clipSpriteCount, 1);
    EXPECT_EQ(m.clip.clipSprites[0].sectnum, 0);
    // A shared wall of the copy loses its link.
    ASSERT_TRUE(copySectorToClipboard(m.clip, map, m.events, 1, false));
    EXPECT_EQ(m.clip.clipWalls[4 + 3].nextwall, -1);
    EXPECT_EQ(m.clip.clipWallSector[7], 1);
}

TEST_F(MapClipboardTest, BalancedSpritePastesAtTheHitPoint) {
    build.addRoom(0, 0, 100, 100);
    build.addSprite(1000, 2000, 0, -1);
    build.link();
    ASSERT_TRUE(copySpriteToClipboard(m.clip, map, m.events, 0));
    balanceClipboard(m.clip);
    EXPECT_EQ(m.clip.clipSprites[0].x, 0);
    EXPECT_EQ(m.clip.clipSprites[0].y, 0);
    EXPECT_EQ(m.clip.clipOriginX, 1000);
    EXPECT_EQ(m.clip.clipOriginY, 2000);
    ASSERT_TRUE(pasteClipboard(map, m.clip, m.events, 50, 60));
    EXPECT_EQ(map.sprites[1].x, 50);
    EXPECT_EQ(map.sprites[1].y, 60);
    EXPECT_EQ(map.sprites[1].sectnum, 0);
    EXPECT_EQ(map.spriteSelected[1], 1);
    EXPECT_EQ(map.selectedSpriteCount, 1);

    clearClipboard(m.clip);
    balanceClipboard(m.clip);
    EXPECT_EQ(m.clip.clipOriginX, 2147483647);
}

TEST_F(MapClipboardTest, PasteInPlaceLaysTheCopyOverTheOriginalAndLinksItOnItsOwn) {
    build.addRoom(0, 0, 100, 100);
    build.addRoom(100, 0, 200, 100);
    build.link();
    copySectorToClipboard(m.clip, map, m.events, 0, true);
    copySectorToClipboard(m.clip, map, m.events, 1, true);
    balanceClipboard(m.clip);
    ASSERT_TRUE(pasteClipboardInPlace(map, m.clip, m.events));
    EXPECT_EQ(map.sectorCount, 4);
    for (int32_t w = 0; w < 8; ++w) {
        EXPECT_EQ(map.walls[w + 8].x, map.walls[w].x);
        EXPECT_EQ(map.walls[w + 8].y, map.walls[w].y);
    }
    // The originals stay paired; the copies, finding them taken, pair with each other.
    EXPECT_EQ(map.walls[1].nextwall, 7);
    EXPECT_EQ(map.walls[9].nextwall, 15);
    EXPECT_EQ(map.walls[15].nextwall, 9);
    expectValid();
}

TEST_F(MapClipboardTest, PasteAppendsAndSelectsExactlyTheNewSectors) {
    build.addGrid(0, 0, 10, 1, 100);  // 10 sectors, 40 walls
    build.link();
    map.sectorSelected[2] = map.wallSelected[5] = 1;
    map.selectedSectorCount = map.selectedWallCount = 1;
    for (int32_t s : {3, 4, 5}) copySectorToClipboard(m.clip, map, m.events, s, true);
    balanceClipboard(m.clip);
    ASSERT_TRUE(pasteClipboard(map, m.clip, m.events, 0, 1000));
    EXPECT_EQ(map.sectorCount, 13);
    EXPECT_EQ(map.sectors[10].wallptr, 40);
    EXPECT_EQ(map.sectors[12].wallptr, 48);
    EXPECT_EQ(map.selectedSectorCount, 3);
    for (int32_t s = 0; s < 13; ++s) EXPECT_EQ(map.sectorSelected[s], s >= 10 ? 1 : 0);
    EXPECT_EQ(map.selectedWallCount, 0);
    EXPECT_EQ(map.walls[41].nextwall, 47);  // the pasted neighbours found each other
    EXPECT_EQ(map.mapModified, MapModifiedState::Unmodified) << "the edit's business";
    expectValid();
}

TEST_F(MapClipboardTest, ZeroLengthWallsOfAPastedPieceAreRemovedOnTheWay) {
    // A piece with a doubled corner and a degenerate sector: the relinking removes the
    // zero-length walls (and with them the degenerate sector) without missing a wall.
    build.addRoom(0, 0, 100, 100);
    build.link();
    MapStore source;
    MapBuilder b(source);
    b.addSector({{0, 0}, {100, 0}, {100, 0}, {100, 100}, {0, 100}});
    b.addSector({{300, 0}, {300, 0}, {400, 0}});
    b.addRoom(100, 0, 200, 100);
    b.addSprite(150, 50, 0, 2);
    b.addSprite(310, 5, 0, 1);
    for (int32_t s = 0; s < 3; ++s) copySectorToClipboard(m.clip, source, m.events, s, true);
    balanceClipboard(m.clip);
    ASSERT_TRUE(pasteClipboardInPlace(map, m.clip, m.events));
    EXPECT_EQ(map.sectorCount, 3);
    EXPECT_EQ(map.sectors[1].wallnum, 4);
    EXPECT_EQ(map.spriteCount, 1);
    EXPECT_EQ(map.sprites[0].sectnum, 2);
    EXPECT_EQ(map.walls[5].nextwall, 11);  // the pasted rooms found each other
    expectValid();
}

TEST_F(MapClipboardTest, SwappingTwiceRestoresBoth) {
    build.addGrid(0, 0, 2, 1, 100);
    build.addSprite(10, 10, 0, 0);
    build.link();
    copySectorToClipboard(m.clip, map, m.events, 1, true);
    map.wallIgnored[0] = 2;
    map.sectorSelected[0] = 1;
    map.selectedSectorCount = 1;
    const MapStore before = map;
    swapClipboard(map, m.clip);
    EXPECT_EQ(map.sectorCount, 1);
    EXPECT_EQ(map.mapModified, MapModifiedState::Unmodified) << "the edit's business";
    EXPECT_EQ(map.undoState, UndoState::SwapBack);
    expectValid();
    swapClipboard(map, m.clip);
    EXPECT_EQ(recordDifference(before, map), "");
    EXPECT_EQ(m.clip.clipSectorCount, 1);
    EXPECT_EQ(map.wallIgnored[0], 0);
    EXPECT_EQ(map.selectedSectorCount, 0);
    expectValid();
}

TEST_F(MapClipboardTest, SwapRebuildsTheClipboardsWallSectors) {
    // The map becomes the clipboard: its walls must be known by their sectors there, or the
    // clipboard's own link repair would pair walls by stale sector numbers.
    build.addGrid(0, 0, 3, 1, 100);
    build.link();
    for (int32_t w = 0; w < map.wallCount; ++w)
        map.walls[w].nextwall = map.walls[w].nextsector = -1;
    m.clip.clipWallSector.fill(0);
    swapClipboard(map, m.clip);
    EXPECT_EQ(m.clip.clipWallSector[5], 1);
    EXPECT_EQ(m.clip.clipWallSector[11], 2);
    EXPECT_EQ(clipbCheckWallPointer(m.clip, 1), 7);
    EXPECT_EQ(m.clip.clipWalls[7].nextwall, 1);
    EXPECT_EQ(m.clip.clipWalls[7].nextsector, 0);
}

struct OverCapacity {
    const char* what;
    int32_t cols, rows, spritesPerRoom;  // the map, as a split-room grid
    std::vector<IntPoint> piece;         // the clipboard sector (empty: a sprite alone)
    int32_t message;
};

TEST_F(MapClipboardTest, PasteBeyondAnyCapacityIsRefusedUnchanged) {
    const OverCapacity cases[] = {
        {"sectors", 64, 64, 0, rect(0, 0, 10, 10), kMsgNoRoomForSectors},
        {"walls",
         63,
         65,
         0,
         {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}, {40, 10}, {30, 10}, {20, 10}, {10, 10}},
         kMsgNoRoomForWalls},
        {"sprites", 1, 1, kMaxSprites, {}, kMsgNoRoomForSprites},
    };
    for (const auto& c : cases) {
        auto one = std::make_unique<MapModel>();
        buildSplitRoomGrid(one->map, c.cols, c.rows, c.spritesPerRoom);
        MapStore source;
        MapBuilder b(source);
        if (c.piece.empty()) {
            b.addSprite(5, 5, 0, -1);
            copySpriteToClipboard(one->clip, source, one->events, 0);
        } else {
            b.addSector(c.piece);
            copySectorToClipboard(one->clip, source, one->events, 0, false);
        }
        one->events.clear();
        const MapStore before = one->map;
        EXPECT_FALSE(pasteClipboardInPlace(one->map, one->clip, one->events)) << c.what;
        EXPECT_EQ(snapshotDifference(before, one->map), "") << c.what;
        EXPECT_EQ(one->events.statusNumbers(), std::vector<int32_t>{c.message}) << c.what;
    }
}

TEST_F(MapClipboardTest, CopyBeyondTheClipboardsCapacityIsRefused) {
    buildSplitRoomGrid(map, 64, 64, 0);
    for (int32_t s = 0; s < map.sectorCount; ++s)
        ASSERT_TRUE(copySectorToClipboard(m.clip, map, m.events, s, false));
    EXPECT_FALSE(copySectorToClipboard(m.clip, map, m.events, 0, false));
    EXPECT_EQ(m.clip.clipSectorCount, kMaxSectors);
    EXPECT_EQ(m.clip.clipWallCount, kMaxWalls);
    EXPECT_EQ(m.events.statusNumbers(), std::vector<int32_t>{kMsgClipboardFull});
}

}  // namespace
}  // namespace korvel::test
