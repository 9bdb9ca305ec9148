#include "views/TexturedFill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "support/PlanViewRig.h"
#include "support/TileFixtures.h"

namespace korvel::test {
namespace {

using P = PlanColours;

// The plan view with the fixture tiles and colours, sectors textured and nothing else drawn, at
// zoom 16: one texel per pixel, pixel column x at map x 16 (x - 400) and row y at map
// y 16 (300 - y). The origin cross lies on column 400 and row 300; the rooms keep clear of it.
struct FillRig : PlanViewRig {
    explicit FillRig(float zoom = 16) {
        installFixtureTiles(tiles);
        installFixtureColours(colorTables);
        settings.sectorsFull = 1;
        settings.showWalls = settings.showVertices = settings.showSprites = 0;
        view.viewZoom = zoom;
    }
    // A room over columns x1..x2 (start points) and rows from y2 up to y1, at zoom 16, with the
    // floor (and ceiling) tile given. Its walls cover rows y2..y1 - 1.
    int32_t room(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int16_t tile) {
        const int32_t s =
            build.addRoom(16 * (x1 - 400), 16 * (300 - y1), 16 * (x2 - 400), 16 * (300 - y2));
        map.sectors[s].floorpicnum = map.sectors[s].ceilingpicnum = tile;
        return s;
    }
    SectorRecord& sector(int32_t s = 0) { return map.sectors[s]; }
};

int32_t wrap(int64_t v, int32_t n) {
    return int32_t(((v % n) + n) % n);
}

// The column and row of a fixture tile's texel from its byte.
struct Texel {
    int32_t u, r;
    bool operator==(const Texel&) const = default;
};
Texel texelOf(int32_t tile, uint8_t byte) {
    const FixtureTile& f = kFixtureTiles[tile - 1];
    const int32_t i = byte - fixtureTexel(tile, 0, 0);
    return {i / f.height, i % f.height};
}

TEST(TexturedFillTest, SectorsWithoutAPictureOrShownAreNotFilled) {
    struct Case {
        const char* name;
        int16_t tile;
        uint8_t ignored;
        bool filled, labelled;
    } cases[] = {
        {"a tile", kTile8x8, 0, true, true},
        {"a zero-size tile keeps its label", kTileEmpty, 0, false, true},
        {"a tile number past the tiles reads the last tile, empty", 32767, 0, false, true},
        {"a filtered sector", kTile8x8, 1, false, false},
        {"a hidden sector", kTile8x8, 2, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillRig rig;
        rig.room(500, 250, 700, 150, c.tile);
        rig.sector().lotag = 5;
        rig.map.sectorIgnored[0] = c.ignored;
        rig.paint();
        EXPECT_EQ(rig.px(520, 170) != kBackdrop, c.filled);  // away from the label box
        EXPECT_EQ(rig.planView.labelCount, c.labelled ? 1 : 0);
    }
}

TEST(TexturedFillTest, RowsFillBetweenCrossingsWithTheRightOneIncluded) {
    FillRig rig;
    rig.room(500, 250, 700, 150, kTile8x8);
    rig.paint();
    for (const int32_t y : {150, 200, 249}) {
        EXPECT_NE(rig.px(500, y), kBackdrop) << y;
        EXPECT_NE(rig.px(700, y), kBackdrop) << y;  // the flat fill stops one short
        EXPECT_EQ(rig.px(499, y), kBackdrop) << y;
        EXPECT_EQ(rig.px(701, y), kBackdrop) << y;
    }
    EXPECT_EQ(rig.px(600, 250), kBackdrop);  // each wall ends below its upper end
    EXPECT_EQ(rig.px(600, 149), kBackdrop);
}

TEST(TexturedFillTest, ARowWithAnOddNumberOfCrossingsStaysEmpty) {
    FillRig rig;
    rig.room(500, 250, 700, 150, kTile8x8);
    rig.room(450, 290, 460, 280, kTile8x8);
    // The room also claims the first wall of the second one, moved to a vertical line over rows
    // 170..229: three crossings there.
    MapStore& map = rig.map;
    map.walls[4].x = 16 * (650 - 400);
    map.walls[4].y = 16 * (300 - 170);
    map.walls[4].point2 = 5;
    map.walls[5].x = 16 * (650 - 400);
    map.walls[5].y = 16 * (300 - 230);
    rig.sector(0).wallnum = 5;
    rig.sector(1).wallnum = 0;
    rig.paint();
    for (const int32_t y : {170, 200, 229}) EXPECT_EQ(rig.px(600, y), kBackdrop) << y;
    for (const int32_t y : {169, 230}) EXPECT_NE(rig.px(600, y), kBackdrop) << y;
}

TEST(TexturedFillTest, ShadesAndPalsAreHeldToTheirTables) {
    struct Case {
        const char* name;
        int8_t shade;
        uint8_t pal;
        uint8_t shown;  // the level or row the pixel shows
        bool byShade;
    } cases[] = {
        {"shade 20", 20, 0, 20, true},       {"shade -5 as 0", -5, 0, 0, true},
        {"shade 40 as 31", 40, 0, 31, true}, {"pal 25", 0, 25, 25, false},
        {"pal 30 as 26", 0, 30, 26, false},  {"pal 255 as 26", 0, 255, 26, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillRig rig;
        // Every colour of shade level L shows as L, of pal p as p.
        for (int32_t i = 0; i < 32 * 256; ++i)
            if (c.byShade) rig.colorTables.gameShades[size_t(i)] = uint8_t(i / 256);
        for (int32_t i = 0; i < 27 * 256; ++i)
            if (!c.byShade) rig.colorTables.palRemaps[size_t(i)] = uint8_t(i / 256);
        rig.room(500, 250, 700, 150, kTile8x8);
        rig.sector().floorshade = c.shade;
        rig.sector().floorpal = c.pal;
        rig.paint();
        EXPECT_EQ(rig.px(600, 200), c.shown);
    }
}

// The texel columns a row of a 16-wide world-aligned texture shows: zoomed out, only multiples
// of the step q.
TEST(TexturedFillTest, ZoomedOutTexelsComeInStepsOfQ) {
    struct Case {
        const char* name;
        float zoom;
        uint16_t stat;
        std::set<int32_t> columns;
    } cases[] = {
        {"zoom 15: q 1", 15, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {"zoom 48: q 4", 48, 0, {0, 4, 8, 12}},
        {"zoom 48 smoother: q 7", 48, kSurfaceDoubleSmoosh, {0, 7, 14}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillRig rig(c.zoom);
        rig.build.addRoom(-100000, -100000, 100000, 100000);
        rig.sector().floorpicnum = kTile16x4;
        rig.sector().floorstat = c.stat;
        rig.paint();
        std::set<int32_t> seen;
        for (int32_t x = 0; x < 800; ++x) seen.insert(texelOf(kTile16x4, rig.px(x, 200)).u);
        EXPECT_EQ(seen, c.columns);
    }
}

TEST(TexturedFillTest, ParallaxSurfacesStayWhereverTheViewIsPanned) {
    FillRig rig;
    rig.build.addRoom(-100000, -100000, 100000, 100000);
    rig.sector().floorpicnum = kTile16x4;
    rig.sector().floorstat = kSurfaceParallax;
    rig.sector().floorxpanning = 100;
    rig.paint();
    std::vector<uint8_t> first;
    for (int32_t y = 400; y < 420; ++y)
        for (int32_t x = 600; x < 640; ++x) first.push_back(rig.px(x, y));
    for (const auto& [ox, oy] : {std::pair{37.0f, -11.0f}, {-5000.5f, 777.0f}}) {
        rig.view.viewOriginX = ox;
        rig.view.viewOriginY = oy;
        rig.paint();
        std::vector<uint8_t> now;
        for (int32_t y = 400; y < 420; ++y)
            for (int32_t x = 600; x < 640; ++x) now.push_back(rig.px(x, y));
        EXPECT_EQ(now, first) << ox;
    }
    // Panning the texture moves it: 100 of 256 steps of 16 columns is 6 columns.
    const Texel t = texelOf(kTile16x4, rig.px(600, 410));
    EXPECT_EQ(t.u, wrap(6 + 600 + 1024, 16));
}

TEST(TexturedFillTest, DitheredRowsAlternateAndSwapEveryFrame) {
    for (const int32_t frame : {0, 1, 2}) {
        FillRig rig;
        rig.room(500, 250, 700, 150, kTile8x8);
        rig.paint(0, frame);
        const uint8_t plain[2] = {rig.px(601, 200), rig.px(601, 201)};
        rig.settings.twoColorBlend = 1;
        rig.paint(0, frame);
        for (int32_t y : {200, 201}) {
            // The second colour (c xor 1) on rows of the frame counter's parity.
            const bool second = (y & 1) == (frame & 1);
            EXPECT_EQ(rig.px(601, y), plain[y - 200] ^ (second ? 1 : 0)) << frame << " " << y;
        }
    }
}

TEST(TexturedFillTest, SelectedSectorsBlinkAndTheHoveredOneIsTintedWhenHighlighting) {
    struct Case {
        const char* name;
        bool selected, hovered, highlight;
        int32_t time;
        bool tinted;
    } cases[] = {
        {"selected, on phase", true, false, false, 50, true},
        {"selected, off phase", true, false, false, 150, false},
        {"selected and hovered, off phase", true, true, true, 150, false},
        {"hovered, highlighting", false, true, true, 150, true},
        {"hovered, not highlighting", false, true, false, 50, false},
        {"neither", false, false, true, 50, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillRig rig;
        rig.room(500, 250, 700, 150, kTile8x8);
        rig.paint(c.time);
        const uint8_t plain = rig.px(601, 200);
        rig.map.sectorSelected[0] = c.selected;
        rig.hover.hoveredSector = c.hovered ? 0 : -1;
        rig.settings.sectorHighlight = c.highlight;
        rig.paint(c.time);
        // The texel's colour laid over the highlight colour.
        const uint8_t tinted = rig.colorTables.blendTable[P::sectorHighlight * 256 + plain];
        EXPECT_EQ(rig.px(601, 200), c.tinted ? tinted : plain);
    }
}

TEST(TexturedFillTest, LabelsReadUnsignedTagsAtTheMiddleOfTheWholeBox) {
    struct Case {
        const char* name;
        int16_t hitag, lotag;
        int32_t hovered;
        float zoom;
        const char* text;  // nullptr: none
        uint8_t colour;
    } cases[] = {
        {"tags, hitag first", 2, 7, -1, 16, "2,7", 79},
        {"unsigned", -25536, -1, -1, 16, "40000,65535", 79},
        {"hovered", 0, 3, 0, 16, "0,3", 81},
        {"no tags", 0, 0, -1, 16, nullptr, 0},
        {"at the tag limit", 1, 1, -1, 24, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillRig rig(c.zoom);
        // Start points at columns -101..201 and rows 151..251 at zoom 16: partly left of the
        // view; the middle is truncated towards zero.
        rig.build.addRoom(16 * (-101 - 400), 16 * (300 - 251), 16 * (201 - 400), 16 * (300 - 151));
        rig.sector().floorpicnum = kTile8x8;
        rig.sector().hitag = c.hitag;
        rig.sector().lotag = c.lotag;
        rig.hover.hoveredSector = c.hovered;
        rig.paint();
        if (c.text == nullptr) {
            EXPECT_EQ(rig.planView.labelCount, 0);
            continue;
        }
        ASSERT_EQ(rig.planView.labelCount, 1);
        const PlanLabel& label = rig.planView.labels[0];
        EXPECT_EQ(label.text, c.text);
        EXPECT_EQ(label.colour, c.colour);
        EXPECT_EQ(label.x, 50);
        EXPECT_EQ(label.y, 201);
    }
}

// Texels of a world-aligned 8 x 8 texture at zoom 16, where texels come in steps of 2 (q = 2):
// the texel of map point (16 X, 16 Y) by the surface's flags, pannings none unless given.
TEST(TexturedFillTest, WorldAlignedTexelsFollowFlipsSwapAndPanning) {
    auto even = [](int32_t v) { return v - v % 2; };
    struct Case {
        const char* name;
        uint16_t stat;
        uint8_t xpanning, ypanning;
        // The texel at (X, Y) map units / 16: column and row.
        Texel (*texel)(int32_t X, int32_t Y);
    } cases[] = {
        {"no flags", 0, 0, 0,
         [](int32_t X, int32_t Y) {
             return Texel{wrap(X, 8), wrap(-Y, 8)};
         }},
        {"x-flip", kSurfaceFlipX, 0, 0,
         [](int32_t X, int32_t Y) {
             return Texel{wrap(-X, 8), wrap(-Y, 8)};
         }},
        {"y-flip", kSurfaceFlipY, 0, 0,
         [](int32_t X, int32_t Y) {
             return Texel{wrap(X, 8), wrap(Y, 8)};
         }},
        // Swap alone takes both flips (and swap with both flips none): x along the rows.
        {"swap", kSurfaceSwapXY, 0, 0,
         [](int32_t X, int32_t Y) {
             return Texel{wrap(-Y, 8), wrap(X, 8)};
         }},
        {"swap, both flips", kSurfaceSwapXY | kSurfaceFlipX | kSurfaceFlipY, 0, 0,
         [](int32_t X, int32_t Y) {
             return Texel{wrap(Y, 8), wrap(-X, 8)};
         }},
        {"swap, x-flip", kSurfaceSwapXY | kSurfaceFlipX, 0, 0,
         [](int32_t X, int32_t Y) {
             return Texel{wrap(Y, 8), wrap(X, 8)};
         }},
        // 64 of 256 steps across 8 texels: 2 texels.
        {"panned", 0, 64, 192,
         [](int32_t X, int32_t Y) {
             return Texel{wrap(X + 2, 8), wrap(-Y + 6, 8)};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillRig rig;
        rig.room(500, 250, 700, 150, kTile8x8);
        rig.sector().floorstat = c.stat;
        rig.sector().floorxpanning = c.xpanning;
        rig.sector().floorypanning = c.ypanning;
        rig.paint();
        for (int32_t y = 160; y < 176; ++y)
            for (int32_t x = 600; x < 616; ++x) {
                const Texel want = c.texel(x - 400, 300 - y);
                ASSERT_EQ(texelOf(kTile8x8, rig.px(x, y)), (Texel{even(want.u), even(want.r)}))
                    << x << "," << y;
            }
    }
}

// A sector aligned to its first wall: the same square room whose first wall runs along +x, or
// (stored from another corner) along +y, shows the texture turned with it about the wall's start.
TEST(TexturedFillTest, RelativeAlignmentTurnsWithTheFirstWall) {
    auto paintRoom = [](int32_t firstCorner) {
        auto rig = std::make_unique<FillRig>();
        const std::vector<IntPoint> corners = rect(16 * 100, 16 * 50, 16 * 300, 16 * 250);
        std::vector<IntPoint> loop;
        for (int32_t i = 0; i < 4; ++i) loop.push_back(corners[size_t((firstCorner + i) % 4)]);
        rig->build.addSector(loop);
        rig->sector().floorpicnum = kTile8x8;
        rig->sector().floorstat = kSurfaceRelativeAlign;
        rig->paint();
        return rig;
    };
    auto a = paintRoom(0);  // first wall from (100, 50) to (300, 50) in 16ths: +x
    auto b = paintRoom(1);  // from (300, 50) to (300, 250): +y
    // Screen origins of the two first walls, and the turn that takes +x to +y (screen (1, 0) to
    // (0, -1)).
    const int32_t ax = 500, ay = 250, bx = 700, by = 250;
    int32_t varied = 0;
    for (int32_t dy = -40; dy < 0; dy += 3)
        for (int32_t dx = 5; dx < 60; dx += 3) {
            const uint8_t want = a->px(ax + dx, ay + dy);
            EXPECT_EQ(b->px(bx + dy, by - dx), want) << dx << "," << dy;
            varied += want != a->px(ax + 5, ay - 1);
        }
    EXPECT_GT(varied, 0);
}

TEST(TexturedFillTest, ASlopeStretchesTheTextureAlongIt) {
    FillRig rig;
    rig.room(500, 250, 700, 150, kTile8x8);
    rig.sector().floorstat = kSurfaceRelativeAlign | kSurfaceSloped;
    rig.sector().floorheinum = 4096;  // 45 degrees
    rig.paint();
    // The first wall runs along +x from (500, 250); V counts rows up from it, sqrt(2) times as
    // fast as without the slope, and the texel row counts down from the tile's bottom.
    for (int32_t n = 1; n < 100; ++n) {
        const int32_t v = int32_t(std::floor(-n * std::sqrt(2.0)));
        ASSERT_EQ(texelOf(kTile8x8, rig.px(510, 250 - n)).r, 7 - wrap(v, 8)) << n;
    }
}

TEST(TexturedFillTest, StepsAtTheGuardFillWithTheOriginTexel) {
    // k = zoom / 16 texels per pixel along the first wall: 8 x 65536 - 1 in 16.16 is the guard
    // of an 8-wide tile.
    struct Case {
        float zoom;
        bool guarded;
    } cases[] = {{100, false}, {128 - 1.0f / 4096, true}, {300, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        FillRig rig(c.zoom);
        rig.build.addRoom(-100000, -100000, 100000, 100000);
        rig.sector().floorpicnum = kTile8x8;
        rig.sector().floorstat = kSurfaceRelativeAlign;
        rig.paint();
        std::set<uint8_t> seen;
        for (int32_t y = 150; y < 250; ++y)
            for (int32_t x = 500; x < 700; ++x) seen.insert(rig.px(x, y));
        if (c.guarded)
            EXPECT_EQ(seen, std::set<uint8_t>{fixtureTexel(kTile8x8, 0, 7)});
        else
            EXPECT_GT(seen.size(), 1u);
    }
}

TEST(TexturedFillTest, TheHigherFloorOrTheLowerCeilingLiesOnTop) {
    struct Case {
        const char* name;
        bool ceilingView;
        int32_t z0, z1;  // floorz or ceilingz of sectors 0 and 1
        int16_t top;     // the tile that shows where they overlap
    } cases[] = {
        {"floor view, sector 1 higher", false, 0, -1024, kTile16x4},
        {"floor view, sector 0 higher", false, -1024, 0, kTile8x8},
        {"ceiling view, sector 1 lower", true, 0, 1024, kTile16x4},
        {"ceiling view, sector 0 lower", true, 1024, 0, kTile8x8},
        {"equal floors: index order", false, 0, 0, kTile16x4},
        {"equal ceilings: index order", true, 0, 0, kTile16x4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillRig rig;
        rig.settings.ceilingView = c.ceilingView;
        rig.room(500, 250, 700, 150, kTile8x8);
        rig.room(550, 230, 650, 170, kTile16x4);
        for (int32_t s : {0, 1}) {
            const int32_t z = s == 0 ? c.z0 : c.z1;
            (c.ceilingView ? rig.sector(s).ceilingz : rig.sector(s).floorz) = z;
        }
        rig.paint();
        const uint8_t px = rig.px(600, 200);
        const uint8_t lo = fixtureTexel(c.top, 0, 0);
        EXPECT_TRUE(px >= lo && px < lo + 64) << int(px);
    }
}

// Damaged records, odd tiles and extreme views, under every mapping: nothing is read outside the
// walls or the tile pixels (the sanitizers watch), nothing is written outside the map view, and
// a room in view with a sound record next to the damaged one is still filled.
TEST(TexturedFillTest, DamagedRecordsOddTilesAndExtremeViewsStayInBounds) {
    struct Case {
        const char* name;
        void (*damage)(FillRig&);
        bool soundRoomFilled;
    } cases[] = {
        {"wallptr past the walls", [](FillRig& r) { r.sector(1).wallptr = 30000; }, true},
        {"negative wallptr",
         [](FillRig& r) {
             r.sector(1).wallptr = -5;
             r.sector(1).wallnum = 9;
         },
         true},
        {"wallnum 32767 everywhere",
         [](FillRig& r) { r.sector(0).wallnum = r.sector(1).wallnum = 32767; }, true},
        {"point2 out of range",
         [](FillRig& r) {
             r.map.walls[5].point2 = 32767;
             r.map.walls[6].point2 = -3;
         },
         true},
        {"lowest picnum",
         [](FillRig& r) { r.sector(1).floorpicnum = r.sector(1).ceilingpicnum = -32768; }, true},
        {"animation below tile 0",
         [](FillRig& r) {
             r.tiles.tileAnims[kTile8x8] = 192 | 63;
             r.frameTime = 1000;
         },
         false},
        {"animation past the last tile",
         [](FillRig& r) {
             addTile(r.tiles, kTileCount - 1, 8, 8, std::vector<uint8_t>(64, 9));
             r.tiles.tileAnims[kTileCount - 1] = 128 | 63;
             r.sector(1).floorpicnum = r.sector(1).ceilingpicnum = int16_t(kTileCount - 1);
             r.frameTime = 100;
         },
         true},
        {"tile 1 x 1", [](FillRig& r) { addTile(r.tiles, kTile8x8, 1, 1, {7}); }, true},
        {"tile 32767 x 1",
         [](FillRig& r) { addTile(r.tiles, kTile8x8, 32767, 1, std::vector<uint8_t>(32767, 7)); },
         true},
        {"tile 1 x 32767",
         [](FillRig& r) { addTile(r.tiles, kTile8x8, 1, 32767, std::vector<uint8_t>(32767, 7)); },
         true},
        {"the tile is the last data",
         [](FillRig& r) {
             r.tiles.artPixels.resize(r.tiles.artPixels.size() - size_t(kArtPadding));
             r.sector(0).floorpicnum = r.sector(0).ceilingpicnum = kTile6x5;
         },
         true},
        {"zoom 0.005", [](FillRig& r) { r.view.viewZoom = 0.005f; }, false},
        {"zoom 65536", [](FillRig& r) { r.view.viewZoom = 65536; }, false},
        {"origin near 2^31", [](FillRig& r) { r.view.viewOriginX = r.view.viewOriginY = 2.147e9f; },
         false},
        {"origin near -2^31",
         [](FillRig& r) { r.view.viewOriginX = r.view.viewOriginY = -2.147e9f; }, false},
    };
    const uint16_t stats[] = {
        0, kSurfaceParallax, kSurfaceSwapXY | kSurfaceFlipX, kSurfaceRelativeAlign,
        kSurfaceRelativeAlign | kSurfaceSloped | kSurfaceDoubleSmoosh | kSurfaceSwapXY};
    for (const Case& c : cases) {
        FillRig rig;
        rig.room(500, 250, 700, 150, kTile8x8);
        rig.room(200, 450, 300, 300, kTile8x8);
        rig.settings.twoColorBlend = 1;
        c.damage(rig);
        for (const uint16_t stat : stats)
            for (const uint8_t ceiling : {0, 1}) {
                SCOPED_TRACE(std::string(c.name) + ", stat " + std::to_string(stat) +
                             (ceiling ? ", ceiling" : ""));
                for (int32_t s = 0; s < 2; ++s) {
                    rig.sector(s).floorstat = rig.sector(s).ceilingstat = stat;
                    rig.sector(s).floorheinum = rig.sector(s).ceilingheinum = -32768;
                }
                rig.settings.ceilingView = ceiling;
                rig.paint(rig.frameTime);
                EXPECT_TRUE(rig.onlyMapViewTouched());
                if (c.soundRoomFilled) EXPECT_NE(rig.px(600, 200), kBackdrop);
            }
    }
}

}  // namespace
}  // namespace korvel::test
