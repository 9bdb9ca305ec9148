#include "views/SpritePictures.h"

#include <gtest/gtest.h>

#include "map/MapStore.h"
#include "resources/TileStore.h"

namespace korvel::test {
namespace {

int32_t animWord(int32_t type, int32_t frames, int32_t speed) {
    return type | (frames - 1) | (speed << 24) | (0x12 << 8);  // an x offset must not matter
}

TEST(SpritePicturesTest, TileAnimationFrames) {
    struct Case {
        const char* name;
        int32_t word, p, t, frame;
    } cases[] = {
        {"no animation", 0, 100, 5000, 100},
        {"one frame of any type", animWord(128, 1, 3), 100, 5000, 100},
        {"type 0 with frames", animWord(0, 4, 3), 100, 5000, 100},
        {"forward: 64 ms per frame at speed 3", animWord(128, 4, 3), 100, 63, 100},
        {"forward: second frame", animWord(128, 4, 3), 100, 64, 101},
        {"forward: last frame", animWord(128, 4, 3), 100, 255, 103},
        {"forward: wraps after 256 ms", animWord(128, 4, 3), 100, 256, 100},
        {"backward", animWord(192, 4, 3), 100, 64, 99},
        {"backward wraps", animWord(192, 4, 3), 100, 256, 100},
        {"oscillating: up", animWord(64, 3, 0), 100, 8, 101},
        {"oscillating: top", animWord(64, 3, 0), 100, 16, 102},
        {"oscillating: down", animWord(64, 3, 0), 100, 24, 101},
        {"oscillating: bottom again", animWord(64, 3, 0), 100, 32, 100},
        {"slowest speed", animWord(128, 64, 15), 100, 262144 * 5, 105},
        {"last tile animates past the range", animWord(128, 4, 0), kTileCount - 1, 24,
         kTileCount + 2},
    };
    for (const Case& c : cases) {
        TileStore tiles;
        tiles.tileAnims[size_t(clampTile(c.p))] = c.word;
        EXPECT_EQ(getTileAnimFrame(tiles, c.p, c.t), c.frame) << c.name;
    }
}

TEST(SpritePicturesTest, TileNumbersOutsideTheRangeReadTheClampedWord) {
    TileStore tiles;
    tiles.tileAnims[0] = animWord(128, 2, 0);
    tiles.tileAnims[kTileCount - 1] = animWord(192, 2, 0);
    EXPECT_EQ(getTileAnimFrame(tiles, -5, 8), -4);
    EXPECT_EQ(getTileAnimFrame(tiles, 32767, 8), 32766);
}

}  // namespace
}  // namespace korvel::test
