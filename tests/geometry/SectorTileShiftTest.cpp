#include "geometry/SectorTileShift.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

class SectorTileShiftTest : public MapTest {
protected:
    std::unique_ptr<TileStore> tiles = std::make_unique<TileStore>();
    void SetUp() override {
        build.addRoom(0, 0, 1024, 1024);
        tiles->tileWidths[5] = 64;
        tiles->tileHeights[5] = 64;
        tiles->tileWidths[6] = 32;
        tiles->tileHeights[6] = 128;
        tiles->tileWidths[7] = 0;
        tiles->tileHeights[7] = 0;
    }
};

TEST_F(SectorTileShiftTest, FloorPansByTheDistanceInTexels) {
    struct Case {
        uint16_t stat;
        int16_t tile;
        int32_t dx, dy;
        uint8_t wantX, wantY;  // from panning (0, 0)
    } cases[] = {
        {0, 5, 64, 0, 240, 0},                     // -16
        {kSurfaceDoubleSmoosh, 5, 64, 0, 224, 0},  // -32
        {kSurfaceFlipX, 5, 64, 0, 16, 0},
        {0, 5, 0, 64, 0, 16},
        {kSurfaceFlipY, 5, 0, 64, 0, 240},
        {kSurfaceSwapXY, 5, 0, 64, 16, 0},  // y movement pans x
        {kSurfaceSwapXY, 5, 64, 0, 0, 240},
        {0, 6, 64, 64, 224, 8},      // each axis by its own tile side
        {0, 5, 2, 0, 0, 0},          // -0.5 rounds up to 0
        {0, 5, -2, 0, 1, 0},         // 0.5 rounds up to 1
        {0, 5, 1024 * 16, 0, 0, 0},  // whole tiles wrap back
        // Left alone: parallax, relative alignment, no tile or a tile without size.
        {kSurfaceParallax, 5, 64, 64, 0, 0},
        {kSurfaceRelativeAlign, 5, 64, 64, 0, 0},
        {0, 7, 64, 64, 0, 0},
        {0, -1, 64, 64, 0, 0},
        {0, 15360, 64, 64, 0, 0},
    };
    for (const Case& c : cases) {
        SectorRecord& s = map.sectors[0];
        s.floorstat = c.stat;
        s.floorpicnum = c.tile;
        s.floorxpanning = s.floorypanning = 0;
        s.ceilingxpanning = s.ceilingypanning = 0;
        s.ceilingpicnum = 5;
        shiftSectorTile(map, *tiles, 0, 0, c.dx, c.dy);
        EXPECT_EQ(s.floorxpanning, c.wantX) << c.stat << " " << c.tile << " " << c.dx;
        EXPECT_EQ(s.floorypanning, c.wantY) << c.stat << " " << c.tile << " " << c.dy;
        EXPECT_EQ(s.ceilingxpanning, 0);
        EXPECT_EQ(s.ceilingypanning, 0);
    }
}

TEST_F(SectorTileShiftTest, CeilingPansItsOwnTextureAndExtremesWrap) {
    SectorRecord& s = map.sectors[0];
    s.ceilingpicnum = 5;
    s.ceilingxpanning = 3;
    s.floorpicnum = 5;
    shiftSectorTile(map, *tiles, 0, -1, 64, 0);
    EXPECT_EQ(s.ceilingxpanning, 3 - 16 + 256);
    EXPECT_EQ(s.floorxpanning, 0);

    tiles->tileWidths[5] = tiles->tileHeights[5] = 1;
    for (int32_t d : {INT32_MIN, INT32_MAX}) shiftSectorTile(map, *tiles, 0, 1, d, d);
    for (int32_t sector : {-1, 1, INT32_MAX}) shiftSectorTile(map, *tiles, sector, 0, 64, 64);
    expectValid();
}

}  // namespace
}  // namespace korvel::test
