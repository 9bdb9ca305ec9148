#include "commands/AttributeClipboard.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "commands/AttributeCommands.h"
#include "commands/PageCommands.h"
#include "base/FileSystem.h"
#include "map/UndoSnapshot.h"
#include "ui/Widgets.h"
#include "support/EditCommandRig.h"
#include "support/MapInvariants.h"

namespace korvel {
namespace {

using test::EditCommandRig;
using Kind = AttributeClipboardKind;

// A two-room map whose objects carry distinct attributes, with one sprite in each room.
struct AttrRig : EditCommandRig {
    AttrRig() {
        twoRooms();
        SectorRecord& a = map.sectors[0];
        a.floorstat = 0x40;
        a.floorpicnum = 11;
        a.floorheinum = 0;
        a.floorshade = -3;
        a.floorpal = 4;
        a.floorxpanning = 5;
        a.floorypanning = 6;
        a.ceilingpicnum = 12;
        a.ceilingheinum = 512;
        a.ceilingstat = 2;
        a.lotag = 100;
        a.hitag = 101;
        a.extra = 102;
        SectorRecord& b = map.sectors[1];
        b.floorpicnum = 21;
        b.lotag = 200;
        b.ceilingheinum = 0;
        for (int32_t w = 0; w < map.wallCount; ++w) {
            WallRecord& r = map.walls[size_t(w)];
            r.picnum = int16_t(300 + w);
            r.overpicnum = int16_t(400 + w);
            r.xrepeat = 8;
            r.yrepeat = 8;
            r.lotag = int16_t(w);
        }
        test::MapBuilder bld(map);
        bld.addSprite(64, 64, 0, 0, 50);
        bld.addSprite(300, 64, 0, 1, 60);
        map.sprites[0].xrepeat = 40;
        map.sprites[0].yrepeat = 41;
        map.sprites[0].lotag = 7;
        map.sprites[0].cstat = 1;
        map.sprites[0].shade = 9;
        ed->settings.autoWallSquare = 0;
        ed->tool.selectionMode = SelectionMode::Sectors;
    }
    AttributeClipboard& clip() { return ed->attributes.attributeClipboard; }
};

TEST(AttributeClipboard, StartsAsAnEmptySectorClipWithExtraMinusOne) {
    const AttributeClipboard c;
    EXPECT_EQ(c.kind, Kind::Sector);
    EXPECT_EQ(c.picnum, 0);
    EXPECT_EQ(c.extra, -1);
    EXPECT_EQ(c.xrepeat, 0);
}

// Pasting between kinds carries the texture only; within a kind the whole set.
TEST(AttributeClipboard, PasteMatrixByKindAndTarget) {
    struct Case {
        const char* name;
        void (*copy)(const MapStore&, AttributeClipboard&);
        void (*paste)(MapStore&, const AttributeClipboard&);
        // What the paste target must show afterwards.
        void (*check)(const MapStore&);
    };
    const Case cases[] = {
        {"wall onto sector floor",
         [](const MapStore& m, AttributeClipboard& c) { copyWallAttributes(m, c, 0); },
         [](MapStore& m, const AttributeClipboard& c) {
             pasteSectorFloorAttributes(m, c, 1, {});
         },
         [](const MapStore& m) {
             const SectorRecord& s = m.sectors[1];
             EXPECT_EQ(s.floorpicnum, 300);
             EXPECT_EQ(s.lotag, 200);  // tags stay
             EXPECT_EQ(s.floorstat, 0);
         }},
        {"sector floor onto sector floor",
         [](const MapStore& m, AttributeClipboard& c) { copySectorFloorAttributes(m, c, 0); },
         [](MapStore& m, const AttributeClipboard& c) {
             pasteSectorFloorAttributes(m, c, 1, {});
         },
         [](const MapStore& m) {
             const SectorRecord& s = m.sectors[1];
             EXPECT_EQ(s.floorpicnum, 11);
             EXPECT_EQ(s.floorshade, -3);
             EXPECT_EQ(s.floorpal, 4);
             EXPECT_EQ(s.floorxpanning, 5);
             EXPECT_EQ(s.floorypanning, 6);
             EXPECT_EQ(s.floorstat, 0x40);
             EXPECT_EQ(s.lotag, 100);
             EXPECT_EQ(s.hitag, 101);
             EXPECT_EQ(s.extra, 102);
         }},
        {"sprite onto sprite",
         [](const MapStore& m, AttributeClipboard& c) { copySpriteAttributes(m, c, 0); },
         [](MapStore& m, const AttributeClipboard& c) { pasteSpriteAttributes(m, c, 1); },
         [](const MapStore& m) {
             const SpriteRecord& k = m.sprites[1];
             EXPECT_EQ(k.picnum, 50);
             EXPECT_EQ(k.xrepeat, 40);
             EXPECT_EQ(k.yrepeat, 41);
             EXPECT_EQ(k.lotag, 7);
             EXPECT_EQ(k.cstat, 1);
         }},
        {"sprite onto wall",
         [](const MapStore& m, AttributeClipboard& c) { copySpriteAttributes(m, c, 0); },
         [](MapStore& m, const AttributeClipboard& c) { pasteWallAttributes(m, c, 2, {}); },
         [](const MapStore& m) {
             const WallRecord& w = m.walls[2];
             EXPECT_EQ(w.picnum, 50);
             EXPECT_EQ(w.shade, 9);
             EXPECT_EQ(w.xrepeat, 8);  // not the sprite's 40
             EXPECT_EQ(w.lotag, 2);
         }},
        {"sector ceiling onto sprite",
         [](const MapStore& m, AttributeClipboard& c) { copySectorCeilingAttributes(m, c, 0); },
         [](MapStore& m, const AttributeClipboard& c) { pasteSpriteAttributes(m, c, 1); },
         [](const MapStore& m) {
             EXPECT_EQ(m.sprites[1].picnum, 12);
             EXPECT_EQ(m.sprites[1].lotag, 0);
         }},
        {"wall onto wall",
         [](const MapStore& m, AttributeClipboard& c) { copyWallAttributes(m, c, 1); },
         [](MapStore& m, const AttributeClipboard& c) { pasteWallAttributes(m, c, 6, {}); },
         [](const MapStore& m) {
             EXPECT_EQ(m.walls[6].picnum, 301);
             EXPECT_EQ(m.walls[6].lotag, 1);
             EXPECT_EQ(m.walls[6].overpicnum, 406);
         }},
        {"masked wall onto masked wall: no tags, masking bit on",
         [](const MapStore& m, AttributeClipboard& c) { copyMaskedWallAttributes(m, c, 1); },
         [](MapStore& m, const AttributeClipboard& c) {
             pasteMaskedWallAttributes(m, c, 6, {});
         },
         [](const MapStore& m) {
             EXPECT_EQ(m.walls[6].overpicnum, 401);
             EXPECT_EQ(m.walls[6].picnum, 306);
             EXPECT_EQ(m.walls[6].lotag, 6);
             EXPECT_NE(m.walls[6].cstat & kWallMasked, 0);
         }},
        {"texture-only clip onto a sprite",
         [](const MapStore& m, AttributeClipboard& c) {
             copySpriteAttributes(m, c, 0);
             c.kind = Kind::TextureOnly;
         },
         [](MapStore& m, const AttributeClipboard& c) { pasteSpriteAttributes(m, c, 1); },
         [](const MapStore& m) {
             EXPECT_EQ(m.sprites[1].picnum, 50);
             EXPECT_EQ(m.sprites[1].shade, 9);
             EXPECT_EQ(m.sprites[1].xrepeat, m.sprites[1].xrepeat);
             EXPECT_EQ(m.sprites[1].lotag, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AttrRig r;
        AttributeClipboard clip;
        c.copy(r.map, clip);
        c.paste(r.map, clip);
        c.check(r.map);
    }
}

TEST(AttributeClipboard, SlopeTravelsOnlyWhenAskedAndTheSlopeBitFollowsTheHeinum) {
    struct Case {
        bool writeSlope;
        int16_t heinum;
        bool sloped;
    };
    // Sector 0's ceiling has heinum 512 but a stat without the slope bit set.
    for (const Case c : {Case{true, 512, true}, Case{false, 0, false}}) {
        SCOPED_TRACE(c.writeSlope);
        AttrRig r;
        AttributeClipboard clip;
        copySectorCeilingAttributes(r.map, clip, 0);
        pasteSectorCeilingAttributes(r.map, clip, 1, {c.writeSlope, false});
        EXPECT_EQ(r.map.sectors[1].ceilingheinum, c.heinum);
        EXPECT_EQ((r.map.sectors[1].ceilingstat & kSurfaceSloped) != 0, c.sloped);
    }
}

TEST(AttributeClipboard, WallPasteSquaresTheTextureWhenAsked) {
    AttrRig r;
    AttributeClipboard clip;
    copyWallAttributes(r.map, clip, 0);
    pasteWallAttributes(r.map, clip, 1, {false, true});
    // The wall is 256 long with yrepeat 8: xrepeat 8 x 256 / 1024 = 2.
    EXPECT_EQ(r.map.walls[1].xrepeat, 2);
}

TEST(AttributeClipboard, BadIndicesChangeNothing) {
    AttrRig r;
    AttributeClipboard clip;
    copyWallAttributes(r.map, clip, 0);
    const AttributeClipboard kept = clip;
    const auto before = std::make_unique<MapStore>(r.map);
    for (int32_t bad : {-1, 5000, 0x7fffffff}) {
        copySpriteAttributes(r.map, clip, bad);
        copySectorFloorAttributes(r.map, clip, bad);
        copyMaskedWallAttributes(r.map, clip, bad);
        pasteSpriteAttributes(r.map, clip, bad);
        pasteSectorCeilingAttributes(r.map, clip, bad, {true, true});
        pasteWallAttributes(r.map, clip, bad, {true, true});
        pasteMaskedWallAttributes(r.map, clip, bad, {true, true});
    }
    EXPECT_EQ(clip.picnum, kept.picnum);
    EXPECT_EQ(clip.kind, kept.kind);
    EXPECT_EQ(test::contentDifference(*before, r.map), "");
}

// Enter on the map pages: the first kind of the mode's order with a selection wins, then the
// hovered objects in the same order.
TEST(AttributeCommands, EnterTargetOrderBySelectionMode) {
    struct Case {
        SelectionMode mode;
        bool selectSprite, selectWall, selectSector;
        const char* expect;  // which object changed: "sprite", "wall", "sector", "none"
    };
    const Case cases[] = {
        {SelectionMode::Walls, true, true, false, "wall"},
        {SelectionMode::Walls, true, false, true, "sprite"},
        {SelectionMode::Sectors, true, true, true, "sector"},
        {SelectionMode::Sectors, true, true, false, "sprite"},
        {SelectionMode::Sprites, false, true, true, "sector"},
        {SelectionMode::SpritesAndVertices, false, true, false, "wall"},
        {SelectionMode::BooleanTarget, true, true, true, "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        AttrRig r;
        r.clip().kind = Kind::TextureOnly;
        r.clip().picnum = 999;
        r.ed->tool.selectionMode = c.mode;
        if (c.selectSprite) r.selectSprite(1);
        if (c.selectWall) r.selectWall(2);
        if (c.selectSector) r.selectSector(1);
        r.map.mapModified = MapModifiedState::Unmodified;
        confirmOrPasteAttributes(*r.ed);
        const std::string got = r.map.sprites[1].picnum == 999     ? "sprite"
                                : r.map.walls[2].picnum == 999     ? "wall"
                                : r.map.sectors[1].floorpicnum == 999 ? "sector"
                                                                      : "none";
        EXPECT_EQ(got, c.expect);
        const bool pasted = std::string(c.expect) != "none";
        EXPECT_EQ(r.cues(), pasted ? std::vector<std::string>{"command"}
                                   : std::vector<std::string>{});
        EXPECT_EQ(r.map.undoState, pasted ? UndoState::Snapshot : UndoState::Nothing);
        EXPECT_EQ(r.map.mapModified != MapModifiedState::Unmodified, pasted);
    }
}

TEST(AttributeCommands, HoveredObjectsAndTheCeilingView) {
    AttrRig r;
    Editor& ed = *r.ed;
    r.clip().kind = Kind::TextureOnly;
    r.clip().picnum = 999;
    ed.hover.hoveredSector = 1;
    ed.hover.hoveredWall = 2;
    ed.settings.ceilingView = 1;
    const auto before = std::make_unique<MapStore>(r.map);
    confirmOrPasteAttributes(ed);
    EXPECT_EQ(r.map.sectors[1].ceilingpicnum, 999);
    EXPECT_NE(r.map.walls[2].picnum, 999);
    // Undo gives the map back.
    restoreUndo(r.map, ed.undo, ed.clipboard, ed.tool.selectionMode, ed.events);
    EXPECT_EQ(test::recordDifference(*before, r.map), "");

    // Tab copies from the hovered sector's ceiling; nothing hovered copies nothing.
    copyTextureOnly(ed);  // hovered sector 1's ceiling, then texture only
    EXPECT_EQ(r.clip().kind, Kind::TextureOnly);
    ed.hover = HoverState{};
    r.cues();
    r.clip().kind = Kind::Wall;
    nextFieldOrCopyAttributes(ed);
    EXPECT_EQ(r.clip().kind, Kind::Wall);
    EXPECT_TRUE(r.cues().empty());
    // Ctrl+Tab over empty space still makes the clip texture-only.
    copyTextureOnly(ed);
    EXPECT_EQ(r.clip().kind, Kind::TextureOnly);
}

TEST(AttributeCommands, SideViewPartsDecideWithoutTargets) {
    struct Case {
        uint8_t part;
        bool swapBottom;
        const char* expect;  // "subject", "twin", "masked", "none"
    };
    const Case cases[] = {
        {1, false, "subject"}, {1, true, "twin"},   {2, false, "subject"},
        {4, false, "subject"}, {3, false, "masked"}, {0, false, "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.part) * 10 + c.swapBottom);
        AttrRig r;
        const int32_t w = r.sharedWall(0);
        const int32_t twin = r.map.walls[size_t(w)].nextwall;
        if (c.swapBottom) r.map.walls[size_t(w)].cstat |= kWallSwapBottom;
        r.sideViewOnWall(w, 0, c.part);
        r.clip().kind = Kind::TextureOnly;
        r.clip().picnum = 999;
        confirmOrPasteAttributes(*r.ed);
        const std::string got = r.map.walls[size_t(w)].picnum == 999        ? "subject"
                                : r.map.walls[size_t(twin)].picnum == 999   ? "twin"
                                : r.map.walls[size_t(w)].overpicnum == 999  ? "masked"
                                                                            : "none";
        EXPECT_EQ(got, c.expect);
        if (std::string(c.expect) == "masked")
            EXPECT_NE(r.map.walls[size_t(w)].cstat & kWallMasked, 0);
    }
}

TEST(AttributeCommands, SideViewTwinThatNamesNoWallIsNotFollowed) {
    AttrRig r;
    const int32_t w = r.sharedWall(0);
    r.map.walls[size_t(w)].cstat |= kWallSwapBottom;
    r.map.walls[size_t(w)].nextwall = 30000;
    r.sideViewOnWall(w, 0, 1);
    r.clip().kind = Kind::TextureOnly;
    r.clip().picnum = 999;
    confirmOrPasteAttributes(*r.ed);
    EXPECT_EQ(r.map.walls[size_t(w)].picnum, 999);
}

TEST(AttributeCommands, ShiftEnterOnlyOnThePlanViewAndKeepsTheClipKind) {
    AttrRig r;
    Editor& ed = *r.ed;
    copySpriteAttributes(r.map, r.clip(), 0);
    r.selectSprite(1);
    ed.tool.selectionMode = SelectionMode::Sprites;
    r.sideViewOnWall(r.sharedWall(0), 0, 2);
    pasteTextureOnly(ed);
    EXPECT_EQ(r.map.sprites[1].picnum, 60);
    ed.app.currentPage = Page::PlanView;
    pasteTextureOnly(ed);
    EXPECT_EQ(r.map.sprites[1].picnum, 50);
    EXPECT_NE(r.map.sprites[1].xrepeat, 40);
    EXPECT_EQ(r.clip().kind, Kind::Sprite);
}

TEST(AttributeCommands, KeyNineTogglesTheSlopeAndTheThreeDViewNeverWritesIt) {
    AttrRig r;
    Editor& ed = *r.ed;
    togglePasteSlope(ed);
    EXPECT_EQ(ed.attributes.pasteHeinum, 1);
    EXPECT_EQ(ed.app.statusText, r.msg(107));
    togglePasteSlope(ed);
    EXPECT_EQ(ed.attributes.pasteHeinum, 0);
    EXPECT_EQ(ed.app.statusText, r.msg(106));
    togglePasteSlope(ed);
    EXPECT_TRUE(r.cues().empty());

    // The wall hook the 3D keys share: on page 10 the slope rule is off, squaring follows the
    // setting.
    ed.settings.autoWallSquare = 1;
    copyWallAttributes(r.map, r.clip(), 0);
    ed.operations.pasteWallAttributes(ed, 1);
    EXPECT_EQ(r.map.walls[1].xrepeat, 2);
}

TEST(AttributeCommands, TabOnOtherPagesWalksTheShownFieldsWithoutWrap) {
    AttrRig r;
    Editor& ed = *r.ed;
    layoutWidgets(ed);
    ed.app.currentPage = Page::DisplayOptions;
    struct Case {
        int32_t from, to;
    };
    // The page's fields are 3 to 6; with no focus, or on the last, nothing moves.
    for (const Case c : {Case{3, 4}, Case{5, 6}, Case{6, 6}, Case{-1, -1}, Case{168, 168}}) {
        ed.app.focusedField = c.from;
        nextFieldOrCopyAttributes(ed);
        EXPECT_EQ(ed.app.focusedField, c.to) << c.from;
    }

    ed.app.currentPage = Page::FileBrowser;
    ed.pages.fileBrowser.browserFocus = 0;
    nextFieldOrCopyAttributes(ed);
    EXPECT_EQ(ed.pages.fileBrowser.browserFocus, 1);
}

TEST(AttributeCommands, EnterOnTheSimplePages) {
    AttrRig r;
    Editor& ed = *r.ed;
    ed.app.currentPage = Page::MessageBox;
    confirmOrPasteAttributes(ed);
    EXPECT_EQ(ed.dispatch.pendingClick, 1);
    EXPECT_EQ(ed.dispatch.pendingClickId, 255000);

    // The tile picker without a target sets the terrain tile and changes no map object.
    const auto before = std::make_unique<MapStore>(r.map);
    ed.app.currentPage = Page::TilePicker;
    ed.pages.tilePicker.tilePickerShowAll = 1;
    ed.pages.tilePicker.tilePickerCursor = 77;
    ed.prompt.targetSector = ed.prompt.targetWall = ed.prompt.targetSprite = -1;
    confirmOrPasteAttributes(ed);
    EXPECT_EQ(ed.pages.terrainSetup.terrainTile, 77);
    EXPECT_EQ(test::contentDifference(*before, r.map), "");
}

TEST(AttributeCommands, TilePickerTargets) {
    struct Case {
        int32_t sector, wall, sprite;
        uint8_t masked, ceilingList;
        const char* expect;
    };
    constexpr int32_t all = 0xFFFFFF;
    const Case cases[] = {
        {1, -1, -1, 0, 0, "floor1"},
        {1, -1, -1, 0, 1, "ceiling1"},
        {all, -1, -1, 0, 0, "floor0"},  // sector 0 selected
        {-1, 2, -1, 0, 0, "wall2"},
        {-1, 2, -1, 1, 0, "over2"},
        {-1, -1, 1, 0, 0, "sprite1"},
        {-1, 9999, -1, 0, 0, "none"},  // a stale target writes nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expect);
        AttrRig r;
        Editor& ed = *r.ed;
        r.selectSector(0);
        ed.app.currentPage = Page::TilePicker;
        ed.pages.tilePicker.tilePickerShowAll = 1;
        ed.pages.tilePicker.tilePickerCursor = 555;
        ed.pages.tilePicker.targetOverpicnum = c.masked;
        ed.tileCatalog.usedTileListKind = c.ceilingList;
        ed.prompt.targetSector = c.sector;
        ed.prompt.targetWall = c.wall;
        ed.prompt.targetSprite = c.sprite;
        confirmOrPasteAttributes(ed);
        std::string got = "none";
        for (int32_t s = 0; s < 2; ++s) {
            if (r.map.sectors[size_t(s)].floorpicnum == 555) got = "floor" + std::to_string(s);
            if (r.map.sectors[size_t(s)].ceilingpicnum == 555) got = "ceiling" + std::to_string(s);
        }
        if (r.map.walls[2].picnum == 555) got = "wall2";
        if (r.map.walls[2].overpicnum == 555) got = "over2";
        if (r.map.sprites[1].picnum == 555) got = "sprite1";
        EXPECT_EQ(got, c.expect);
        EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
    }
}

TEST(AttributeCommands, FileBrowserFolderListEnter) {
    AttrRig r;
    Editor& ed = *r.ed;
    ed.app.currentPage = Page::FileBrowser;
    FileBrowserState& b = ed.pages.fileBrowser;
    const std::string root = ed.app.platform->programFolder();
    b.browserFolder = root;
    ed.app.platform->fileSystem().makeFolder(root + "maps");
    fillFileDialogLists(b, ed.app.platform->fileSystem(), root);
    int32_t maps = -1;
    for (int32_t i = 0; i < b.browserFolderCount; ++i)
        if (b.browserFolders[size_t(i)] == "maps") maps = i;
    ASSERT_GE(maps, 0);
    b.browserFocus = 0;
    b.browserFolderCursor = maps;
    confirmOrPasteAttributes(ed);
    EXPECT_EQ(b.browserFolder, root + "maps" + pathSeparator());
    EXPECT_EQ(ed.app.currentPage, Page::FileBrowser);
    // ".." goes back up.
    ASSERT_GT(b.browserFolderCount, 0);
    EXPECT_EQ(b.browserFolders[0], "..");
    confirmOrPasteAttributes(ed);
    EXPECT_EQ(b.browserFolder, root);
    // A cursor outside the list does nothing.
    b.browserFolderCursor = 5000;
    confirmOrPasteAttributes(ed);
    EXPECT_EQ(b.browserFolder, root);
}

TEST(AttributeCommands, DriveListArrowsSkipMissingDrivesAndEnterOpensTheRoot) {
    AttrRig r;
    Editor& ed = *r.ed;
    ed.app.currentPage = Page::DrivePicker;
    FileBrowserState& b = ed.pages.fileBrowser;
    b.driveAvailable.fill(0);
    b.driveAvailable[0] = 1;
    b.driveAvailable[2] = 2;
    b.driveAvailable[5] = 1;
    b.driveCursor = 2;
    struct Step {
        void (*key)(Editor&);
        int32_t cursor;
    };
    const Step steps[] = {{navigateNext, 5}, {navigateNext, 5}, {navigatePrevious, 2},
                          {navigatePrevious, 0}, {navigatePrevious, 0}, {navigateDown, 0},
                          {navigateNext, 2}};
    for (const Step& s : steps) {
        s.key(ed);
        EXPECT_EQ(b.driveCursor, s.cursor);
    }
    ed.app.currentPage = Page::DrivePicker;
    confirmOrPasteAttributes(ed);
    EXPECT_EQ(b.browserFolder, ed.app.platform->fileSystem().driveFolder(2));
    EXPECT_FALSE(b.browserFolder.empty());
    EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
    // A cursor outside the letters does nothing.
    b.driveCursor = 40;
    ed.app.currentPage = Page::DrivePicker;
    b.browserFolder = "kept";
    confirmOrPasteAttributes(ed);
    EXPECT_EQ(b.browserFolder, "kept");
}

}  // namespace
}  // namespace korvel
