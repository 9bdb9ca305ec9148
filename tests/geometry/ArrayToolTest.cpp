#include "geometry/ArrayTool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/MessageNumbers.h"
#include "map/Selection.h"
#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

class ArrayToolTest : public MapTest {
protected:
    void SetUp() override {
        build.addRoom(-4096, -4096, 4096, 4096);
        build.link();
        source = build.addSprite(1000, 0, -256, 0, 20);
        map.spriteSelected[source] = 1;
        map.selectedSpriteCount = 1;
    }
    // Back to the source sprite alone, selected.
    void reset() {
        deselectSprites(map);
        map.spriteCount = 1;
        map.spriteSelected[0] = 1;
        map.selectedSpriteCount = 1;
    }
    ArrayResult run(ArrayParams& p) { return arrayPasteTool(map, m.clip, m.events, p, random); }
    // The copies in the order they were made.
    std::vector<SpriteRecord> copies() const {
        std::vector<SpriteRecord> out;
        for (int32_t k = source + 1; k < map.spriteCount; ++k) out.push_back(map.sprites[k]);
        return out;
    }
    int32_t source = -1;
    Random random{12345};
};

TEST_F(ArrayToolTest, IncrementsAddUpPerCopyAtEachFieldsWidth) {
    ArrayParams p;
    p.copyCount = 4;
    p.steps[0] = 64;    // x
    p.steps[4] = 1;     // picnum
    p.steps[5] = 200;   // shade: a byte, wraps
    p.steps[15] = 700;  // ang
    p.steps[13] = 5;    // sectnum stepped outside the map
    const ArrayResult r = run(p);
    EXPECT_EQ(r.copiesMade, 3);
    EXPECT_EQ(m.events.statusNumbers().back(), kMsgCopiesMade);
    const auto c = copies();
    ASSERT_EQ(c.size(), 3u);
    for (int32_t k = 1; k <= 3; ++k) {
        const SpriteRecord& s = c[size_t(k - 1)];
        EXPECT_EQ(s.x, 1000 + 64 * k);
        EXPECT_EQ(s.picnum, 20 + k);
        EXPECT_EQ(s.shade, int8_t(uint8_t(200 * k)));
        EXPECT_EQ(s.ang, int16_t(700 * k));
        EXPECT_EQ(s.sectnum, 0);  // found again by its place
    }
    EXPECT_EQ(c[1].shade, int8_t(144));
    expectValid();
}

TEST_F(ArrayToolTest, RotationPlacesCopiesAroundTheCentre) {
    struct Case {
        uint8_t radioB, check;
        double angles[3];  // degrees of each copy around the centre, from the source
    } cases[] = {
        {0, 0, {120, 240, 360}},
        {2, 0, {90, 180, 270}},
        {2, 1, {90, 180, 270}},
    };
    for (const Case& c : cases) {
        reset();
        ArrayParams p;
        p.pattern = 1;
        p.copyCount = 4;
        p.radioA = 2;
        p.radioB = c.radioB;
        p.check = c.check;
        p.rotationStep = 36000;
        run(p);
        const auto got = copies();
        ASSERT_EQ(got.size(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            // The source lies 1000 toward +x of the centre (0, 0).
            const double a = c.angles[i] * 3.14159265358979 / 180;
            EXPECT_NEAR(got[i].x, 1000 * std::cos(a), 1.0) << int(c.radioB) << " copy " << i;
            EXPECT_NEAR(got[i].y, 1000 * std::sin(a), 1.0) << int(c.radioB) << " copy " << i;
            // Only turning sprite by sprite turns the sprite's angle.
            const int32_t turned = int32_t(std::floor(c.angles[i] / 180 * 1024 + 1e-9)) % 2048;
            if (c.check != 0) EXPECT_NEAR(got[i].ang, turned, 1) << i;
            else EXPECT_EQ(got[i].ang, 0) << i;
        }
    }
}

TEST_F(ArrayToolTest, RandomPatternsRepeatFromTheSeed) {
    for (uint8_t pattern : {2, 3, 4}) {
        std::vector<SpriteRecord> first;
        for (int32_t pass = 0; pass < 2; ++pass) {
            reset();
            random.randomState = 777;
            ArrayParams p;
            p.pattern = pattern;
            p.copyCount = 6;
            p.paramA = 64;
            p.paramB = 300;
            p.paramC = 1;
            p.paramD = 200;
            p.option3 = 1;
            p.check = 1;
            const ArrayResult r = run(p);
            EXPECT_EQ(r.copiesMade, 5) << int(pattern);
            const auto c = copies();
            if (pass == 0) {
                first = c;
                continue;
            }
            ASSERT_EQ(c.size(), first.size());
            for (size_t i = 0; i < c.size(); ++i) {
                EXPECT_EQ(c[i].x, first[i].x) << int(pattern);
                EXPECT_EQ(c[i].y, first[i].y) << int(pattern);
                EXPECT_EQ(c[i].z, first[i].z) << int(pattern);
            }
            // Scattered copies stay inside the room, clear of its walls.
            if (pattern == 2)
                for (const SpriteRecord& s : c) {
                    EXPECT_LT(std::abs(s.x), 4096 - 64);
                    EXPECT_LT(std::abs(s.y), 4096 - 64);
                    EXPECT_GE(s.z, -16384);
                    EXPECT_LE(s.z, 0);
                }
        }
        expectValid();
    }
}

TEST_F(ArrayToolTest, NoPlaceStopsWith606KeepingTheCopiesMade) {
    ArrayParams p;
    p.pattern = 2;
    p.copyCount = 5;
    p.paramA = 5000;  // more than half the room
    const ArrayResult r = run(p);
    EXPECT_TRUE(r.noFreePlace);
    EXPECT_EQ(r.copiesMade, 1);
    EXPECT_EQ(map.spriteCount, 2);
    EXPECT_EQ(m.events.statusNumbers().back(), kMsgNoFreePlace);
    // The source's sector outside the map: no place either.
    reset();
    map.sprites[0].sectnum = 9;
    p.paramA = 0;
    EXPECT_TRUE(run(p).noFreePlace);
    map.sprites[0].sectnum = 0;
    expectValid();
}

TEST_F(ArrayToolTest, HostileCountsAndPathLengths) {
    // Nothing selected with a huge count: no copy, no spin.
    map.spriteSelected[source] = 0;
    map.selectedSpriteCount = 0;
    ArrayParams p;
    p.copyCount = 2147483647;
    EXPECT_EQ(run(p).copiesMade, 0);
    EXPECT_EQ(map.spriteCount, 1);
    // Copies beyond the map's room: refused before any copy.
    map.spriteSelected[source] = 1;
    map.selectedSpriteCount = 1;
    m.events.status.clear();
    const ArrayResult r = run(p);
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(m.events.statusNumbers(), std::vector<int32_t>{kMsgNoRoomForSprites});
    EXPECT_EQ(map.spriteCount, 1);
    // A path of no length turns by the sign of C and never moves.
    for (int32_t c : {-5, 0, 5}) {
        reset();
        ArrayParams q;
        q.pattern = 4;
        q.copyCount = 3;
        q.paramC = c;
        q.paramD = 0;
        q.check = 1;
        run(q);
        for (const SpriteRecord& s : copies()) {
            EXPECT_EQ(s.x, 1000);
            EXPECT_EQ(s.y, 0);
        }
    }
    expectValid();
}

}  // namespace
}  // namespace korvel::test
