#include "views/ViewBookmarks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "editing/HiddenStates.h"
#include "map/Selection.h"
#include "support/DispatchRig.h"
#include "support/MapBuilder.h"

namespace korvel {
namespace {

constexpr int kCtrl = 17;

bool has(const std::vector<std::string>& cues, const char* cue) {
    return std::find(cues.begin(), cues.end(), cue) != cues.end();
}

// Two rooms side by side on the plan view with the bookmark keys on.
struct BookmarkRig : test::DispatchRig {
    BookmarkRig() {
        test::MapBuilder(ed->map).addRoom(0, 0, 256, 256);
        test::MapBuilder(ed->map).addRoom(512, 0, 768, 256);
        ed->app.currentPage = ed->app.previousPage = Page::PlanView;
        ed->bookmarks.bookmarkTool = 1;
        frame();
    }
    // A digit tapped (with Ctrl when store is set); the cues of the frame it went down in.
    std::vector<std::string> digit(char d, bool store = false) {
        if (store) key(kCtrl, true);
        key(d, true);
        std::vector<std::string> cues = frame();
        key(d, false);
        if (store) key(kCtrl, false);
        frame();
        return cues;
    }
    void selectSector(int32_t s) {
        MapStore& m = ed->map;
        m.sectorSelected[s] = 1;
        for (int32_t w = m.sectors[s].wallptr; w < m.sectors[s].wallptr + m.sectors[s].wallnum; ++w)
            m.wallSelected[w] = m.vertexSelected[w] = 1;
        recountSelection(m);
    }
};

TEST(ViewBookmarks, AStoredViewIsGlidedBackToWithItsFilters) {
    BookmarkRig r;
    ViewState& v = r.ed->view;
    MapStore& m = r.ed->map;
    v.viewOriginX = 1000.4f, v.viewOriginY = -2000.6f, v.viewZoom = 3;
    r.ed->settings.zRangeLow = -100, r.ed->settings.zRangeHigh = 200;
    r.ed->settings.zRangeMode = 1;
    m.sectorIgnored[1] = uint8_t(HiddenState::Hidden);
    EXPECT_TRUE(has(r.digit('3', true), "beep3.wav"));
    EXPECT_EQ(r.ed->bookmarks.bookmarkX[3], 1000);
    EXPECT_EQ(r.ed->bookmarks.bookmarkY[3], -2001);

    // Elsewhere, unfiltered, with the second room selected.
    v.viewOriginX = 0, v.viewOriginY = 0, v.viewZoom = 16;
    r.ed->settings.zRangeMode = 0;
    m.sectorIgnored[1] = 0;
    updateHiddenStates(m, r.ed->settings);
    r.selectSector(1);
    r.selectSector(0);
    r.ed->dispatch.areaSelectLatch = 1;
    EXPECT_TRUE(has(r.digit('3'), "beep2.wav"));
    EXPECT_EQ(r.ed->dispatch.areaSelectLatch, 1) << "the digit reached no command";
    EXPECT_EQ(r.ed->settings.zRangeLow, -100);
    EXPECT_EQ(r.ed->settings.zRangeHigh, 200);
    EXPECT_EQ(r.ed->settings.zRangeMode, 1);
    EXPECT_EQ(m.sectorIgnored[1], uint8_t(HiddenState::Hidden));
    // What the restored filter hides is no longer selected, walls included.
    EXPECT_EQ(m.sectorSelected[1], 0);
    for (int32_t w = m.sectors[1].wallptr; w < m.sectors[1].wallptr + 4; ++w) {
        EXPECT_EQ(m.wallSelected[w], 0) << w;
        EXPECT_EQ(m.vertexSelected[w], 0) << w;
    }
    EXPECT_EQ(m.sectorSelected[0], 1) << "the shown room stays selected";

    // The glide takes 33 frames from the recall, the two frames run since included.
    for (int i = 2; i < 33; ++i) {
        EXPECT_NE(r.ed->viewMotion.glideStep, -1) << i;
        r.frame();
    }
    EXPECT_EQ(r.ed->viewMotion.glideStep, -1);
    EXPECT_FLOAT_EQ(v.viewOriginX, 1000);
    EXPECT_FLOAT_EQ(v.viewOriginY, -2001);
    EXPECT_FLOAT_EQ(v.viewZoom, 3);
}

TEST(ViewBookmarks, DigitsWithoutAStoredViewOrTheToolGoToTheirCommands) {
    struct Case {
        const char* what;
        uint8_t tool;
        Page page;
        bool stored;
        bool reachesCommand;  // the digit's command ran (and ended the Alt area latch)
    } const cases[] = {
        {"empty slot", 1, Page::PlanView, false, false},
        {"stored slot", 1, Page::PlanView, true, false},
        {"tool off", 0, Page::PlanView, true, true},
    };
    for (char d : {'1', '5', '6', '9', '0'}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " " + d);
            BookmarkRig r;
            r.ed->bookmarks.bookmarkTool = c.tool;
            if (c.stored) storeBookmark(r.ed->bookmarks, d - '0', r.ed->view, r.ed->map, r.ed->settings);
            r.ed->view.viewOriginX = 77;
            r.ed->dispatch.areaSelectLatch = 1;
            const std::vector<std::string> cues = r.digit(d);
            EXPECT_EQ(r.ed->dispatch.areaSelectLatch, c.reachesCommand ? 0 : 1);
            EXPECT_EQ(has(cues, "beep2.wav"), c.stored && c.tool == 1);
            if (!c.stored) EXPECT_EQ(r.ed->viewMotion.glideStep, -1) << "nothing changes";
        }
    }
}

