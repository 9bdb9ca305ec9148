#include <gtest/gtest.h>

#include "app/FrameLoop.h"
#include "map/MapFile.h"
#include "support/CommandRig.h"

namespace korvel::test {
namespace {

constexpr int kKeyA = 'A', kKeyC = 'C', kKeyV = 'V', kKeyZ = 'Z';
constexpr int kF1 = 112, kF10 = 121, kEscape = 27;
constexpr int kKeyE = 'E', kKeyQ = 'Q', kEnter = 13, kLeft = 37, kRight = 39, kUp = 38;

TEST(PageAndClipboardKeysEndToEnd, CopyMovePasteUndoGivesTheMapBack) {
    CommandRig r;
    Editor& ed = *r.ed;
    ed.tool.selectionMode = SelectionMode::Sectors;
    r.platform->setPointer(400, 300);
    runFrame(ed);
    const std::string before = serializeMap(ed.map);
    r.press({kCtrlKey, kKeyA});
    EXPECT_EQ(ed.map.selectedSectorCount, 1);
    r.press({kCtrlKey, kKeyC});
    EXPECT_EQ(ed.clipboard.clipSectorCount, 1);
    r.platform->setPointer(500, 250);
    runFrame(ed);
    r.press({kCtrlKey, kKeyV});
    EXPECT_EQ(ed.map.sectorCount, 2);
    r.press({kCtrlKey, kKeyZ});
    EXPECT_EQ(serializeMap(ed.map), before);
}

TEST(PageAndClipboardKeysEndToEnd, DialogsReturnThroughEscape) {
    CommandRig r;
    Editor& ed = *r.ed;
    r.press({kF10});
    EXPECT_EQ(ed.app.currentPage, Page::DisplayOptions);
    r.press({kF1});
    EXPECT_EQ(ed.app.currentPage, Page::HelpViewer);
    r.press({kEscape});
    EXPECT_EQ(ed.app.currentPage, Page::DisplayOptions);
    r.press({kEscape});
    EXPECT_EQ(ed.app.currentPage, Page::PlanView);
    EXPECT_EQ(ed.app.modeStackDepth, 0);
}

TEST(PageAndClipboardKeysEndToEnd, RecordEditorOverASectorReturnsWithTheRecordsUnchanged) {
    CommandRig r;
    Editor& ed = *r.ed;
    r.platform->setPointer(408, 308);  // inside the room, near (128, 128)
    runFrame(ed);
    ASSERT_EQ(ed.hover.hoveredSector, 0);
    const std::string before = serializeMap(ed.map);
    r.press({kKeyE});
    EXPECT_EQ(ed.app.currentPage, Page::RecordEditor);
    EXPECT_EQ(ed.prompt.targetSector, 0);
    r.press({kEnter});
    EXPECT_EQ(ed.app.currentPage, Page::PlanView);
    EXPECT_EQ(serializeMap(ed.map), before);
}

// Ctrl with the arrows presses the record editor's toolbar steps, which act only on its page.
TEST(PageAndClipboardKeysEndToEnd, CtrlArrowsStepTheRecordEditorThroughItsToolbar) {
    CommandRig r;
    Editor& ed = *r.ed;
    MapBuilder(ed.map).addRoom(512, 0, 768, 256);
    ed.map.sectors[1].floorshade = 9;
    r.platform->setPointer(408, 308);  // inside the room, near (128, 128)
    runFrame(ed);
    r.press({kCtrlKey, kRight});  // on the plan view: no record step
    EXPECT_EQ(ed.app.currentPage, Page::PlanView);
    r.press({kKeyE});
    ASSERT_EQ(ed.prompt.targetSector, 0);
    r.press({kCtrlKey, kRight});
    EXPECT_EQ(ed.prompt.targetSector, 1);
    r.press({kCtrlKey, kRight});  // the last sector stays
    EXPECT_EQ(ed.prompt.targetSector, 1);
    r.press({kCtrlKey, kLeft});
    EXPECT_EQ(ed.prompt.targetSector, 0);
    r.press({kCtrlKey, kUp});
    EXPECT_EQ(ed.prompt.targetSector, -1);
    EXPECT_EQ(ed.app.currentPage, Page::RecordEditor);
    EXPECT_EQ(ed.map.sectors[1].floorshade, 9);
}

TEST(PageAndClipboardKeysEndToEnd, AltQThenEnterOnASavedMapQuits) {
    CommandRig r;
    Editor& ed = *r.ed;
    ed.map.mapModified = MapModifiedState::Unmodified;
    r.press({kAltKey, kKeyQ});
    EXPECT_EQ(ed.app.currentPage, Page::MessageBox);
    EXPECT_EQ(ed.app.quitRequested, 0);
    r.press({kEnter});
    EXPECT_EQ(ed.app.quitRequested, 1);
}

}  // namespace
}  // namespace korvel::test
