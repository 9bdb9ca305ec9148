#include <gtest/gtest.h>

#include "app/FrameLoop.h"
#include "map/MapFile.h"
#include "support/CommandRig.h"

namespace korvel::test {
namespace {

constexpr int kKeyA = 'A', kKeyC = 'C', kKeyV = 'V', kKeyZ = 'Z';
constexpr int kF1 = 112, kF10 = 121, kEscape = 27;

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

}  // namespace
}  // namespace korvel::test