TEST(ViewBookmarks, ARefreshCopiesTheCurrentStatesIntoUsedSlotsOnly) {
    auto b = std::make_unique<ViewBookmarks>();
    auto map = std::make_unique<MapStore>();
    test::MapBuilder(*map).addRoom(0, 0, 256, 256);
    test::MapBuilder(*map).addRoom(512, 0, 768, 256);
    ViewState view;
    Settings settings;
    storeBookmark(*b, 2, view, *map, settings);
    storeBookmark(*b, 7, view, *map, settings);
    b->bookmarkZoom[7] = -1;  // a slot whose zoom is not above 0 is empty
    // The first room was deleted: the second one, hidden, now has index 0.
    map->sectorIgnored[0] = uint8_t(HiddenState::Hidden);
    refreshBookmarkHiddenFlags(*b, *map);
    EXPECT_EQ(b->bookmarkSectorIgnored[2 * kMaxSectors], uint8_t(HiddenState::Hidden));
    EXPECT_EQ(b->bookmarkSectorIgnored[7 * kMaxSectors], 0);
    EXPECT_EQ(b->bookmarkSectorIgnored[3 * kMaxSectors], 0);
    // Counts beyond the capacity copy no further than the slot.
    map->sectorCount = INT32_MAX;
    map->spriteCount = -5;
    refreshBookmarkHiddenFlags(*b, *map);
    EXPECT_FALSE(recallBookmark(*b, 7, view, *std::make_unique<ViewMotionState>(), *map, settings));
}

TEST(ViewBookmarks, OriginsOutsideThe32BitRangeAreKeptInsideIt) {
    auto b = std::make_unique<ViewBookmarks>();
    auto map = std::make_unique<MapStore>();
    ViewState view;
    Settings settings;
    view.viewOriginX = 1e20f, view.viewOriginY = -1e20f;
    storeBookmark(*b, 0, view, *map, settings);
    EXPECT_EQ(b->bookmarkX[0], INT32_MAX);
    EXPECT_EQ(b->bookmarkY[0], INT32_MIN);
    storeBookmark(*b, 10, view, *map, settings);   // no such slot: nothing
    storeBookmark(*b, -1, view, *map, settings);
    ViewMotionState motion;
    EXPECT_FALSE(recallBookmark(*b, 10, view, motion, *map, settings));
    EXPECT_TRUE(recallBookmark(*b, 0, view, motion, *map, settings));
    EXPECT_EQ(motion.glideFromX, INT32_MAX);
    EXPECT_EQ(motion.glideToY, INT32_MIN);
}

}  // namespace
}  // namespace korvel
