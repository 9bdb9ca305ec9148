#include "commands/CommandTargets.h"

#include <gtest/gtest.h>

#include <functional>

#include "commands/FlagCommands.h"
#include "commands/HeightCommands.h"
#include "commands/LinkedSprites.h"
#include "commands/SlopeAngleCommands.h"
#include "commands/TextureCommands.h"
#include "commands/ToolCommands.h"
#include "commands/ValueGridCommands.h"
#include "map/UndoSnapshot.h"
#include "support/EditCommandRig.h"
#include "support/MapInvariants.h"

namespace korvel {
namespace {

using test::EditCommandRig;

// Two rooms with a sprite in each: sprite 0 in room 0, sprite 1 in room 1.
struct Rooms : EditCommandRig {
    Rooms() {
        twoRooms();
        test::MapBuilder b(map);
        b.addSprite(100, 100, -1000, 0);
        b.addSprite(300, 100, -1000, 1);
    }
};

// What PgUp changed: which sprite z, or which sector side, moved up by 1024.
enum class Moved { Nothing, Sprite0, Sprite1, Floor0, Ceiling0, Floor1, Ceiling1 };

Moved whatMoved(const MapStore& before, const MapStore& after) {
    for (int32_t k = 0; k < 2; ++k)
        if (after.sprites[size_t(k)].z != before.sprites[size_t(k)].z)
            return k == 0 ? Moved::Sprite0 : Moved::Sprite1;
    for (int32_t s = 0; s < 2; ++s) {
        if (after.sectors[size_t(s)].floorz != before.sectors[size_t(s)].floorz)
            return s == 0 ? Moved::Floor0 : Moved::Floor1;
        if (after.sectors[size_t(s)].ceilingz != before.sectors[size_t(s)].ceilingz)
            return s == 0 ? Moved::Ceiling0 : Moved::Ceiling1;
    }
    return Moved::Nothing;
}

TEST(CommandTargets, TargetOrderAndSidesThroughPgUp) {
    struct Case {
        const char* name;
        std::function<void(Rooms&)> setUp;
        Moved want;
    };
    const Case cases[] = {
        {"sprites and sectors selected: the sprites",
         [](Rooms& r) {
             r.selectSprite(1);
             r.selectSector(0);
         },
         Moved::Sprite1},
        {"a selected sector before a hovered sprite",
         [](Rooms& r) {
             r.selectSector(1);
             r.ed->hover.hoveredSprite = 0;
         },
         Moved::Floor1},
        {"hovered sprite before hovered sector",
         [](Rooms& r) {
             r.ed->hover.hoveredSprite = 0;
             r.ed->hover.hoveredSector = 1;
         },
         Moved::Sprite0},
        {"plan view: the view side",
         [](Rooms& r) {
             r.ed->settings.ceilingView = 1;
             r.ed->hover.hoveredSector = 0;
         },
         Moved::Ceiling0},
        {"side view: the floor line pointed at",
         [](Rooms& r) {
             r.ed->app.currentPage = Page::SideView;
             r.ed->settings.ceilingView = 1;
             r.ed->hover.hoveredSector = 1;
             r.ed->hover.sideHoverPart = 1;
         },
         Moved::Floor1},
        {"side view: the ceiling line pointed at",
         [](Rooms& r) {
             r.ed->app.currentPage = Page::SideView;
             r.ed->hover.hoveredSector = 1;
             r.ed->hover.sideHoverPart = 2;
         },
         Moved::Ceiling1},
        {"wall subject, part 0: nothing", [](Rooms& r) { r.sideViewOnWall(r.sharedWall(0), 0); },
         Moved::Nothing},
        {"wall subject, part 1: own floor", [](Rooms& r) { r.sideViewOnWall(r.sharedWall(0), 1); },
         Moved::Floor0},
        {"wall subject, part 2: own ceiling",
         [](Rooms& r) { r.sideViewOnWall(r.sharedWall(0), 2); }, Moved::Ceiling0},
        {"wall subject, part 3: floor behind",
         [](Rooms& r) { r.sideViewOnWall(r.sharedWall(0), 3); }, Moved::Floor1},
        {"wall subject, part 4: ceiling behind",
         [](Rooms& r) { r.sideViewOnWall(r.sharedWall(0), 4); }, Moved::Ceiling1},
        {"one-sided wall subject, part 3: nothing behind", [](Rooms& r) { r.sideViewOnWall(0, 3); },
         Moved::Nothing},
        {"wall subject deleted since: nothing",
         [](Rooms& r) { r.sideViewOnWall(r.map.wallCount + 5, 1); }, Moved::Nothing},
        {"stale hovered indices: nothing",
         [](Rooms& r) {
             r.ed->hover.hoveredSprite = 77;
             r.ed->hover.hoveredSector = 4095;
         },
         Moved::Nothing},
        {"another page: nothing",
         [](Rooms& r) {
             r.ed->app.currentPage = Page::RecordEditor;
             r.ed->hover.hoveredSector = 0;
         },
         Moved::Nothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rooms r;
        c.setUp(r);
        r.ed->app.statusText = "before";
        const auto before = std::make_unique<MapStore>(r.map);
        pageUpOrRaise(*r.ed);
        EXPECT_EQ(whatMoved(*before, r.map), c.want);
        if (c.want == Moved::Nothing) {
            EXPECT_EQ(r.map.undoState, UndoState::Nothing);
            EXPECT_EQ(r.ed->app.statusText, "before");
            EXPECT_EQ(test::contentDifference(*before, r.map), "");
        } else {
            EXPECT_EQ(r.map.undoState, UndoState::Snapshot);
        }
        EXPECT_TRUE(r.cues().empty());
    }
}

TEST(CommandTargets, ShiftKeepsTheTwinOfAToggledWall) {
    for (const bool shift : {false, true}) {
        SCOPED_TRACE(shift ? "Shift" : "no Shift");
        Rooms r;
        const int32_t w = r.sharedWall(0);
        const int32_t twin = r.map.walls[size_t(w)].nextwall;
        r.map.walls[size_t(twin)].cstat = kWallBlocking;  // the twin starts the other way round
        r.ed->hover.hoveredWall = w;
        r.ed->dispatch.shiftHeld = shift ? 1 : 0;
        toggleBlocking(*r.ed);
        EXPECT_EQ(r.map.walls[size_t(w)].cstat & kWallBlocking, kWallBlocking);
        EXPECT_EQ(r.map.walls[size_t(twin)].cstat & kWallBlocking, kWallBlocking);
        toggleBlocking(*r.ed);
        EXPECT_EQ(r.map.walls[size_t(w)].cstat & kWallBlocking, 0);
        EXPECT_EQ(r.map.walls[size_t(twin)].cstat & kWallBlocking, shift ? kWallBlocking : 0);
    }
}

TEST(CommandTargets, ABadTwinCountsAsNone) {
    Rooms r;
    const int32_t w = r.sharedWall(0);
    for (const int16_t bad : {int16_t(-7), int16_t(30000), int16_t(w)}) {
        r.map.walls[size_t(w)].nextwall = bad;
        EXPECT_EQ(wallTwin(r.map, w), -1);
        r.ed->hover.hoveredWall = w;
        toggleHitscan(*r.ed);  // must not write through the bad link
    }
    EXPECT_EQ(test::describeViolations({}), "");
}

// Every map-changing command on three selected targets takes one snapshot from before its
// change: undo gives back the records, flags, counts and the modified state byte for byte.
TEST(CommandTargets, OneSnapshotPerCommandRestoresTheMapExactly) {
    struct Case {
        const char* name;
        void (*run)(Editor&);
        bool sprites;  // the selection is sprites (else sectors)
    };
    const Case cases[] = {
        {"PgUp", pageUpOrRaise, true},
        {"PgDn", pageDownOrLower, false},
        {"Shift+PgUp", raiseByKeyRepeat, false},
        {"Ctrl+PgUp", raiseBy8192, true},
        {"Ctrl+PgDn", lowerBy8192, false},
        {"keypad 6", increaseXRepeat, true},
        {"keypad 8", keypad8Step, false},
        {"[", slopeStep512Down, false},
        {"Shift+]", increaseSlope, false},
        {"comma", rotateSpriteLeft128, true},
        {"minus", minusKeyCommand, true},
        {"plus", plusKeyCommand, false},
        {"B", toggleBlocking, true},
        {"1", toggleOneSided, true},
        {"Alt+R", cycleSpriteOrientation, true},
        {"Shift+T", cycleTranslucency, false},
        {"F", cycleTextureFlip, true},
        {"R", toggleSectorRelativeAlign, false},
        {"Ctrl+P", toggleParallax, false},
        {"Ctrl+E", promptStatnumOrToggleExpand, false},
        {"slash", resetProperties, true},
        {"slash", resetProperties, false},
        {"C", toggleSpriteCentreOrBendWall, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditCommandRig r;
        test::MapBuilder b(r.map);
        b.addGrid(0, 0, 3, 1, 256);
        b.link();
        for (int32_t s = 0; s < 3; ++s) {
            b.addSprite(100 + 256 * s, 100, -1000 * (s + 1), s);
            r.map.sectors[size_t(s)].ceilingz = -16384;
            r.map.sprites[size_t(s)].cstat = uint16_t(s == 1 ? 0x31 : 0);
            r.map.sectors[size_t(s)].floorstat = uint16_t(s * 4);
        }
        for (int32_t i = 0; i < 3; ++i) c.sprites ? r.selectSprite(i) : r.selectSector(i);
        r.map.mapModified = MapModifiedState::Unmodified;
        const auto before = std::make_unique<MapStore>(r.map);
        c.run(*r.ed);
        EXPECT_NE(test::recordDifference(*before, r.map), "") << "the command changed nothing";
        EXPECT_EQ(r.map.mapModified, MapModifiedState::Modified);
        restoreUndo(r.map, r.ed->undo, r.ed->clipboard, r.ed->tool.selectionMode, r.ed->events);
        EXPECT_EQ(test::contentDifference(*before, r.map), "");
        EXPECT_EQ(r.map.mapModified, MapModifiedState::Unmodified);
    }
}

TEST(CommandTargets, CommandsOfViewAndToolStateTakeNoSnapshot) {
    struct Case {
        const char* name;
        void (*run)(Editor&);
        void (*setUp)(EditCommandRig&);
    };
    const Case cases[] = {
        {"G", gridFiner, [](EditCommandRig& r) { r.ed->settings.autoGrid = 0; }},
        {"Shift+G", gridCoarser, [](EditCommandRig& r) { r.ed->settings.autoGrid = 0; }},
        {"minus on a tool value", minusKeyCommand,
         [](EditCommandRig& r) { r.ed->tool.currentTool = Tool::Circle; }},
        {"Ctrl+plus", increaseToolParam,
         [](EditCommandRig& r) { r.ed->tool.currentTool = Tool::Stroke; }},
        {"N", normaliseAffineGrid,
         [](EditCommandRig& r) { r.ed->tool.currentTool = Tool::AffineGrid; }},
        {"K", toggleWallSegmentTool, [](EditCommandRig& r) { r.ed->hover.hoveredWall = 0; }},
        {"Backspace", dropPointOrToggleCeilView, [](EditCommandRig&) {}},
        {"Ctrl+Alt+A", toggleAffineGridTool, [](EditCommandRig&) {}},
        {"I on a sprite", hideSpritesOrIntersect,
         [](EditCommandRig& r) { r.ed->hover.hoveredSprite = 0; }},
        {"J first pick", joinSectorsCommand,
         [](EditCommandRig& r) { r.ed->hover.hoveredSector = 0; }},
        {"backslash", squareWallOrToggleBookmarks, [](EditCommandRig&) {}},
        {"slash in bookmark mode", resetProperties,
         [](EditCommandRig& r) {
             r.ed->bookmarks.bookmarkTool = 1;
             r.ed->hover.hoveredSprite = 0;
         }},
        {"W", jumpToLinkedSprite, [](EditCommandRig& r) { r.ed->hover.hoveredSprite = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditCommandRig r;
        r.twoRooms();
        test::MapBuilder(r.map).addSprite(100, 100, 0, 0);
        c.setUp(r);
        const auto before = std::make_unique<MapStore>(r.map);
        c.run(*r.ed);
        EXPECT_EQ(r.map.undoState, UndoState::Nothing);
        EXPECT_EQ(test::recordDifference(*before, r.map), "");
        EXPECT_EQ(r.map.mapModified, before->mapModified);
    }
}

}  // namespace
}  // namespace korvel
