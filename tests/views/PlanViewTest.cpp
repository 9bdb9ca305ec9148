#include "views/PlanView.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "app/ConfigFile.h"
#include "base/FileSystem.h"
#include "map/MapEvents.h"
#include "platform/NativeFileSystem.h"
#include "resources/Palettes.h"
#include "support/DrawFixtures.h"
#include "support/PlanViewRig.h"
#include "support/PngFile.h"
#include "ui/Languages.h"
#include "ui/Text.h"
#include "views/PlanFrame.h"

namespace korvel::test {
namespace {

using P = PlanColours;

// A bit of everything the plan view draws: rooms sharing walls in every blocking combination,
// tags, a sloped selected sector, a hovered sector, a hole with an island, filtered and hidden
// walls, sprites of every kind with labels and a stack, an effector circle and the start.
void buildShowcase(PlanViewRig& rig) {
    MapStore& map = rig.map;
    rig.build.addGrid(0, 0, 3, 2, 256);    // sectors 0..5
    rig.build.addRoom(900, 0, 1400, 500);  // 6
    rig.build.addRectHole(1050, 150, 1250, 350);
    rig.build.addRoom(1050, 150, 1250, 350);  // 7, the island
    rig.build.addRoom(-300, 0, -100, 200);    // 8, hidden
    rig.build.link();
    int32_t pair = 0;
    for (int32_t w = 0; w < map.wallCount; ++w) {
        const int32_t t = map.walls[w].nextwall;
        if (t < w) continue;
        map.walls[w].cstat = uint16_t(pair & 1);
        map.walls[t].cstat = uint16_t((pair >> 1) & 1);
        ++pair;
    }
    map.sectors[1].lotag = 7;
    map.sectors[1].hitag = -25536;
    map.sectors[2].floorstat = 2;
    map.sectors[2].floorheinum = 1097;
    map.sectorSelected[2] = 1;
    map.wallSelected[map.sectors[2].wallptr] = 1;
    map.walls[map.sectors[0].wallptr].lotag = 7;
    map.walls[map.sectors[0].wallptr].hitag = 2;
    map.walls[map.sectors[6].wallptr + 1].cstat = 64;
    for (int32_t w = map.sectors[5].wallptr; w < map.sectors[5].wallptr + 4; ++w)
        map.wallIgnored[w] = 1;
    for (int32_t w = map.sectors[8].wallptr; w < map.sectors[8].wallptr + 4; ++w)
        map.wallIgnored[w] = 2;
    rig.hover.hoveredSector = 3;
    rig.hover.hoveredWall = map.sectors[4].wallptr;
    rig.hover.hoveredVertex = map.sectors[6].wallptr;
    rig.tool.selectionMode = SelectionMode::Vertices;

    rig.tileCatalog.tileNames.set(1, "GUARD");
    rig.tileCatalog.tileNames.set(5, "EFFECTOR");
    const int32_t face = rig.build.addSprite(64, 64, 0, 0);
    map.sprites[face].ang = 256;
    const int32_t wall = rig.build.addSprite(192, 64, 0, 0, 2);
    map.sprites[wall].cstat = 16;
    map.sprites[wall].ang = 512;
    const int32_t floor = rig.build.addSprite(64, 192, 0, 0, 3);
    map.sprites[floor].cstat = 32 | 256;
    map.sprites[floor].ang = 300;
    map.sprites[floor].xrepeat = 64;
    const int32_t blocking = rig.build.addSprite(192, 192, 0, 0, 2);
    map.sprites[blocking].cstat = 1;
    map.sprites[blocking].lotag = 3;
    const int32_t effector = rig.build.addSprite(640, 384, 0, 5, 5);
    map.sprites[effector].hitag = 120;
    map.spriteSelected[effector] = 1;
    for (int i = 0; i < 3; ++i) rig.build.addSprite(1150, 420, 0, 6, 2);
    map.startX = 384;
    map.startY = 620;

    rig.settings.showGrid = 1;
    rig.settings.gridSpacing = 64;
    rig.settings.spriteNumbers = 1;
    rig.view.viewZoom = 2;
    rig.view.viewOriginX = -550;
    rig.view.viewOriginY = 412;
}

TEST(PlanViewTest, ShowcaseMapStaysInsideTheMapView) {
    PlanViewRig rig;
    // Set KORVEL_PICTURE_DIR to look at the frames in the shipped colours.
    const char* pictureDir = std::getenv("KORVEL_PICTURE_DIR");
    if (pictureDir) {
        NativeFileSystem fs;
        Languages langs;
        applyBuiltInDefaults({rig.settings, rig.colorSettings, langs});
        SilentMapEvents events;
        loadDisplayPalette(rig.colorTables, fs, events, KORVEL_DATA_DIR);
        rig.settings.smoothLines = 0;
        rig.backdrop = 0;
    }
    buildShowcase(rig);
    for (const int32_t time : {0, 150}) {
        rig.paint(time);
        EXPECT_TRUE(rig.onlyMapViewTouched()) << time;
        if (pictureDir)
            writeScreenPng(std::string(pictureDir) + "/plan_view_" + std::to_string(time) + ".png",
                           rig.frameBuffer, rig.colorTables);
        if (pictureDir && std::getenv("KORVEL_PICTURE_PART")) {
            int x = 0, y = 0, w = 0, h = 0, scale = 1;
            std::sscanf(std::getenv("KORVEL_PICTURE_PART"), "%d,%d,%d,%d,%d", &x, &y, &w, &h,
                        &scale);
            writeScreenPngPart(
                std::string(pictureDir) + "/plan_part_" + std::to_string(time) + ".png",
                rig.frameBuffer, rig.colorTables, x, y, w, h, scale);
        }
    }
}

// Two rooms side by side: walls 0..3 and 4..7; wall 1 (x = 100) and wall 7 are the shared pair,
// drawn at column 500 from row 300 down to row 200.
void twoRooms(PlanViewRig& rig) {
    rig.build.addRoom(0, 0, 100, 100);
    rig.build.addRoom(100, 0, 200, 100);
    rig.build.link();
}

TEST(PlanViewTest, AVertexLandsWhereTheTransformPutsIt) {
    struct Case {
        float zoom, originX, originY;
        int32_t x, y, column, row;
    } cases[] = {
        {1, 0, 0, 100, 50, 500, 250},
        {2, -20, 10, 100, 50, 440, 280},
        {0.5f, 100, -100, -50, -20, 500, 140},
        {4, 0, 0, -3, 3, 399, 299},  // floors, not truncation, on both axes
    };
    for (const Case& c : cases) {
        PlanViewRig rig;
        rig.build.addSector({{c.x, c.y}, {c.x + 4000, c.y}, {c.x, c.y + 4000}});
        rig.view = ViewState{c.originX, c.originY, c.zoom};
        rig.paint();
        SCOPED_TRACE(c.zoom);
        // The hollow square around the vertex: its corners and edge middles, not its centre.
        EXPECT_EQ(rig.px(c.column - 2, c.row - 2), P::vertex);
        EXPECT_EQ(rig.px(c.column + 2, c.row + 2), P::vertex);
        EXPECT_EQ(rig.px(c.column - 2, c.row + 1), P::vertex);
        EXPECT_EQ(rig.planView.planVertices[0].x, c.column);
        EXPECT_EQ(rig.planView.planVertices[0].y, c.row);
    }
}

TEST(PlanViewTest, ATwoSidedPairIsDrawnOnceInTheColourOfItsBlocking) {
    struct Case {
        uint16_t cstatA, cstatB;
        uint8_t colour;
    } cases[] = {{0, 0, P::open},
                 {1, 0, P::halfBlocking},
                 {0, 1, P::halfBlocking},
                 {1, 1, P::blocking},
                 {1 | 1024, 1, P::blocking}};
    for (const Case& c : cases) {
        PlanViewRig rig;
        twoRooms(rig);
        rig.map.walls[1].cstat = c.cstatA;
        rig.map.walls[7].cstat = c.cstatB;
        rig.paint();
        SCOPED_TRACE(c.cstatA * 10 + c.cstatB);
        EXPECT_EQ(rig.planView.planWallLineCount, 7);
        EXPECT_EQ(rig.px(500, 250), c.colour);
        EXPECT_EQ(rig.px(450, 300), P::oneSided);
    }
}

TEST(PlanViewTest, ABlockingBitOnEitherSideMakesThePairThick) {
    PlanViewRig rig;
    twoRooms(rig);
    rig.map.walls[7].cstat = 64;
    rig.paint();
    EXPECT_EQ(rig.px(500, 250), highlighted(P::open));  // the bright core
    EXPECT_EQ(rig.px(499, 250), P::open);               // the pen around it
    EXPECT_EQ(rig.px(501, 250), P::open);
    EXPECT_EQ(rig.px(502, 250), kBackdrop);
}

TEST(PlanViewTest, AHoveredWallOfAPairLiesOnTopOfItsTwin) {
    struct Case {
        int32_t hovered, lines;
    } cases[] = {{1, 8}, {7, 7}, {-1, 7}};
    for (const Case& c : cases) {
        PlanViewRig rig;
        twoRooms(rig);
        rig.hover.hoveredWall = c.hovered;
        rig.paint();
        SCOPED_TRACE(c.hovered);
        EXPECT_EQ(rig.planView.planWallLineCount, c.lines);
        EXPECT_EQ(rig.px(500, 250), c.hovered < 0 ? P::open : highlighted(P::open));
    }
}

TEST(PlanViewTest, SelectedObjectsBlinkOnForTheFirstHundredMillisecondsOfEveryTwoHundred) {
    struct Case {
        int32_t time;
        bool lit;
    } cases[] = {{0, true}, {99, true}, {100, false}, {199, false}, {200, true}, {1350, false}};
    for (const Case& c : cases) {
        PlanViewRig rig;
        twoRooms(rig);
        MapStore& map = rig.map;
        map.wallSelected[7] = 1;  // selecting one wall of a pair blinks the pair
        map.vertexSelected[0] = 1;
        map.sectorSelected[0] = 1;
        rig.build.addSprite(150, 50, 0, 1);
        map.spriteSelected[0] = 1;
        rig.paint(c.time);
        SCOPED_TRACE(c.time);
        EXPECT_EQ(rig.planView.planWallLineCount, c.lit ? 8 : 7);
        EXPECT_EQ(rig.px(500, 250), c.lit ? highlighted(P::open) : P::open);
        EXPECT_EQ(rig.px(398, 302), c.lit ? highlighted(P::vertex) : P::vertex);
        EXPECT_EQ(rig.px(450, 250), c.lit ? P::sectorHighlight : kBackdrop);
        EXPECT_EQ(rig.px(548, 250), c.lit ? highlighted(P::sprite) : P::sprite);  // the dot
    }
}

TEST(PlanViewTest, WallTagsAreSignedAndATaggedTwinGivesItsOwn) {
    struct Case {
        int16_t hitag, lotag, twinHitag, twinLotag;
        float zoom;
        const char* label;
    } cases[] = {
        {2, 7, 0, 0, 1, "2,7"},      {-25536, -1, 0, 0, 1, "-25536,-1"},
        {2, 7, 0, 9, 1, "0,9"},      {0, 0, 3, 0, 1, "3,0"},
        {2, 7, 0, 0, 24, ""},  // at the tag limit labels are gone
        {2, 7, 0, 0, 23.99f, "2,7"},
    };
    for (const Case& c : cases) {
        PlanViewRig rig;
        twoRooms(rig);
        MapStore& map = rig.map;
        map.walls[7].hitag = c.hitag;
        map.walls[7].lotag = c.lotag;
        map.walls[1].hitag = c.twinHitag;
        map.walls[1].lotag = c.twinLotag;
        rig.view.viewZoom = c.zoom;
        rig.paint();
        SCOPED_TRACE(c.label);
        const PlanViewState& st = rig.planView;
        std::string label = "missing";
        for (int32_t i = 0; i < st.planWallLineCount; ++i)
            if (st.planWallLines[i].wall == 7) label = st.planWallLines[i].label;
        EXPECT_EQ(label, c.label);
    }
}

TEST(PlanViewTest, AWallLabelSitsInAGreyBoxAtTheMiddleOfItsLine) {
    PlanViewRig rig;
    twoRooms(rig);
    rig.map.walls[0].lotag = 5;
    rig.paint();
    // Wall 0 runs along row 300 from column 400 to 500; "0,5" is 16 pixels wide from 443.
    EXPECT_EQ(rig.px(443, 296), 6);
    EXPECT_EQ(rig.px(458, 303), 6);
    EXPECT_EQ(rig.px(459, 300), P::oneSided);
    rig.hover.hoveredWall = 0;
    rig.paint();
    EXPECT_EQ(rig.px(443, 296), 8);
}

// The ink pixels of a text drawn alone.
PixelSet textInk(const Fonts& fonts, const std::string& text, int32_t x, int32_t y) {
    DrawRig draw;
    drawSmallTextMapClipped(draw.canvas, fonts, text, x, y, 1);
    return changedPixels(screenView(*draw.fb), 0);
}

TEST(PlanViewTest, AHighlightedFirstWallOfASlopedSectorShowsTheSlope) {
    struct Case {
        const char* name;
        uint16_t floorstat, ceilingstat;
        uint8_t ceilingView;
        int32_t hoveredWall;
        const char* text;
    } cases[] = {
        {"sloped floor", 2, 0, 0, 0, "15\xB0"},
        {"ceiling view reads the ceiling", 2, 2, 1, 0, "-45\xB0"},
        {"flat floor", 0, 2, 0, 0, nullptr},
        {"wall not highlighted", 2, 0, 0, -1, nullptr},
        {"not the first wall", 2, 0, 0, 1, nullptr},
    };
    for (const Case& c : cases) {
        PlanViewRig rig;
        rig.build.addRoom(0, 0, 200, 200);
        SectorRecord& sec = rig.map.sectors[0];
        sec.floorstat = c.floorstat;
        sec.floorheinum = 1097;
        sec.ceilingstat = c.ceilingstat;
        sec.ceilingheinum = -4096;
        rig.settings.ceilingView = c.ceilingView;
        rig.hover.hoveredWall = c.hoveredWall;
        rig.paint();
        SCOPED_TRACE(c.name);
        // Wall 0 runs from (400, 300) to (600, 300): its middle is (500, 300), the arrow points
        // 18 pixels to its right (down the screen) and the text's centre lies 32 pixels away.
        const uint8_t lit = highlighted(P::oneSided);
        EXPECT_EQ(rig.px(500, 283), c.text ? lit : kBackdrop);
        if (!c.text) continue;
        const std::string text = c.text;
        const int32_t x = 500 - int32_t(5 * text.size()) / 2;
        for (const auto& [px, py] : textInk(rig.fonts, text, x, 265))
            EXPECT_EQ(rig.px(px, py), lit) << px << "," << py;
    }
}

TEST(PlanViewTest, FilteredAndHiddenWallsAreDottedInTheirOwnColours) {
    struct Case {
        uint8_t ignored, colour;
    } cases[] = {{1, P::filtered}, {2, P::hidden}, {7, P::hidden}};
    for (const Case& c : cases) {
        PlanViewRig rig;
        rig.build.addRoom(0, 0, 300, 100);
        rig.colorSettings.colorServiceLines = kBackdrop;  // no origin cross under the dots
        rig.map.wallIgnored[0] = c.ignored;
        rig.hover.hoveredWall = 0;  // a highlight does not show through
        rig.paint();
        SCOPED_TRACE(int(c.ignored));
        // Wall 0 along row 300: every third pixel from column 400.
        EXPECT_EQ(rig.px(403, 300), c.colour);
        EXPECT_EQ(rig.px(406, 300), c.colour);
        EXPECT_EQ(rig.px(404, 300), kBackdrop);
        EXPECT_EQ(rig.px(405, 300), kBackdrop);
    }
}

// Two rooms drawn on the same pixels, not linked: whichever wall comes first in the map, dimmed
// lines go down first, then plain ones, then highlighted ones.
TEST(PlanViewTest, DimmedWallsLieUnderPlainOnesAndPlainOnesUnderHighlightedOnes) {
    enum class Look { Dim, Plain, Lit };
    struct Case {
        Look first, second;
        uint8_t colour;
    } cases[] = {
        {Look::Dim, Look::Plain, P::oneSided},
        {Look::Plain, Look::Dim, P::oneSided},
        {Look::Plain, Look::Lit, highlighted(P::oneSided)},
        {Look::Lit, Look::Plain, highlighted(P::oneSided)},
        {Look::Dim, Look::Lit, highlighted(P::oneSided)},
        {Look::Lit, Look::Dim, highlighted(P::oneSided)},
    };
    for (const Case& c : cases) {
        PlanViewRig rig;
        rig.build.addRoom(0, 0, 300, 100);
        rig.build.addRoom(0, 0, 300, 100);
        rig.colorSettings.colorServiceLines = kBackdrop;  // no origin cross under the dots
        // Walls 0 and 4 both run along row 300 from column 400.
        for (const auto& [wall, look] : {std::pair{0, c.first}, std::pair{4, c.second}}) {
            rig.map.wallIgnored[wall] = look == Look::Dim ? 1 : 0;
            rig.map.wallSelected[wall] = look == Look::Lit;
        }
        rig.paint();  // in the blink's on phase
        SCOPED_TRACE(testing::Message() << int(c.first) << int(c.second));
        EXPECT_EQ(rig.px(403, 300), c.colour);  // on a dot of the dotted line
        EXPECT_EQ(rig.px(404, 300), c.colour);
    }
}

TEST(PlanViewTest, WallVectorsDrawBothWallsOfAPairWithTheirArrows) {
    PlanViewRig rig;
    twoRooms(rig);
    rig.settings.wallVectors = 1;
    rig.colorSettings.colorServiceLines = kBackdrop;
    rig.paint();
    EXPECT_EQ(rig.planView.planWallLineCount, 8);
    // Wall 0 from (400, 300) to (500, 300): g = 4096, f = 0, so the head's point H is
    // (500 - 16, 300 - 4) and its first stroke starts 16 pixels back on the wall.
    EXPECT_EQ(rig.px(484, 296), P::oneSided);
    EXPECT_EQ(rig.px(492, 298), P::oneSided);
    // The first wall of a sector gets a dotted line 2.5 pixels (truncated: 2) to its right, down
    // the screen, every seventh pixel.
    EXPECT_EQ(rig.px(407, 298), P::oneSided);
    EXPECT_EQ(rig.px(404, 298), kBackdrop);
    EXPECT_EQ(rig.px(414, 298), P::oneSided);
    EXPECT_EQ(rig.px(507, 298), P::oneSided);  // wall 4, the first of the right room
}

TEST(PlanViewTest, AHighlightedVertexInVertexModeMarksItsCornerWithAnArc) {
    for (const SelectionMode mode : {SelectionMode::Vertices, SelectionMode::Walls}) {
        PlanViewRig rig;
        rig.build.addRoom(0, 0, 200, 200);
        rig.hover.hoveredVertex = 0;
        rig.tool.selectionMode = mode;
        rig.colorSettings.colorServiceLines = kBackdrop;
        rig.paint();
        const bool arc = mode == SelectionMode::Vertices;
        SCOPED_TRACE(int(mode));
        // From the wall along +x (right) clockwise to the wall towards +y (down the screen).
        const uint8_t want = arc ? highlighted(P::vertex) : kBackdrop;
        EXPECT_EQ(rig.px(416, 296), want);
        EXPECT_EQ(rig.px(412, 289), want);
        EXPECT_EQ(rig.px(405, 285), want);
        EXPECT_EQ(rig.px(389, 311), kBackdrop);
    }
}

TEST(PlanViewTest, TheHighlightOfColourSetting255IsColour1) {
    PlanViewRig rig;
    rig.build.addRoom(0, 0, 200, 200);
    rig.colorSettings.colorVertex = 255;
    rig.hover.hoveredVertex = 0;
    rig.paint();
    EXPECT_EQ(rig.px(398, 298), 1);
    EXPECT_EQ(rig.px(598, 298), 255);
}

TEST(PlanViewTest, LayersFollowTheirSwitches) {
    PlanViewRig rig;
    twoRooms(rig);
    rig.build.addSprite(50, 50, 0, 0);
    rig.settings.showWalls = 0;
    rig.settings.showVertices = 0;
    rig.settings.showSprites = 0;
    rig.paint();
    EXPECT_EQ(rig.planView.planWallLineCount, 0);
    EXPECT_EQ(rig.planView.planVertexCount, 0);
    EXPECT_EQ(rig.planView.spriteDrawCount, 0);
    EXPECT_EQ(rig.px(500, 250), kBackdrop);
    // Vertices and sprites also stop at the sprite zoom limit; walls do not.
    rig.settings.showWalls = rig.settings.showVertices = rig.settings.showSprites = 1;
    rig.view.viewZoom = float(rig.settings.spriteZoomLimit);
    rig.paint();
    EXPECT_GT(rig.planView.planWallLineCount, 0);
    EXPECT_EQ(rig.planView.planVertexCount, 0);
    EXPECT_EQ(rig.planView.spriteDrawCount, 0);
}

// Damage every index a record can hold, one kind at a time and all at once.
TEST(PlanViewTest, DamagedRecordsAreDrawnOrSkippedSafely) {
    using Damage = void (*)(MapStore&);
    const std::pair<const char*, Damage> cases[] = {
        {"nextwall past the walls", [](MapStore& m) { m.walls[1].nextwall = 30000; }},
        {"nextwall below -1", [](MapStore& m) { m.walls[1].nextwall = -7; }},
        {"nextsector only", [](MapStore& m) { m.walls[0].nextsector = 4000; }},
        {"twin that does not link back", [](MapStore& m) { m.walls[7].nextwall = 2; }},
        {"wallSector -1", [](MapStore& m) { m.wallSector.fill(-1); }},
        {"wallSector past the sectors", [](MapStore& m) { m.wallSector[4] = 4095; }},
        {"any picnum",
         [](MapStore& m) {
             m.sprites[0].picnum = -32768;
             m.sprites[1].picnum = 32767;
         }},
        {"sprite sectnum past the sectors",
         [](MapStore& m) {
             m.sprites[1].sectnum = 30000;
             m.sprites[0].sectnum = -9;
         }},
        {"wallptr past the walls", [](MapStore& m) { m.sectors[1].wallptr = 32000; }},
        {"wallnum past the walls", [](MapStore& m) { m.sectors[0].wallnum = 32767; }},
        {"negative wallptr and wallnum",
         [](MapStore& m) {
             m.sectors[0].wallptr = -20;
             m.sectors[1].wallnum = -3;
         }},
        {"point2 out of range",
         [](MapStore& m) {
             m.walls[2].point2 = -1;
             m.walls[5].point2 = 32767;
         }},
        {"rings that never close",
         [](MapStore& m) {
             for (int32_t w = 0; w < 8; ++w) m.walls[w].point2 = int16_t((w + 3) % 8);
         }},
        {"far coordinates",
         [](MapStore& m) {
             m.walls[3].x = INT32_MIN;
             m.walls[6].y = INT32_MAX;
             m.sprites[0].x = INT32_MAX;
         }},
    };
    for (const auto& [name, damage] : cases) {
        PlanViewRig rig;
        twoRooms(rig);
        MapStore& map = rig.map;
        rig.build.addSprite(50, 50, 0, 0, 5);
        rig.build.addSprite(150, 50, 0, 1, 5);
        map.sprites[1].hitag = 100;
        map.spriteSelected.fill(1);
        map.sectorSelected.fill(1);
        map.wallSelected.fill(1);
        map.vertexSelected.fill(1);
        map.sectors[0].lotag = 1;
        map.walls[0].lotag = 1;
        rig.tool.selectionMode = SelectionMode::Vertices;
        rig.settings.spriteNumbers = 1;
        rig.settings.spriteOrientation = 1;
        rig.settings.spriteOffsets = 1;
        damage(map);
        SCOPED_TRACE(name);
        // Without wall vectors a pair is drawn once and a wall shows its twin's tags: both read
        // through nextwall.
        for (const uint8_t vectors : {0, 1})
            for (const float zoom : {1.0f, 0.01f, 50.0f}) {
                rig.settings.wallVectors = vectors;
                rig.view.viewZoom = zoom;
                rig.paint();
                EXPECT_TRUE(rig.onlyMapViewTouched()) << int(vectors) << " " << zoom;
            }
    }
}

}  // namespace
}  // namespace korvel::test
