#include "geometry/WallTexture.h"

#include <gtest/gtest.h>

#include "support/MapBuilder.h"

namespace korvel::test {
namespace {

TEST(WallTexture, SquaringSetsTheRepeatFromTheLength) {
    struct Case {
        int32_t length;
        uint8_t yrepeat, want;
    } cases[] = {{1024, 8, 8}, {40000, 8, 255}, {60, 8, 0}, {64, 8, 1}, {1536, 16, 24}};
    for (const auto& c : cases) {
        MapStore map;
        MapBuilder(map).addSector({{0, 0}, {c.length, 0}, {0, 1000}});
        map.walls[0].yrepeat = c.yrepeat;
        squareWallTexture(map, 0);
        EXPECT_EQ(map.walls[0].xrepeat, c.want) << c.length;
    }
}

}  // namespace
}  // namespace korvel::test
