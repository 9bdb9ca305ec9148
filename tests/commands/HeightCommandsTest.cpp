#include "commands/HeightCommands.h"

#include <gtest/gtest.h>

#include <climits>

#include "map/Selection.h"
#include "platform/VirtualKeys.h"
#include "support/EditCommandRig.h"
#include "support/MapInvariants.h"

namespace korvel {
namespace {

using test::EditCommandRig;

struct Room : EditCommandRig {
    Room() {
        test::MapBuilder b(map);
        b.addRoom(0, 0, 256, 256);
        map.sectors[0].ceilingz = -4096;
        map.sectors[0].floorz = 0;
        ed->hover.hoveredSector = 0;
    }
};

TEST(HeightCommands, StepsLimitsAndMessagesOnAHoveredSector) {
    struct Case {
        const char* name;
        void (*run)(Editor&);
        int heldKey;
        int32_t repeats;
        uint8_t ceilingView;
        int32_t floorz, ceilingz;  // before
        int32_t wantFloor, wantCeiling;
        int32_t message;
    };
    const Case cases[] = {
        {"PgUp", pageUpOrRaise, 0, 0, 0, 0, -4096, -1024, -4096, 13},
        {"PgUp, Home held", pageUpOrRaise, vk::Home, 0, 0, 0, -4096, -128, -4096, 13},
        {"PgUp, End held", pageUpOrRaise, vk::End, 0, 0, 0, -4096, -16, -4096, 13},
        {"a floor stops at its ceiling", pageUpOrRaise, 0, 0, 0, -4000, -4096, -4096, -4096, 13},
        {"a lowered ceiling stops at its floor", pageDownOrLower, 0, 0, 1, 0, -512, 0, 0, 14},
        {"a raised ceiling is not limited", pageUpOrRaise, 0, 0, 1, 0, -4096, 0, -5120, 14},
        {"a lowered floor is not limited", pageDownOrLower, 0, 0, 0, 0, -4096, 1024, -4096, 13},
        {"Shift+PgUp first press steps 1", raiseByKeyRepeat, vk::PageUp, 0, 0, 0, -4096, -1, -4096,
         13},
        {"Shift+PgUp third repeat steps 3", raiseByKeyRepeat, vk::PageUp, 2, 0, 0, -4096, -3, -4096,
         13},
        {"Shift+PgDn on a ceiling", lowerByKeyRepeat, vk::PageDown, 4, 1, 0, -4096, 0, -4091, 14},
        {"Ctrl+PgUp moves a sector side by 8192", raiseBy8192, 0, 0, 1, 0, -4096, 0, -12288, 14},
        {"floor sum saturates", pageDownOrLower, 0, 0, 0, INT_MAX - 10, -4096, INT_MAX, -4096, 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Room r;
        r.map.sectors[0].floorz = c.floorz;
        r.map.sectors[0].ceilingz = c.ceilingz;
        r.ed->settings.ceilingView = c.ceilingView;
        if (c.heldKey) r.holdKey(c.heldKey, c.repeats);
        if (c.heldKey == vk::End) r.holdKey(vk::End);
        c.run(*r.ed);
        EXPECT_EQ(r.map.sectors[0].floorz, c.wantFloor);
        EXPECT_EQ(r.map.sectors[0].ceilingz, c.wantCeiling);
        EXPECT_EQ(
            r.ed->app.statusText,
            r.msg(c.message, {"0", std::to_string(c.ceilingView ? c.wantCeiling : c.wantFloor)}));
        EXPECT_TRUE(r.cues().empty());
    }
}

TEST(HeightCommands, HomeWinsOverEnd) {
    Room r;
    r.holdKey(vk::Home);
    r.holdKey(vk::End);
    pageUpOrRaise(*r.ed);
    EXPECT_EQ(r.map.sectors[0].floorz, -128);
}

TEST(HeightCommands, ShiftStepsFollowTheRepeatCountAndRestartAfterRelease) {
    Room r;
    int32_t z = 0;
    for (const int32_t repeats : {0, 1, 2}) {
        r.holdKey(vk::PageUp, repeats);
        raiseByKeyRepeat(*r.ed);
        z -= repeats + 1;
        EXPECT_EQ(r.map.sectors[0].floorz, z);
    }
    r.releaseKey(vk::PageUp);
    r.holdKey(vk::PageUp, 0);
    raiseByKeyRepeat(*r.ed);
    EXPECT_EQ(r.map.sectors[0].floorz, z - 1);
}

TEST(HeightCommands, SelectedSpritesAndSectorsReportTheStep) {
    Room r;
    test::MapBuilder(r.map).addSprite(10, 10, -100, 0);
    r.selectSprite(0);
    pageUpOrRaise(*r.ed);
    EXPECT_EQ(r.map.sprites[0].z, -1124);
    EXPECT_EQ(r.ed->app.statusText, r.msg(9, {"1024"}));
    deselectSprites(r.map);
    r.selectSector(0);
    r.ed->settings.ceilingView = 1;
    lowerBy8192(*r.ed);
    EXPECT_EQ(r.map.sectors[0].ceilingz, 0);  // stopped at the floor
    EXPECT_EQ(r.ed->app.statusText, r.msg(17, {"8192"}));
}

struct SpriteRoom : EditCommandRig {
    SpriteRoom() {
        test::MapBuilder b(map);
        b.addRoom(0, 0, 1024, 1024);
        map.sectors[0].ceilingz = -65536;
        map.sectors[0].floorz = 0;
        for (int32_t z : {-10000, -60000, -30000}) b.addSprite(100, 100, z, 0);
        ed->tiles.tileHeights[1] = 64;
    }
};

TEST(HeightCommands, CtrlFormsPutSpritesAgainstTheirSurfaces) {
    SpriteRoom r;
    for (int32_t k = 0; k < 3; ++k) r.selectSprite(k);
    raiseBy8192(*r.ed);
    // The sprite with the least room above it touches the ceiling; the group keeps its shape.
    EXPECT_EQ(r.map.sprites[0].z, -15536);
    EXPECT_EQ(r.map.sprites[1].z, -65536);
    EXPECT_EQ(r.map.sprites[2].z, -35536);
    EXPECT_EQ(r.ed->app.statusText, r.msg(213));
    EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
    lowerBy8192(*r.ed);
    EXPECT_EQ(r.map.sprites[0].z, 0);
    EXPECT_EQ(r.ed->app.statusText, r.msg(215));

    SpriteRoom h;
    h.ed->hover.hoveredSprite = 1;
    h.map.sprites[1].yrepeat = 128;
    raiseBy8192(*h.ed);
    EXPECT_EQ(h.map.sprites[1].z, -65536 + 32768);  // the top of the upright sprite at the ceiling
    EXPECT_EQ(h.ed->app.statusText, h.msg(214, {"1"}));
    h.map.sprites[1].cstat = kSpriteCentred;
    raiseBy8192(*h.ed);
    EXPECT_EQ(h.map.sprites[1].z, -65536);
    h.map.sprites[1].picnum = 30000;  // outside the tile table: no height
    h.map.sprites[1].cstat = 0;
    raiseBy8192(*h.ed);
    EXPECT_EQ(h.map.sprites[1].z, -65536);
    lowerBy8192(*h.ed);
    EXPECT_EQ(h.map.sprites[1].z, 0);
    EXPECT_EQ(h.ed->app.statusText, h.msg(216, {"1"}));
}

TEST(HeightCommands, CtrlFormsSkipSpritesOutsideEverySector) {
    SpriteRoom r;
    for (int32_t k = 0; k < 3; ++k) r.selectSprite(k);
    r.map.sprites[1].sectnum = -1;
    raiseBy8192(*r.ed);
    EXPECT_EQ(r.map.sprites[2].z, -65536);  // nearest of the measured ones
    EXPECT_EQ(r.map.sprites[1].z, -60000 - 35536);

    // No sprite gives a gap: nothing changes and no snapshot is taken.
    SpriteRoom n;
    for (int32_t k = 0; k < 3; ++k) {
        n.selectSprite(k);
        n.map.sprites[size_t(k)].sectnum = int16_t(k == 0 ? -1 : 5000);
    }
    const auto before = std::make_unique<MapStore>(n.map);
    raiseBy8192(*n.ed);
    lowerBy8192(*n.ed);
    n.ed->hover.hoveredSprite = 0;
    raiseBy8192(*n.ed);
    EXPECT_EQ(test::contentDifference(*before, n.map), "");
    EXPECT_TRUE(n.cues().empty());
}

TEST(HeightCommands, ListPagesPageThroughTheirLists) {
    EditCommandRig r;
    TilePickerState& p = r.ed->pages.tilePicker;
    r.ed->app.currentPage = Page::TilePicker;
    p.tilePickerCursor = 50;
    pageUpOrRaise(*r.ed);
    EXPECT_EQ(p.tilePickerCursor, 0);
    p.tilePickerCursor = 15300;
    pageDownOrLower(*r.ed);
    EXPECT_EQ(p.tilePickerCursor, 15359);
    r.ed->settings.smallImages = 1;
    p.tilePickerCursor = 1000;
    raiseByKeyRepeat(*r.ed);
    EXPECT_EQ(p.tilePickerCursor, 664);

    r.ed->app.currentPage = Page::TileZoom;
    std::vector<int32_t>& list = r.ed->tileCatalog.tileList;
    std::fill(list.begin(), list.end(), -1);
    list[0] = 7;
    list[1] = 9;
    p.tilePickerCursor = 0;
    pageDownOrLower(*r.ed);
    EXPECT_EQ(p.tilePickerCursor, 1);
    EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
    pageDownOrLower(*r.ed);  // the list ends
    EXPECT_EQ(p.tilePickerCursor, 1);
    EXPECT_TRUE(r.cues().empty());
    p.tilePickerCursor = 15360;  // past the list: read nothing beyond it
    pageDownOrLower(*r.ed);
    EXPECT_EQ(p.tilePickerCursor, 15360);
    p.tilePickerShowAll = 1;
    p.tilePickerCursor = 15359;
    pageDownOrLower(*r.ed);
    EXPECT_EQ(p.tilePickerCursor, 15359);
    pageUpOrRaise(*r.ed);
    EXPECT_EQ(p.tilePickerCursor, 15358);

    r.ed->app.currentPage = Page::FileBrowser;
    FileBrowserState& b = r.ed->pages.fileBrowser;
    b.browserFocus = 1;
    b.browserFileCount = 100;
    b.browserFileCursor = 10;
    b.browserFileTop = 5;
    pageDownOrLower(*r.ed);
    EXPECT_EQ(b.browserFileCursor, 42);
    EXPECT_EQ(b.browserFileTop, 11);
    pageDownOrLower(*r.ed);
    pageDownOrLower(*r.ed);
    EXPECT_EQ(b.browserFileCursor, 99);
    EXPECT_EQ(b.browserFileTop, 68);
    b.browserFileCursor = 70;
    pageUpOrRaise(*r.ed);
    EXPECT_EQ(b.browserFileCursor, 38);
    EXPECT_EQ(b.browserFileTop, 38);
    raiseByKeyRepeat(*r.ed);  // no Shift form on the browser
    EXPECT_EQ(b.browserFileCursor, 38);

    int pageChanges = 0;
    r.ed->calls.onPageChanged = [&](Editor&) { ++pageChanges; };
    r.ed->app.currentPage = Page::HelpViewer;
    r.ed->help.documentPage = 0;
    pageUpOrRaise(*r.ed);
    EXPECT_EQ(pageChanges, 0);
    pageDownOrLower(*r.ed);
    EXPECT_EQ(r.ed->help.documentPage, 1);
    EXPECT_EQ(pageChanges, 1);
}

}  // namespace
}  // namespace korvel
