// The report and statistics pages end to end: a damaged map opened from the command line, the
// pages entered with their keys, whole frames of the loop, the results read off the presented
// frames and the editor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "app/FrameLoop.h"
#include "app/Startup.h"
#include "map/MapFile.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"

namespace korvel {
namespace {

constexpr int kCtrl = 17, kAlt = 18;

// Two rooms sharing a wall; the first room's floor lies above its ceiling and one of its walls
// claims a twin that does not exist.
std::string damagedMap() {
    auto map = std::make_unique<MapStore>();
    test::MapBuilder b(*map);
    b.addRoom(0, 0, 256, 256);
    b.addRoom(256, 0, 512, 256);
    b.link();
    map->sectors[0].floorz = -40000;
    map->walls[0].nextwall = 3000;
    map->walls[0].nextsector = 1;
    return serializeMap(*map);
}

struct PagesRig {
    PagesRig() {
        const std::string path = rig.dir.write("DAMAGED.MAP", damagedMap());
        rig.platform = std::make_unique<HeadlessPlatform>(rig.dir.path(), "\"" + path + "\"");
        rig.ed->app.platform = rig.platform.get();
        EXPECT_TRUE(startup(*rig.ed));
        frame();
    }
    void frame() {
        rig.platform->advanceClock(16);
        runFrame(*rig.ed);
    }
    void chord(int key) {
        for (int k : {kCtrl, kAlt, key}) rig.platform->setKeyDown(k, true);
        frame();
        for (int k : {kCtrl, kAlt, key}) rig.platform->setKeyDown(k, false);
    }
    void click(int32_t x, int32_t y) {
        rig.platform->setPointer(x, 599 - y);
        for (const bool down : {true, false}) {
            rig.platform->setKeyDown(1, down);
            frame();
        }
    }
    uint8_t pixel(int32_t x, int32_t y) const {
        return rig.platform->lastFrame()[size_t(y) * 800 + size_t(x)];
    }
    test::EditorRig rig;
};

TEST(ReportPages, CtrlAltPChecksTheMapAndShowsTheNumberedEntries) {
    PagesRig r;
    Editor& ed = *r.rig.ed;
    ASSERT_EQ(ed.map.sectorCount, 2);
    auto before = std::make_unique<MapStore>(ed.map);

    r.chord('P');
    EXPECT_EQ(ed.app.currentPage, Page::ProblemList);
    EXPECT_EQ(ed.app.deferredAction, DeferredAction::CheckMap);
    EXPECT_EQ(ed.cursor.cursorShape, CursorShape::Busy);

    r.frame();  // runs the check, draws the list into the background
    EXPECT_EQ(ed.app.deferredAction, DeferredAction::None);
    ASSERT_GT(ed.messages.problemCount, 2);
    // The start position (0, 0) on a corner comes first, then sector 0's floor above its
    // ceiling; the missing twin is among the walls.
    EXPECT_EQ(ed.messages.problemList[0].checkCode, 6);
    EXPECT_EQ(ed.messages.problemList[1].objectNumber, 0);
    EXPECT_EQ(ed.messages.problemList[1].checkCode, 7);
    bool missingTwin = false;
    for (int32_t i = 0; i < ed.messages.problemCount; ++i)
        missingTwin |= ed.messages.problemList[size_t(i)].checkCode == 18;
    EXPECT_TRUE(missingTwin);
    EXPECT_EQ(ed.bootLogState.progressShown, 0);
    EXPECT_EQ(std::memcmp(ed.map.walls.data(), before->walls.data(), sizeof(WallRecord) * 16), 0);
    EXPECT_EQ(std::memcmp(ed.map.sectors.data(), before->sectors.data(), sizeof(SectorRecord) * 2),
              0);

    r.frame();  // shows it
    // The bands of entries 1 and 2 alternate their colours; entry 1's icon stands at column 8.
    EXPECT_EQ(r.pixel(700, 553), 87);
    int32_t secondBandTop = 0;
    for (int32_t y = 553; y > 400 && !secondBandTop; --y)
        if (r.pixel(700, y) == 88) secondBandTop = y;
    ASSERT_GT(secondBandTop, 0);
    int32_t iconPixels = 0;
    for (int32_t x = 8; x <= 19; ++x)
        for (int32_t y = 541; y <= 552; ++y) iconPixels += r.pixel(x, y) != 87;
    EXPECT_GT(iconPixels, 0);
}

TEST(ReportPages, CtrlAltSShowsTheStatisticsWithBarsAndPie) {
    PagesRig r;
    Editor& ed = *r.rig.ed;
    r.chord('S');
    EXPECT_EQ(ed.app.currentPage, Page::Statistics);
    EXPECT_EQ(ed.app.deferredAction, DeferredAction::ComputeStatistics);
    r.frame();
    EXPECT_EQ(ed.pages.problemList.statistics.statLoopCount, 2);
    EXPECT_EQ(ed.pages.problemList.statistics.statMapFileSize, 8 * 32 + 2 * 40 + 26);
    r.frame();
    // The first cell of the wall bar is lit (8 walls), the second not; the sector bar likewise.
    EXPECT_NE(r.pixel(263 + 3, 526 + 3), r.pixel(263 + 8 + 3, 526 + 3));
    EXPECT_NE(r.pixel(263 + 3, 538 + 3), r.pixel(263 + 8 + 3, 538 + 3));
    // The pie's rim edge stands left of its centre; its top face is shaded from one of its two
    // colours (120, 216) plus 6 to 10.
    EXPECT_EQ(r.pixel(335, 216), 0);
    const uint8_t top = r.pixel(380, 226);
    EXPECT_TRUE((top >= 126 && top <= 130) || (top >= 222 && top <= 226)) << int(top);
    // The counts in colour 152 at column 150.
    int32_t countInk = 0;
    for (int32_t x = 150; x < 166; ++x)
        for (int32_t y = 524; y < 535; ++y) countInk += r.pixel(x, y) == 152;
    EXPECT_GT(countInk, 0);
}

TEST(ReportPages, AClickedEntrySelectsItsObjectAndGlidesToIt) {
    PagesRig r;
    Editor& ed = *r.rig.ed;
    r.chord('P');
    EXPECT_EQ(ed.cursor.cursorShape, CursorShape::Busy);
    r.frame();
    EXPECT_NE(ed.cursor.cursorShape, CursorShape::Busy) << "busy for one frame only";
    // The entry about wall 0's missing twin, found down the list as the page stacks its entries:
    // each takes 12 rows per line and 4 more, from row 554 down.
    int64_t top = 554, y = -1;
    const MessageLists& ml = ed.messages;
    for (int32_t i = 0; i < ml.problemCount && y < 0; ++i) {
        const auto lines = int64_t(std::max<size_t>(ml.problemList[size_t(i)].lines.size(), 1));
        const int64_t bottom = top - 12 * lines - 3;
        if (ml.problemList[size_t(i)].checkCode == 18 && ml.problemList[size_t(i)].kind % 4 == 1)
            y = (top + bottom) / 2;
        top = bottom - 1;
    }
    ASSERT_GT(y, 200);
    const int32_t wall = 0;
    r.click(300, int32_t(y));
    EXPECT_EQ(ed.app.currentPage, Page::PlanView);
    EXPECT_EQ(ed.map.wallSelected[wall], 1);
    EXPECT_EQ(ed.map.selectedWallCount, 1);
    EXPECT_EQ(ed.map.mapModified, MapModifiedState::Unmodified);
    for (int32_t f = 0; f < 40; ++f) r.frame();
    const WallRecord& w = ed.map.walls[wall];
    const WallRecord& next = ed.map.walls[size_t(w.point2)];
    EXPECT_FLOAT_EQ(ed.view.viewOriginX, -float((w.x + next.x) / 2));
    EXPECT_FLOAT_EQ(ed.view.viewOriginY, float((w.y + next.y) / 2));
}

}  // namespace
}  // namespace korvel
