#include "geometry/SectorSlope.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/MapBuilder.h"

namespace korvel::test {
namespace {

TEST(SectorSlope, EachSurfaceIsMarkedSlopedExactlyWhenItHasASlope) {
    auto map = std::make_unique<MapStore>();
    MapBuilder(*map).addRoom(0, 0, 64, 64);
    SectorRecord& s = map->sectors[0];
    s.floorstat = kSurfaceSloped | kSurfaceParallax;
    s.floorheinum = 0;
    s.ceilingstat = kSurfaceFlipX;
    s.ceilingheinum = -300;
    updateSectorSlope(*map, 0);
    EXPECT_EQ(s.floorstat, kSurfaceParallax);
    EXPECT_EQ(s.ceilingstat, kSurfaceFlipX | kSurfaceSloped);
    updateSectorSlope(*map, 1);  // no such sector: nothing happens
    updateSectorSlope(*map, -1);
}

}  // namespace
}  // namespace korvel::test
