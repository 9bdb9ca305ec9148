#include "commands/TextureCommands.h"

#include <gtest/gtest.h>

#include "platform/VirtualKeys.h"
#include "support/EditCommandRig.h"

namespace korvel {
namespace {

using test::EditCommandRig;

struct Rooms : EditCommandRig {
    Rooms() {
        twoRooms();
        test::MapBuilder(map).addSprite(100, 100, 0, 0);
    }
};

TEST(TextureCommands, SpriteRepeatSteps) {
    struct Case {
        void (*run)(Editor&);
        bool step8;
        uint8_t before, want;
        bool xField;
    };
    const Case cases[] = {
        {increaseXRepeat, true, 10, 16, true},   {increaseXRepeat, true, 243, 248, true},
        {increaseXRepeat, true, 244, 255, true}, {decreaseXRepeat, true, 12, 8, true},
        {decreaseXRepeat, true, 3, 0, true},     {increaseXRepeat, false, 255, 255, true},
        {decreaseXRepeat, false, 0, 0, true},    {keypad8Step, false, 40, 41, false},
        {keypad2Step, false, 40, 39, false},     {keypad2Step, true, 40, 32, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.before) << (c.step8 ? " step8" : ""));
        Rooms r;
        r.ed->hover.hoveredSprite = 0;
        SpriteRecord& sp = r.map.sprites[0];
        (c.xField ? sp.xrepeat : sp.yrepeat) = c.before;
        if (c.step8) r.holdKey(vk::Pad5);
        c.run(*r.ed);
        EXPECT_EQ(c.xField ? sp.xrepeat : sp.yrepeat, c.want);
        EXPECT_EQ(r.map.undoState, UndoState::Snapshot);
        // A value at its limit in the normal mode shows nothing.
        const bool quiet = !c.step8 && c.before == c.want;
        EXPECT_EQ(
            r.ed->app.statusText,
            quiet ? "" : r.msg(42, {"0", std::to_string(sp.xrepeat), std::to_string(sp.yrepeat)}));
        EXPECT_TRUE(r.cues().empty());
    }
}

TEST(TextureCommands, SelectedSpritesReportByModeAndKey) {
    const struct {
        void (*run)(Editor&);
        int32_t normal, step8;
    } keys[] = {{increaseXRepeat, 39, 38},
                {decreaseXRepeat, 47, 46},
                {keypad8Step, 49, 48},
                {keypad2Step, 51, 50}};
    for (const auto& k : keys)
        for (const bool step8 : {false, true}) {
            Rooms r;
            r.selectSprite(0);
            r.map.sprites[0].xrepeat = r.map.sprites[0].yrepeat = 255;
            if (step8) r.holdKey(vk::Pad5);
            k.run(*r.ed);
            EXPECT_EQ(r.ed->app.statusText, r.msg(step8 ? k.step8 : k.normal));
        }
}

TEST(TextureCommands, SectorPanningWrapsOnTheViewSide) {
    Rooms r;
    r.ed->hover.hoveredSector = 1;
    r.map.sectors[1].floorxpanning = 252;
    r.holdKey(vk::Pad5);
    increaseXRepeat(*r.ed);
    EXPECT_EQ(r.map.sectors[1].floorxpanning, 8);
    r.releaseKey(vk::Pad5);
    r.map.sectors[1].floorypanning = 0;
    keypad2Step(*r.ed);
    EXPECT_EQ(r.map.sectors[1].floorypanning, 255);
    EXPECT_EQ(r.ed->app.statusText, r.msg(43, {"1", "8", "-1"}));
    r.ed->settings.ceilingView = 1;
    r.selectSector(0);
    r.selectSector(1);
    r.map.sectors[0].ceilingxpanning = 5;
    r.map.sectors[1].ceilingxpanning = 100;
    decreaseXRepeat(*r.ed);
    EXPECT_EQ(r.map.sectors[0].ceilingxpanning, 4);
    EXPECT_EQ(r.map.sectors[1].ceilingxpanning, 99);
    EXPECT_EQ(r.map.sectors[1].floorxpanning, 8);
    EXPECT_EQ(r.ed->app.statusText, r.msg(41, {"4", "0"}));
}

TEST(TextureCommands, SideViewWallRepeatsRunTheOtherWayInY) {
    Rooms r;
    r.sideViewOnWall(0, 1);
    r.ed->hover.hoveredSector = 0;  // the keypad never touches sectors in the side view
    WallRecord& w = r.map.walls[0];
    w.xrepeat = 16;
    w.yrepeat = 8;
    keypad8Step(*r.ed);
    EXPECT_EQ(w.yrepeat, 7);
    keypad2Step(*r.ed);
    keypad2Step(*r.ed);
    EXPECT_EQ(w.yrepeat, 9);
    r.holdKey(vk::Pad5);
    increaseXRepeat(*r.ed);
    EXPECT_EQ(w.xrepeat, 24);
    EXPECT_EQ(r.map.sectors[0].floorxpanning, 0);
    // Wall 0 runs 256 units: 9 / 24 x 256 / 1024.
    EXPECT_EQ(r.ed->app.statusText, r.msg(45, {"0", "24", "9", "0.09375"}));
}

TEST(TextureCommands, CtrlKeypadPansTheSubjectOrTheTwinBelow) {
    Rooms r;
    const int32_t w = r.sharedWall(0);
    const int32_t twin = r.map.walls[size_t(w)].nextwall;
    r.sideViewOnWall(w, 1, 1);
    r.map.walls[size_t(w)].xpanning = 250;
    r.holdKey(vk::Pad5);
    increaseWallXPan(*r.ed);
    EXPECT_EQ(r.map.walls[size_t(w)].xpanning, 0);
    EXPECT_EQ(r.ed->app.statusText, r.msg(52, {std::to_string(w), "0", "0"}));
    r.releaseKey(vk::Pad5);
    r.map.walls[size_t(w)].cstat = kWallSwapBottom;
    decreaseWallYPan(*r.ed);
    EXPECT_EQ(r.map.walls[size_t(twin)].ypanning, 255);
    EXPECT_EQ(r.map.walls[size_t(w)].ypanning, 0);
    // A bad twin counts as none: the subject itself changes.
    r.map.walls[size_t(w)].nextwall = 32000;
    increaseWallYPan(*r.ed);
    EXPECT_EQ(r.map.walls[size_t(w)].ypanning, 1);
    // Plan view: nothing.
    r.ed->app.currentPage = Page::PlanView;
    const auto before = std::make_unique<MapStore>(r.map);
    increaseWallYPan(*r.ed);
    EXPECT_EQ(r.map.walls[size_t(w)].ypanning, 1);
}

}  // namespace
}  // namespace korvel
