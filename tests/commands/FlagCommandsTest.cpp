#include "commands/FlagCommands.h"

#include <gtest/gtest.h>

#include "editing/ValuePromptState.h"
#include "support/EditCommandRig.h"
#include "support/MapInvariants.h"

namespace korvel {
namespace {

using test::EditCommandRig;

// Two rooms and three sprites in room 0.
struct Rooms : EditCommandRig {
    Rooms() {
        twoRooms();
        test::MapBuilder b(map);
        for (int32_t k = 0; k < 3; ++k) b.addSprite(50 + 50 * k, 100, 0, 0);
    }
    void selectAllSprites() {
        for (int32_t k = 0; k < 3; ++k) selectSprite(k);
    }
};

TEST(FlagCommands, FirstSelectedDecidesForTheWholeSelection) {
    struct Case {
        const char* name;
        void (*run)(Editor&);
        uint16_t bit;
    };
    const Case cases[] = {{"B", toggleBlocking, kSpriteBlocking},
                          {"Ctrl+H", toggleHitscan, kSpriteHitscan},
                          {"1", toggleOneSided, kSpriteOneSided}};
    for (const Case& c : cases)
        for (const bool firstSet : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << c.name << (firstSet ? " first set" : " first clear"));
            Rooms r;
            r.selectAllSprites();
            r.map.sprites[0].cstat = firstSet ? c.bit : 0;
            r.map.sprites[1].cstat = firstSet ? 0 : c.bit;
            c.run(*r.ed);
            for (int32_t k = 0; k < 3; ++k)
                EXPECT_EQ(r.map.sprites[size_t(k)].cstat & c.bit, firstSet ? 0 : c.bit) << k;
        }
}

TEST(FlagCommands, TogglesReportAndCue) {
    Rooms r;
    r.selectAllSprites();
    toggleOneSided(*r.ed);
    EXPECT_EQ(r.ed->app.statusText, r.msg(99));
    EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
    r.map.selectedSpriteCount = 0;
    r.map.spriteSelected.fill(0);
    r.ed->hover.hoveredSprite = 2;
    toggleOneSided(*r.ed);
    EXPECT_EQ(r.ed->app.statusText, r.msg(101, {"2"}));

    // One-sided floor sprites face the side being edited.
    r.map.sprites[2].cstat = kSpriteFloorAligned;
    r.ed->settings.ceilingView = 1;
    toggleOneSided(*r.ed);
    EXPECT_EQ(r.map.sprites[2].cstat, kSpriteFloorAligned | kSpriteOneSided | kSpriteFlipY);
    toggleOneSided(*r.ed);
    EXPECT_EQ(r.map.sprites[2].cstat, kSpriteFloorAligned | kSpriteFlipY);

    // B and Ctrl+H say nothing.
    r.ed->app.statusText = "x";
    toggleBlocking(*r.ed);
    EXPECT_EQ(r.ed->app.statusText, "x");
    EXPECT_EQ(r.cues().size(), 3u);  // the key-1 toggles only
}

TEST(FlagCommands, SubjectWallBits) {
    Rooms r;
    const int32_t w = r.sharedWall(0);
    const int32_t twin = r.map.walls[size_t(w)].nextwall;
    r.sideViewOnWall(w, 1);
    toggleWallMasking(*r.ed);
    EXPECT_EQ(r.map.walls[size_t(w)].cstat, kWallMasked);
    EXPECT_EQ(r.map.walls[size_t(twin)].cstat, kWallMasked);
    EXPECT_EQ(r.ed->app.statusText, r.msg(87));
    r.ed->dispatch.shiftHeld = 1;
    toggleWallSwapBottom(*r.ed);
    EXPECT_EQ(r.map.walls[size_t(twin)].cstat, kWallMasked);
    EXPECT_EQ(r.ed->app.statusText, r.msg(105));
    toggleOneSided(*r.ed);  // the wall alone, never the twin
    EXPECT_EQ(r.map.walls[size_t(w)].cstat, kWallMasked | kWallSwapBottom | kWallOneWayMasked);
    EXPECT_EQ(r.ed->app.statusText, r.msg(103));
    r.ed->app.currentPage = Page::PlanView;  // off the side view: nothing
    const uint16_t before = r.map.walls[size_t(w)].cstat;
    toggleWallMasking(*r.ed);
    EXPECT_EQ(r.map.walls[size_t(w)].cstat, before);
}

TEST(FlagCommands, CyclesFollowTheirTables) {
    struct Case {
        const char* name;
        void (*run)(Editor&);
        uint16_t mask, before, after;
        int32_t message;
    };
    const Case cases[] = {
        {"Alt+R 0", cycleSpriteOrientation, 48, 0, 16, 205},
        {"Alt+R 16", cycleSpriteOrientation, 48, 16, 32, 206},
        {"Alt+R 48", cycleSpriteOrientation, 48, 48, 0, 207},
        {"Shift+T 512", cycleTranslucency, 514, 512, 2, 62},
        {"Shift+T 2", cycleTranslucency, 514, 2, 514, 63},
        {"Shift+T 514", cycleTranslucency, 514, 514, 0, 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rooms r;
        r.ed->hover.hoveredSprite = 1;
        r.map.sprites[1].cstat = uint16_t(c.before | kSpriteBlocking);
        c.run(*r.ed);
        EXPECT_EQ(r.map.sprites[1].cstat, c.after | kSpriteBlocking);
        EXPECT_EQ(r.ed->app.statusText, r.msg(c.message, {"1"}));
        EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
    }
    Rooms r;
    r.selectAllSprites();
    r.map.sprites[0].cstat = 32;
    r.map.sprites[1].cstat = 16;
    cycleSpriteOrientation(*r.ed);
    for (int32_t k = 0; k < 3; ++k) EXPECT_EQ(r.map.sprites[size_t(k)].cstat & 48, 0);
    EXPECT_EQ(r.ed->app.statusText, r.msg(204));
    // Sectors: the hovered one on the pointed side.
    r.map.selectedSpriteCount = 0;
    r.map.spriteSelected.fill(0);
    r.ed->hover.hoveredSector = 1;
    r.map.sectors[1].floorstat = 128;
    cycleTranslucency(*r.ed);
    EXPECT_EQ(r.map.sectors[1].floorstat, 256);
    EXPECT_EQ(r.ed->app.statusText, r.msg(65, {"1"}));
}

TEST(FlagCommands, FlipCountersRunRound) {
    Rooms r;
    r.ed->hover.hoveredSector = 0;
    r.ed->settings.ceilingView = 1;
    r.map.sectors[0].ceilingstat = kSurfaceParallax;
    const uint16_t order[8] = {4, 16, 20, 32, 36, 48, 52, 0};
    for (const uint16_t want : order) {
        cycleTextureFlip(*r.ed);
        EXPECT_EQ(r.map.sectors[0].ceilingstat, want | kSurfaceParallax);
    }
    EXPECT_EQ(r.ed->app.statusText, r.msg(117, {"0", "0", "0", "0"}));
    EXPECT_EQ(r.cues().size(), 8u);

    r.selectAllSprites();
    r.map.sprites[0].cstat = kSpriteFlipY;
    cycleTextureFlip(*r.ed);
    for (int32_t k = 0; k < 3; ++k) EXPECT_EQ(r.map.sprites[size_t(k)].cstat, 12);
    EXPECT_EQ(r.ed->app.statusText, r.msg(112));
    EXPECT_TRUE(r.cues().empty());

    // The side view's wall, or its twin over the lower part drawn from the twin.
    Rooms s;
    const int32_t w = s.sharedWall(0);
    const int32_t twin = s.map.walls[size_t(w)].nextwall;
    s.sideViewOnWall(w, 1, 1);
    s.map.walls[size_t(w)].cstat = kWallSwapBottom;
    s.map.walls[size_t(twin)].cstat = kWallFlipX;
    cycleTextureFlip(*s.ed);
    EXPECT_EQ(s.map.walls[size_t(twin)].cstat, kWallFlipY);
    EXPECT_EQ(s.ed->app.statusText, s.msg(120));
}

TEST(FlagCommands, SectorBitTogglesOnTheViewSide) {
    Rooms r;
    r.selectSector(0);
    r.selectSector(1);
    r.map.sectors[0].floorstat = kSurfaceRelativeAlign;
    toggleSectorRelativeAlign(*r.ed);
    EXPECT_EQ(r.map.sectors[0].floorstat, 0);
    EXPECT_EQ(r.map.sectors[1].floorstat, 0);
    EXPECT_EQ(r.ed->app.statusText, r.msg(157));
    r.ed->settings.ceilingView = 1;
    toggleParallax(*r.ed);
    EXPECT_EQ(r.map.sectors[1].ceilingstat, kSurfaceParallax);
    EXPECT_EQ(r.ed->app.statusText, r.msg(221));
    promptStatnumOrToggleExpand(*r.ed);
    EXPECT_EQ(r.map.sectors[0].ceilingstat, kSurfaceParallax | kSurfaceDoubleSmoosh);
    EXPECT_EQ(r.ed->app.statusText, r.msg(245));

    // R in the drawing tool toggles its curve option instead, from two points on.
    r.ed->tool.currentTool = Tool::DrawPolygon;
    r.ed->drawVertices.toolPointCount = 1;
    toggleSectorRelativeAlign(*r.ed);
    EXPECT_EQ(r.ed->tool.toolAltMode, 0);
    r.ed->drawVertices.toolPointCount = 2;
    toggleSectorRelativeAlign(*r.ed);
    EXPECT_EQ(r.ed->tool.toolAltMode, 1);
    EXPECT_EQ(r.ed->app.statusText, r.msg(156));
}

TEST(FlagCommands, StatnumPromptLeavesTheMapUnmodified) {
    Rooms r;
    r.map.sprites[1].statnum = 42;
    r.ed->hover.hoveredSprite = 1;
    r.map.mapModified = MapModifiedState::Unmodified;
    promptStatnumOrToggleExpand(*r.ed);
    EXPECT_EQ(r.ed->prompt.promptKind, int32_t(ValuePromptKind::SpriteStatnum));
    EXPECT_EQ(r.ed->prompt.promptInput, "42");
    EXPECT_EQ(r.ed->prompt.targetSprite, 1);
    EXPECT_EQ(r.ed->prompt.promptText, r.msg(246, {"1"}));
    EXPECT_EQ(r.map.mapModified, MapModifiedState::Unmodified);
    r.selectSprite(2);
    r.map.sprites[2].statnum = 7;
    promptStatnumOrToggleExpand(*r.ed);
    EXPECT_EQ(r.ed->prompt.promptInput, "7");
    EXPECT_EQ(r.ed->prompt.targetSprite, 16777215);
    EXPECT_EQ(r.ed->prompt.promptText, r.msg(241));
}

TEST(FlagCommands, SlashResetsAndBackslashSquares) {
    Rooms r;
    r.ed->hover.hoveredWall = 0;
    WallRecord& w = r.map.walls[0];
    w.cstat = 0xff;
    w.yrepeat = 100;
    w.xpanning = 3;
    resetProperties(*r.ed);
    EXPECT_EQ(w.cstat, 0);
    EXPECT_EQ(w.yrepeat, 8);
    EXPECT_EQ(w.xpanning, 0);
    EXPECT_EQ(w.xrepeat, 2);  // 256 long: 256 / 1024 x 8
    EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});

