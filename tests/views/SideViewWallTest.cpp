#include "views/SideViewWall.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/SideViewRig.h"

namespace korvel {
namespace {

using test::PlanColours;
using test::SideViewRig;

constexpr uint8_t kEdge = PlanColours::oneSided + 2;
constexpr uint8_t kHover = PlanColours::toolOverlay;
constexpr int32_t kWallTile = 4;  // the builder's wall picture
constexpr int32_t kOtherTile = 5, kMaskTile = 6;

// Pixel (x, y) of the 8 x 8 wall tile, y from the top: 150 + 8 x + y.
uint8_t wallTexel(int32_t x, int32_t y) {
    return uint8_t(150 + 8 * x + y);
}

// A room whose first wall runs from (0, 0) to (128, 0); at scale 1 it spans columns 400 to 528,
// its floor at z 0 on row 300 and its ceiling at -1024 on row 364. The wall's repeats put two
// screen columns on a texel column and one screen row on a texel row. With twoSided, a second
// room behind it with its floor at -256 (row 316) and its ceiling at -768 (row 348).
struct WallScene {
    SideViewRig r;
    explicit WallScene(bool twoSided) {
        r.decodableColours();
        r.addTile(kWallTile, 8, 8, wallTexel);
        r.addTile(kOtherTile, 8, 8, [](int32_t x, int32_t y) { return uint8_t(10 + 8 * x + y); });
        r.addTile(kMaskTile, 8, 8, [](int32_t x, int32_t y) {
            return (x + y) % 3 == 0 ? uint8_t(255) : uint8_t(100 + 8 * x + y);
        });
        r.build.addRoom(0, 0, 128, 128);
        r.map.sectors[0].ceilingz = -1024;
        if (twoSided) {
            r.build.addRoom(0, -128, 128, 0);
            r.map.sectors[1].floorz = -256;
            r.map.sectors[1].ceilingz = -768;
            r.build.link();
        }
        for (int32_t w = 0; w < r.map.wallCount; ++w) r.map.walls[w].yrepeat = 128;
        r.viewWall(0);
    }
    WallRecord& wall() { return r.map.walls[0]; }
    WallRecord& twin() { return r.map.walls[6]; }
};

TEST(SideViewWall, OneSidedWallShowsItsTexelsBetweenFloorAndCeiling) {
    struct Case {
        const char* name;
        uint16_t cstat;
        uint8_t xpanning;
        int32_t x, y;
        uint8_t want;
    };
    // The texture's top row lies just below the ceiling it hangs from; a texel column covers
    // two screen columns. Column 400 carries the wall's start edge, drawn over the texture.
    const Case cases[] = {
        {"first texel", 0, 0, 401, 363, wallTexel(0, 0)},
        {"second column", 0, 0, 402, 363, wallTexel(1, 0)},
        {"second row", 0, 0, 403, 362, wallTexel(1, 1)},
        {"repeated after 8 columns", 0, 0, 417, 355, wallTexel(0, 0)},
        {"panned by one texel", 0, 1, 401, 363, wallTexel(1, 0)},
        {"x-flipped from the end", kWallFlipX, 0, 527, 363, wallTexel(0, 0)},
        {"above the ceiling", 0, 0, 402, 370, test::kBackdrop},
        {"beyond the wall's end", 0, 0, 600, 330, test::kBackdrop},
    };
    for (const Case& c : cases) {
        WallScene s(false);
        s.wall().cstat = c.cstat;
        s.wall().xpanning = c.xpanning;
        s.r.paint();
        EXPECT_EQ(s.r.px(c.x, c.y), c.want) << c.name;
    }
}

TEST(SideViewWall, AWallNarrowerThanAPixelDrawsOnlyItsOutline) {
    WallScene s(false);
    s.r.view.sideViewScale = 1000;
    s.r.map.sectors[0].ceilingz = -1024000;  // 64 rows above the floor at this scale
    s.r.paint();
    int32_t texels = 0;
    for (int32_t y = kMapViewBottom; y <= kMapViewTop; ++y)
        for (int32_t x = 0; x < kScreenWidth; ++x)
            texels += s.r.px(x, y) >= 150 && s.r.px(x, y) <= 213;
    EXPECT_EQ(texels, 0);
    EXPECT_EQ(s.r.px(400, 330), kEdge);
}

TEST(SideViewWall, ParallaxedFloorsDropTheLowerPartAndCeilingsTheUpper) {
    struct Case {
        bool floors, ceilings;
        bool lower, upper;
    };
    for (const Case c : {Case{false, false, true, true}, Case{true, false, false, true},
                         Case{false, true, true, false}}) {
        WallScene s(true);
        for (int32_t k = 0; k < 2; ++k) {
            if (c.floors) s.r.map.sectors[k].floorstat |= kSurfaceParallax;
            if (c.ceilings) s.r.map.sectors[k].ceilingstat |= kSurfaceParallax;
        }
        s.r.paint();
        // The lower part takes each pair's second colour, the upper its first.
        EXPECT_EQ(s.r.px(402, 305) != test::kBackdrop, c.lower) << c.floors << c.ceilings;
        EXPECT_EQ(s.r.px(402, 355) != test::kBackdrop, c.upper) << c.floors << c.ceilings;
        EXPECT_EQ(s.r.px(402, 330), test::kBackdrop) << "the opening";
    }
    // Only one of the two parallaxed: both parts stay.
    WallScene s(true);
    s.r.map.sectors[0].floorstat |= kSurfaceParallax;
    s.r.paint();
    EXPECT_NE(s.r.px(402, 305), test::kBackdrop);
}

// The rows of the lower part, columns 400 to 528.
std::vector<uint8_t> lowerRows(SideViewRig& r, int32_t from, int32_t to) {
    std::vector<uint8_t> out;
    for (int32_t y = from; y <= to; ++y)
        for (int32_t x = 401; x < 528; ++x) out.push_back(r.px(x, y));
    return out;
}

TEST(SideViewWall, SwappedBottomTakesTheTwinsTextureButKeepsItsOwnRepeatsAndFlip) {
    WallScene swapped(true);
    WallRecord& w = swapped.wall();
    w.cstat = kWallSwapBottom | kWallFlipX;
    w.xrepeat = 16;
    WallRecord& t = swapped.twin();
    t.picnum = kOtherTile;
    t.shade = 3;
    t.pal = 2;
    t.xpanning = 5;
    t.ypanning = 64;
    t.cstat = kWallFlipY;
    t.xrepeat = 99;  // not used
    t.yrepeat = 7;
    swapped.r.paint();

    // The same wall carrying the twin's texture fields itself.
    WallScene own(true);
    WallRecord& o = own.wall();
    o.cstat = kWallFlipX | kWallFlipY;
    o.xrepeat = 16;
    o.picnum = kOtherTile;
    o.shade = 3;
    o.pal = 2;
    o.xpanning = 5;
    o.ypanning = 64;
    own.r.paint();
    EXPECT_EQ(lowerRows(swapped.r, 301, 315), lowerRows(own.r, 301, 315));
    EXPECT_NE(lowerRows(swapped.r, 350, 362), lowerRows(own.r, 350, 362))
        << "the upper part keeps its own texture";
}

TEST(SideViewWall, LowerPartFollowsTheFloorBehindOrWithBitTwoTheOwnCeiling) {
    for (const bool alignBottom : {false, true}) {
        WallScene s(true);
        s.r.map.sectors[1].floorz = -512;  // the lower part spans rows 300 to 332
        if (alignBottom) s.wall().cstat = kWallAlignBottom;
        s.r.paint();
        const std::vector<uint8_t> before = lowerRows(s.r, 304, 320);
        s.r.map.sectors[1].floorz -= 48;  // three rows up
        s.r.paint();
        const std::vector<uint8_t> moved = lowerRows(s.r, 307, 323);
        const std::vector<uint8_t> still = lowerRows(s.r, 304, 320);
        EXPECT_EQ(moved == before, !alignBottom) << alignBottom;
        EXPECT_EQ(still == before, alignBottom) << alignBottom;
    }
}

TEST(SideViewWall, MaskedPartBlendsByItsTranslucencyBits) {
    struct Case {
        const char* name;
        uint16_t cstat;
        int32_t x;
        int (*want)(const ColorTables&, uint8_t texel, uint8_t old);
    };
    // Rows 317 to 347 lie between the two floors and the two ceilings; the masked texture hangs
    // from the lower ceiling (row 348). Texel (1, 0) is 108, texel (0, 0) transparent.
    const uint8_t old = test::kBackdrop;
    const Case cases[] = {
        {"opaque", kWallMasked, 402, [](const ColorTables&, uint8_t c, uint8_t) { return int(c); }},
        {"translucent", kWallMasked | kWallTranslucent, 402,
         [](const ColorTables& t, uint8_t c, uint8_t o) { return int(t.blendTable[c + 256 * o]); }},
        {"translucent, reversed", kWallMasked | kWallTranslucent | kWallTranslucentReversed, 402,
         [](const ColorTables& t, uint8_t c, uint8_t o) { return int(t.blendTable[o + 256 * c]); }},
        {"transparent texel", kWallMasked | kWallTranslucent, 401,
         [](const ColorTables&, uint8_t, uint8_t o) { return int(o); }},
        {"one-way: every texel drawn", kWallOneWayMasked, 401,
         [](const ColorTables&, uint8_t, uint8_t) { return 255; }},
    };
    for (const Case& c : cases) {
        WallScene s(true);
        test::fillSyntheticBlend(s.r.colorTables);
        s.wall().cstat = c.cstat;
        s.wall().overpicnum = kMaskTile;
        s.r.paint();
        EXPECT_EQ(int(s.r.px(c.x, 347)), c.want(s.r.colorTables, 108, old)) << c.name;
    }
    WallScene s(true);
    test::fillSyntheticBlend(s.r.colorTables);
    EXPECT_NE(s.r.colorTables.blendTable[108 + 256 * old],
              s.r.colorTables.blendTable[old + 256 * 108]);
}

TEST(SideViewWall, TileOfHeight48RepeatsEvery64RowsReadingOnIntoItsNextColumn) {
    WallScene s(false);
    // The last tile of the store, so that its last column reads on into the spare bytes.
    s.r.addTile(7, 4, 48, [](int32_t x, int32_t y) { return uint8_t(20 + 48 * x + y); });
    s.wall().picnum = 7;
    s.r.map.sectors[0].ceilingz = -2048;  // row 428
    s.r.paint();
    const auto texel = [](int32_t x, int32_t y) { return uint8_t(20 + 48 * x + y); };
    EXPECT_EQ(s.r.px(401, 427), texel(0, 0));
    EXPECT_EQ(s.r.px(401, 427 - 47), texel(0, 47));
    EXPECT_EQ(s.r.px(401, 427 - 50), texel(1, 2)) << "rows 48 to 63 show the next column";
    EXPECT_EQ(s.r.px(401, 427 - 64), texel(0, 0)) << "64 rows on, the tile starts over";
    EXPECT_EQ(s.r.px(406, 427 - 50), 0) << "the last column reads the spare bytes";
}

// Pictures of the one-sided wall with the given shade and pal.
std::vector<uint8_t> picture(int8_t shade, uint8_t pal) {
    WallScene s(false);
    s.wall().shade = shade;
    s.wall().pal = pal;
    s.r.paint();
    return lowerRows(s.r, 301, 363);
}

TEST(SideViewWall, ShadesBeyondTheTablesDrawAtTheirLimits) {
    EXPECT_EQ(picture(-56, 0), picture(0, 0)) << "shade 200 as a byte draws at shade 0";
    EXPECT_EQ(picture(40, 0), picture(31, 0));
    EXPECT_EQ(picture(0, 30), picture(0, 26));
    EXPECT_NE(picture(0, 25), picture(0, 26));
    EXPECT_NE(picture(30, 0), picture(31, 0));
}

TEST(SideViewWall, LowerAndUpperPartsTakeOppositeMembersOfTheColourPairs) {
    WallScene plain(true);
    plain.r.paint();
    for (const int32_t frame : {0, 1}) {
        WallScene s(true);
        s.r.settings.twoColorBlend = 1;
        s.r.paint(0, frame);
        for (const int32_t x : {402, 403}) {
            // Without the dither the lower part shows second colours and the upper first ones.
            const uint8_t lowerColour = uint8_t(255 - plain.r.px(x, 305));
            const uint8_t upperColour = plain.r.px(x, 355);
            const bool lowerFirst = s.r.px(x, 305) == lowerColour;
            const bool upperFirst = s.r.px(x, 355) == upperColour;
            EXPECT_NE(lowerFirst, upperFirst) << "frame " << frame << " column " << x;
            EXPECT_EQ(lowerFirst, (x & 1) == (frame & 1)) << "frame " << frame << " column " << x;
        }
    }
}

TEST(SideViewWall, OutlineLightsTheHoveredLine) {
    struct Probe {
        int32_t row;
        uint8_t part;
    };
    // Own floor, own ceiling, floor behind, ceiling behind.
    const Probe probes[] = {{300, 1}, {364, 2}, {316, 3}, {348, 4}};
    for (const bool twoSided : {false, true}) {
        for (uint8_t hovered = 0; hovered <= 4; ++hovered) {
            WallScene s(twoSided);
            s.r.hover.sideHoverPart = hovered;
            s.r.paint();
            for (const Probe& p : probes) {
                const uint8_t got = s.r.px(464, p.row);
                if (!twoSided && p.part >= 3) {
                    EXPECT_NE(got, kHover) << "one-sided, part " << int(p.part);
                    continue;
                }
                EXPECT_EQ(got, hovered == p.part ? kHover : kEdge)
                    << (twoSided ? "two" : "one") << "-sided, hovered " << int(hovered) << ", line "
                    << int(p.part);
            }
        }
    }
}

TEST(SideViewWall, StaleOrHostileSubjectsDrawWhatTheyStillCan) {
    struct Case {
        const char* name;
        void (*spoil)(WallScene&);
        bool outline;
    };
    const Case cases[] = {
        {"wall deleted", [](WallScene& s) { s.r.view.sideViewSubject = 40; }, false},
        {"wall without a sector", [](WallScene& s) { s.r.map.wallSector[0] = -1; }, false},
        {"end past the walls", [](WallScene& s) { s.wall().point2 = 9999; }, false},
        {"tile beyond the tiles", [](WallScene& s) { s.wall().picnum = 32767; }, true},
        {"negative tile", [](WallScene& s) { s.wall().picnum = -3; }, true},
        {"animation beyond the last tile",
         [](WallScene& s) {
             s.wall().picnum = kTileCount - 1;
             s.r.tiles.tileAnims[kTileCount - 1] = 128 | 5;  // forward, six frames, fast
         },
         true},
        {"tile of no size", [](WallScene& s) { s.r.tiles.tileWidths[kWallTile] = 0; }, true},
        {"tile wider than the store",
         [](WallScene& s) {
             s.r.tiles.tileWidths[kWallTile] = 32767;
             s.r.tiles.tileHeights[kWallTile] = 1;
         },
         true},
        {"repeats 0",
         [](WallScene& s) {
             s.wall().xrepeat = 0;
             s.wall().yrepeat = 0;
         },
         true},
    };
    for (const Case& c : cases) {
        WallScene s(false);
        c.spoil(s);
        s.r.paint(5000);
        EXPECT_EQ(s.r.px(400, 330) == kEdge, c.outline) << c.name;
        EXPECT_TRUE(s.r.onlyMapViewTouched()) << c.name;
    }
}

}  // namespace
}  // namespace korvel
