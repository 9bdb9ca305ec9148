#include "commands/SlopeAngleCommands.h"

#include <gtest/gtest.h>

#include "platform/VirtualKeys.h"
#include "support/EditCommandRig.h"
#include "support/EditorRig.h"

namespace korvel {
namespace {

using test::EditCommandRig;

TEST(SlopeCommands, StepsSaturateOrWrapAndKeepTheSlopeBit) {
    struct Case {
        void (*run)(Editor&);
        int32_t repeats;
        int16_t before, want;
    };
    const Case cases[] = {
        {slopeStep512Down, 0, -32256, -32768}, {slopeStep512Down, 0, -32257, -32768},
        {slopeStep512Down, 0, -32255, -32767}, {slopeStep512Up, 0, 32255, 32767},
        {slopeStep512Up, 0, 32256, 32767},     {slopeStep512Up, 0, -512, 0},
        {increaseSlope, 0, 32767, -32768},     {increaseSlope, 4, 32765, -32766},
        {decreaseSlope, 2, -32767, 32766},     {decreaseSlope, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.before << " -> " << c.want);
        EditCommandRig r;
        r.twoRooms();
        r.ed->hover.hoveredSector = 1;
        r.map.sectors[1].floorheinum = c.before;
        r.map.sectors[1].floorstat = kSurfaceSloped;
        r.holdKey(vk::LeftBracket, c.repeats);
        r.holdKey(vk::RightBracket, c.repeats);
        c.run(*r.ed);
        EXPECT_EQ(r.map.sectors[1].floorheinum, c.want);
        EXPECT_EQ(r.map.sectors[1].floorstat & kSurfaceSloped, c.want ? kSurfaceSloped : 0);
        EXPECT_EQ(r.ed->app.statusText, r.msg(129, {"1", std::to_string(c.want)}));
        EXPECT_TRUE(r.cues().empty());
    }
}

TEST(SlopeCommands, ShiftFormsUseTheViewSideForSelectedSectors) {
    EditCommandRig r;
    r.twoRooms();
    r.selectSector(0);
    r.ed->app.currentPage = Page::SideView;
    r.ed->hover.sideHoverPart = 1;  // the mouse at a floor line
    r.ed->settings.ceilingView = 1;
    increaseSlope(*r.ed);
    EXPECT_EQ(r.map.sectors[0].ceilingheinum, 1);
    EXPECT_EQ(r.map.sectors[0].floorheinum, 0);
    EXPECT_EQ(r.ed->app.statusText, r.msg(148, {"1"}));
    slopeStep512Down(*r.ed);  // the pointed side
    EXPECT_EQ(r.map.sectors[0].floorheinum, -512);
    EXPECT_EQ(r.ed->app.statusText, r.msg(149, {"512"}));
}

TEST(AngleCommands, TurnsWrapAndReport) {
    EditCommandRig r;
    r.twoRooms();
    test::MapBuilder(r.map).addSprite(10, 10, 0, 0);
    r.ed->hover.hoveredSprite = 0;
    r.map.sprites[0].ang = 100;
    rotateSpriteLeft128(*r.ed);
    EXPECT_EQ(r.map.sprites[0].ang, 2020);
    EXPECT_EQ(r.ed->app.statusText, r.msg(79, {"0", "2020"}));
    r.map.sprites[0].ang = 2000;
    rotateSpriteRight128(*r.ed);
    EXPECT_EQ(r.map.sprites[0].ang, 80);
    r.holdKey(vk::Period, 3);
    rotateSpriteRight(*r.ed);
    EXPECT_EQ(r.map.sprites[0].ang, 84);
    r.map.sprites[0].ang = -5;  // any value in the record
    rotateSpriteLeft(*r.ed);
    EXPECT_EQ(r.map.sprites[0].ang, 2042);
    r.selectSprite(0);
    rotateSpriteLeft128(*r.ed);
    EXPECT_EQ(r.ed->app.statusText, r.msg(78, {"128"}));
    resetSpriteAngle(*r.ed);
    EXPECT_EQ(r.map.sprites[0].ang, 0);
    EXPECT_EQ(r.ed->app.statusText, r.msg(81));
    EXPECT_TRUE(r.cues().empty());
}

TEST(AngleCommands, PeriodInTheCurveToolTogglesItsOption) {
    EditCommandRig r;
    r.twoRooms();
    test::MapBuilder(r.map).addSprite(10, 10, 0, 0);
    r.ed->hover.hoveredSprite = 0;
    r.ed->tool.currentTool = Tool::CurveWall;
    rotateSpriteRight128(*r.ed);
    EXPECT_EQ(r.ed->tool.toolAltMode, 1);
    EXPECT_EQ(r.map.sprites[0].ang, 0);
    EXPECT_EQ(r.map.undoState, UndoState::Nothing);
}

// A four-wall loop stepped round both ways in the side view; the map never changes.
TEST(AngleCommands, CommaAndPeriodStepTheSideViewRoundTheLoop) {
    EditCommandRig r;
    test::MapBuilder(r.map).addRoom(0, 0, 256, 256);
    r.sideViewOnWall(0, 0);
    test::Trace slices;
    test::recordAndCall(r.ed->calls.buildSideViewSlices, slices, "slices");
    const auto before = std::make_unique<MapStore>(r.map);
    for (const int32_t want : {1, 2, 3, 0}) {
        rotateSpriteRight128(*r.ed);
        EXPECT_EQ(r.ed->view.sideViewSubject, want);
        const WallRecord& a = r.map.walls[size_t(want)];
        const WallRecord& b = r.map.walls[size_t(a.point2)];
        EXPECT_EQ(r.ed->view.sideViewX1, a.x);
        EXPECT_EQ(r.ed->view.sideViewY1, a.y);
        EXPECT_EQ(r.ed->view.sideViewX2, b.x);
        EXPECT_EQ(r.ed->view.sideViewY2, b.y);
    }
    for (const int32_t want : {3, 2, 1, 0}) {
        rotateSpriteLeft128(*r.ed);
        EXPECT_EQ(r.ed->view.sideViewSubject, want);
    }
    EXPECT_EQ(r.cues(), std::vector<std::string>(8, "command"));
    EXPECT_EQ(slices.size(), 8u) << "the section is made once per step";
    EXPECT_EQ(r.map.undoState, UndoState::Nothing);
    EXPECT_EQ(r.map.mapModified, before->mapModified);

    // A broken ring ends the step where it is.
    r.map.walls[2].point2 = 9999;
    rotateSpriteLeft128(*r.ed);
    EXPECT_EQ(r.ed->view.sideViewSubject, 0);
    r.ed->view.sideViewSubject = 2;
    rotateSpriteRight128(*r.ed);
    EXPECT_EQ(r.ed->view.sideViewSubject, 2);
    r.map.walls[2].point2 = 2;  // a wall pointing at itself never leads back to wall 3
    r.ed->view.sideViewSubject = 3;
    rotateSpriteLeft128(*r.ed);
    EXPECT_EQ(r.ed->view.sideViewSubject, 3);
    EXPECT_EQ(slices.size(), 8u) << "a step that ends makes no section";
}

}  // namespace
}  // namespace korvel