    r.ed->hover.hoveredSector = 1;
    r.map.sectors[1].floorheinum = 99;
    r.map.sectors[1].floorstat = 0xffff;
    resetProperties(*r.ed);
    EXPECT_EQ(r.map.sectors[1].floorheinum, 0);
    EXPECT_EQ(r.map.sectors[1].floorstat, 0);

    r.sideViewOnWall(1, 0);
    r.map.walls[1].yrepeat = 16;
    squareWallOrToggleBookmarks(*r.ed);
    EXPECT_EQ(r.map.walls[1].xrepeat, 4);
    EXPECT_EQ(r.ed->app.statusText, r.msg(18));

    // Plan view: the bookmark mode, then slash empties the bookmarks and leaves the map.
    r.ed->app.currentPage = Page::PlanView;
    squareWallOrToggleBookmarks(*r.ed);
    EXPECT_EQ(r.ed->bookmarks.bookmarkTool, 1);
    EXPECT_EQ(r.ed->tool.currentTool, Tool::ViewBookmarks);
    EXPECT_EQ(r.ed->app.helpTopic, 36);
    r.ed->bookmarks.bookmarkZoom[3] = 2;
    r.ed->bookmarks.bookmarkX[3] = 5;
    const auto before = std::make_unique<MapStore>(r.map);
    resetProperties(*r.ed);
    EXPECT_EQ(r.ed->bookmarks.bookmarkZoom[3], 0);
    EXPECT_EQ(r.ed->bookmarks.bookmarkX[3], 0);
    EXPECT_EQ(test::contentDifference(*before, r.map), "");
    squareWallOrToggleBookmarks(*r.ed);
    EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
    EXPECT_EQ(r.ed->app.helpPopupStep, -1);
}

TEST(FlagCommands, SparksPageKeys) {
    EditCommandRig r;
    r.ed->app.currentPage = Page::SparksToy;
    toggleBlocking(*r.ed);
    EXPECT_EQ(r.ed->pages.sparksToy.sparkInteraction, 1);
    EXPECT_EQ(r.ed->app.statusText, r.msg(109));
    cycleTextureFlip(*r.ed);
    cycleTextureFlip(*r.ed);
    EXPECT_EQ(r.ed->pages.sparksToy.sparkDamping, 0);
    EXPECT_EQ(r.ed->app.statusText, r.msg(127));
    EXPECT_EQ(r.map.undoState, UndoState::Nothing);
}

}  // namespace
}  // namespace korvel
