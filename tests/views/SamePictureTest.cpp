// The textured sector fill and the sprite pictures against the slow literal painters of
// tests/support/ReferencePictures: on seeded random scenes both must give the same pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "support/PlanViewRig.h"
#include "support/ReferencePictures.h"
#include "support/TileFixtures.h"
#include "views/PlanSprites.h"
#include "views/PlanView.h"
#include "views/SpritePictures.h"
#include "views/TexturedFill.h"

namespace korvel::test {
namespace {

// 300 scenes in six groups that run in parallel.
constexpr int32_t kScenesPerGroup = 50;

struct Scene : PlanViewRig {
    std::mt19937 rng;
    int32_t frameNumber = 0;

    explicit Scene(uint32_t seed) : rng(seed) {
        installFixtureTiles(tiles);
        installFixtureColours(colorTables);
        settings.sectorsFull = settings.spritesFull = 1;
        settings.showSprites = 1;
        settings.spriteZoomLimit = 1 << 20;
        settings.tagDrawLimit = 1 << 20;
        build();
    }

    int32_t pick(int32_t lo, int32_t hi) {
        return std::uniform_int_distribution<int32_t>(lo, hi)(rng);
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng); }
    double real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    }
    // Mostly a fixture tile; now and then any 16-bit number.
    int16_t tile() {
        return chance(0.9) ? int16_t(pick(0, kTileEmpty)) : int16_t(pick(-32768, 32767));
    }

    // A shape around (cx, cy) about r map units across: a room, a room with a hole, or a star
    // (concave).
    void addShape(int32_t cx, int32_t cy, int32_t r) {
        const int32_t kind = pick(0, 2);
        if (kind < 2) {
            const int32_t w = std::max(2, pick(r / 3, r)), h = std::max(2, pick(r / 3, r));
            MapBuilder(map).addRoom(cx - w, cy - h, cx + w, cy + h);
            if (kind == 1 && w > 8 && h > 8)
                MapBuilder(map).addRectHole(cx - w / 2, cy - h / 3, cx + w / 3, cy + h / 2);
            return;
        }
        std::vector<IntPoint> star;
        const int32_t n = pick(5, 14);
        for (int32_t i = 0; i < n; ++i) {
            const double a = 6.283185307179586 * i / n;
            const double rr = r * (i % 2 ? real(0.2, 0.6) : real(0.7, 1.0));
            star.push_back({cx + int32_t(rr * std::sin(a)), cy - int32_t(rr * std::cos(a))});
        }
        MapBuilder(map).addSector(star);
    }

    void build() {
        const double zoom = std::exp(real(std::log(0.05), std::log(256.0)));
        view.viewZoom = float(zoom);
        view.viewOriginX = float(real(-300, 300) * zoom);
        view.viewOriginY = float(real(-300, 300) * zoom);
        // Map point (-originX, originY) lies at column 400, row 300.
        const double midX = -view.viewOriginX, midY = view.viewOriginY;
        const int32_t sectors = pick(1, 6);
        for (int32_t i = 0; i < sectors; ++i) {
            const int32_t r = int32_t(std::max(8.0, real(20, 400) * zoom));
            addShape(int32_t(midX + real(-450, 450) * zoom), int32_t(midY + real(-300, 300) * zoom),
                     r);
        }
        const int16_t heights[] = {-8192, 0, 4096, 4096, 16384};
        for (int32_t s = 0; s < map.sectorCount; ++s) {
            SectorRecord& sec = map.sectors[s];
            sec.floorz = heights[pick(0, 4)];
            sec.ceilingz = heights[pick(0, 4)] - 65536;
            sec.floorpicnum = tile();
            sec.ceilingpicnum = tile();
            sec.floorstat = uint16_t(pick(0, 127) | (chance(0.1) ? pick(0, 65535) : 0));
            sec.ceilingstat = uint16_t(pick(0, 127));
            sec.floorshade = int8_t(pick(-128, 127));
            sec.ceilingshade = int8_t(pick(-10, 40));
            sec.floorpal = uint8_t(pick(0, 40));
            sec.ceilingpal = uint8_t(pick(0, 255));
            sec.floorxpanning = uint8_t(pick(0, 255));
            sec.floorypanning = uint8_t(pick(0, 255));
            sec.ceilingxpanning = uint8_t(pick(0, 255));
            sec.ceilingypanning = uint8_t(pick(0, 255));
            sec.floorheinum = int16_t(pick(-32768, 32767));
            sec.ceilingheinum = int16_t(pick(-4096, 4096));
            if (chance(0.3)) sec.lotag = int16_t(pick(-32768, 32767));
            if (chance(0.3)) sec.hitag = int16_t(pick(-32768, 32767));
            map.sectorSelected[s] = chance(0.2);
            map.sectorIgnored[s] = chance(0.1) ? uint8_t(pick(1, 2)) : 0;
        }
        const int32_t sprites = pick(0, 10);
        for (int32_t i = 0; i < sprites; ++i) {
            const int32_t k = MapBuilder(map).addSprite(
                int32_t(midX + real(-420, 420) * zoom), int32_t(midY + real(-250, 250) * zoom),
                heights[pick(0, 4)], pick(0, map.sectorCount - 1), tile());
            SpriteRecord& sp = map.sprites[k];
            sp.cstat = uint16_t(pick(0, 1023) | (chance(0.05) ? 32768 : 0));
            sp.xrepeat = uint8_t(chance(0.05) ? 0 : pick(1, 255));
            sp.yrepeat = uint8_t(chance(0.05) ? 0 : pick(1, 255));
            sp.ang = int16_t(pick(0, 2047));
            sp.xoffset = int8_t(pick(-128, 127));
            sp.yoffset = int8_t(pick(-128, 127));
            sp.shade = int8_t(pick(-128, 127));
            sp.pal = uint8_t(pick(0, 40));
        }
        // Offsets and animations for the fixture tiles.
        for (int32_t t = 0; t <= kTileEmpty; ++t)
            if (chance(0.5)) tiles.tileAnims[size_t(t)] = int32_t(uint32_t(rng()) & 0x0FFFFF3F);
        settings.ceilingView = chance(0.5);
        settings.twoColorBlend = chance(0.5);
        settings.sectorHighlight = chance(0.5);
        settings.wallTags = chance(0.7);
        settings.spriteOffsets = chance(0.7);
        hover.hoveredSector = pick(-1, map.sectorCount - 1);
        hover.hoveredSprite = map.spriteCount > 0 ? pick(-1, map.spriteCount - 1) : -1;
        frameTime = pick(0, 20000);
        frameNumber = pick(0, 1);
    }

    // The backdrop on the screen, the guard bytes past every row.
    void clearScreen() {
        for (int32_t y = 0; y < kScreenHeight; ++y) {
            uint8_t* row = &frameBuffer.screen[size_t(y) * kGuardedRowLength];
            std::fill(row, row + kScreenWidth, kBackdrop);
            std::fill(row + kScreenWidth, row + kGuardedRowLength, kGuardByte);
        }
    }

    ReferenceScene reference() const {
        return {map,           settings,  colorSettings,    colorTables,
                tiles,         hover,     view.viewOriginX, view.viewOriginY,
                view.viewZoom, frameTime, frameNumber};
    }
};

std::string firstDifference(Scene& scene, const ReferenceScreen& ref) {
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = 0; x < kScreenWidth; ++x)
            if (scene.px(x, y) != ref.pixels[size_t(y) * 800 + size_t(x)])
                return "(" + std::to_string(x) + ", " + std::to_string(y) +
                       "): " + std::to_string(scene.px(x, y)) + " against " +
                       std::to_string(ref.pixels[size_t(y) * 800 + size_t(x)]);
    return "";
}

int64_t changedPixels(Scene& scene) {
    int64_t n = 0;
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = 0; x < kScreenWidth; ++x) n += scene.px(x, y) != kBackdrop;
    return n;
}

void copyScreen(Scene& scene, ReferenceScreen& ref) {
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = 0; x < kScreenWidth; ++x)
            ref.pixels[size_t(y) * 800 + size_t(x)] = scene.px(x, y);
}

class SamePictureTest : public testing::TestWithParam<int32_t> {};

TEST_P(SamePictureTest, FillAndPicturesMatchTheLiteralPaintersOnSeededScenes) {
    // The scenes must show something of both layers, or the comparison proves nothing.
    int32_t filledScenes = 0, pictureScenes = 0;
    const int32_t first = GetParam() * kScenesPerGroup + 1;
    for (int32_t seed = first; seed < first + kScenesPerGroup; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Scene scene{uint32_t(seed)};
        scene.clearScreen();
        ReferenceScreen ref;
        copyScreen(scene, ref);

        // The sector layer alone.
        PlanFrame pf = scene.frame();
        ++pf.lists.paintCount;
        projectWallPoints(pf);
        pf.lists.labelCount = 0;
        fillSectorsTextured(pf, scene.frameNumber);
        std::vector<ReferenceLabel> labels;
        referenceSectorFill(scene.reference(), ref, labels);
        ASSERT_EQ(firstDifference(scene, ref), "") << "sector fill";
        const int64_t filled = changedPixels(scene);
        filledScenes += filled > 0;
        ASSERT_EQ(pf.lists.labelCount, int32_t(labels.size()));
        for (size_t i = 0; i < labels.size(); ++i) {
            const PlanLabel& l = pf.lists.labels[i];
            EXPECT_EQ((ReferenceLabel{l.x, l.y, l.colour, l.text.str()}), labels[i]);
        }

        // Then the pictures over it, from the same draw list.
        pf.lists.spriteDrawCount = 0;
        buildSpriteDrawList(pf, spriteMarkerSize(pf));
        std::vector<SpriteDrawItem> list(
            pf.lists.spriteDrawList.begin(),
            pf.lists.spriteDrawList.begin() + pf.lists.spriteDrawCount);
        drawSpritePictures2D(pf, scene.frameNumber);
        referenceSpritePictures(scene.reference(), list, ref);
        ASSERT_EQ(firstDifference(scene, ref), "") << "sprite pictures";
        pictureScenes += changedPixels(scene) > filled;
        for (size_t i = 0; i < list.size(); ++i)
            EXPECT_EQ(pf.lists.spriteDrawList[i].sprite, list[i].sprite) << "drawing order";
        EXPECT_TRUE(scene.guardsIntact());
    }
    EXPECT_GT(filledScenes, kScenesPerGroup / 2);
    EXPECT_GT(pictureScenes, kScenesPerGroup / 5);
}

INSTANTIATE_TEST_SUITE_P(Groups, SamePictureTest, testing::Range(0, 6));

}  // namespace
}  // namespace korvel::test
