// The mouse editing a map of two rooms end to end: whole frames of the loop driven by the
// headless platform's pointer and keys, the map read off the editor afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

#include "app/FrameLoop.h"
#include "support/TwoRoomsRig.h"
#include "support/MapInvariants.h"

namespace korvel {
namespace {

constexpr int kLeftButton = 1, kAlt = 18, kF5 = 116;

struct TwoRooms : test::TwoRoomsRig {
    TwoRooms() {
        ed->settings.snapToGrid = 1;
        frame();
    }
    // The pointer on a frame pixel, rows counted from the bottom as the editor counts them.
    void pointAtFrame(int32_t x, int32_t y) { platform->setPointer(x, 599 - y); }
    void click() {
        key(kLeftButton, true);
        key(kLeftButton, false);
    }
    // Sector s's corners, whatever wall starts the loop.
    std::set<std::pair<int32_t, int32_t>> room(int32_t s) const {
        const auto c = corners(s);
        return {c.begin(), c.end()};
    }
};

using Points = std::set<std::pair<int32_t, int32_t>>;

TEST(MouseEditing, AClickSelectsARoomADragMovesItAndTheReleaseCommitsIt) {
    TwoRooms r;
    r.key(kF5, true);
    r.key(kF5, false);
    ASSERT_EQ(r.ed->tool.selectionMode, SelectionMode::Sectors);
    r.ed->tool.dragKind = DragKind::Move;
    r.pointAtMap(96, 96);
    r.frame();
    r.key(kLeftButton, true);
    EXPECT_EQ(r.ed->map.selectedSectorCount, 1);
    EXPECT_EQ(r.ed->map.sectorSelected[0], 1);
    r.pointAtMap(160, 96);
    r.frame();
    EXPECT_EQ(r.room(0), (Points{{0, 0}, {256, 0}, {256, 256}, {0, 256}})) << "not before release";
    r.key(kLeftButton, false);
    EXPECT_EQ(r.room(0), (Points{{64, 0}, {320, 0}, {320, 256}, {64, 256}}));
    EXPECT_EQ(r.room(1), (Points{{256, 0}, {512, 0}, {512, 256}, {256, 256}}));
    EXPECT_EQ(r.ed->map.movedWallCount, 0);
    EXPECT_EQ(r.ed->tool.draggedSprite, -1);
    EXPECT_EQ(test::checkMapInvariants(r.ed->map), std::vector<std::string>{});
    ASSERT_EQ(r.ed->map.undoState, UndoState::Snapshot);
    restoreUndo(r.ed->map, r.ed->undo, r.ed->clipboard, r.ed->tool.selectionMode, r.ed->events);
    EXPECT_EQ(r.room(0), (Points{{0, 0}, {256, 0}, {256, 256}, {0, 256}}));
    EXPECT_EQ(test::checkMapInvariants(r.ed->map), std::vector<std::string>{});
}

TEST(MouseEditing, AVerticalDragTurnsTheRoomWithTheRotateKind) {
    TwoRooms r;
    r.ed->tool.selectionMode = SelectionMode::Sectors;
    r.ed->tool.dragKind = DragKind::Rotate;
    r.pointAtMap(96, 96);
    r.frame();
    r.key(kLeftButton, true);
    r.pointAtMap(96, 96 - 90);  // 90 pixels up: a quarter turn about (96, 96)
    r.frame();
    r.key(kLeftButton, false);
    EXPECT_EQ(r.room(0), (Points{{192, 0}, {192, 256}, {-64, 256}, {-64, 0}}));
    EXPECT_EQ(test::checkMapInvariants(r.ed->map), std::vector<std::string>{});
}

TEST(MouseEditing, AToolbarClickSetsRotateAndAVerticalDragTurnsTheRoom) {
    TwoRooms r;
    r.ed->tool.selectionMode = SelectionMode::Sectors;
    r.ed->tool.dragKind = DragKind::Move;
    const ToolbarButton& rotate = r.ed->toolbar.toolbarButtons[26];
    ASSERT_EQ(rotate.code, 49) << "the drag kinds lie in slots 24 to 27";
    r.pointAtFrame(rotate.x + 2, rotate.y + 2);
    r.frame();
    r.click();
    ASSERT_EQ(r.ed->tool.dragKind, DragKind::Rotate);
    r.pointAtMap(96, 96);
    r.frame();
    r.key(kLeftButton, true);
    r.pointAtMap(96, 96 + 90);  // 90 pixels down: a quarter turn the other way
    r.frame();
    r.key(kLeftButton, false);
    EXPECT_EQ(r.room(0), (Points{{0, 192}, {0, -64}, {256, -64}, {256, 192}}));
    EXPECT_EQ(test::checkMapInvariants(r.ed->map), std::vector<std::string>{});
}

TEST(MouseEditing, AMenuItemTogglesAViewOptionAndTheMenuStaysOpen) {
    TwoRooms r;
    const Languages& langs = r.ed->langs;
    const TextPosition title = langs.languages[size_t(langs.currentLanguage)].positions[355];
    r.pointAtFrame(title.x + 2, 590);
    r.frame();
    r.click();
    ASSERT_EQ(r.ed->menus.openMenu, 3);
    const MenuState& m = r.ed->menus;
    const auto item = std::find_if(m.menuItems.begin(), m.menuItems.begin() + m.menuItemCount,
                                   [](const MenuItem& i) { return i.command == 808; });
    ASSERT_NE(item, m.menuItems.begin() + m.menuItemCount);
    ASSERT_EQ(item->menu, 3);
    const uint8_t shown = r.ed->settings.showSprites;
    r.pointAtFrame(m.menuBoxX + 20, m.menuBoxY + item->y + 4);
    r.frame();
    r.click();
    EXPECT_EQ(r.ed->settings.showSprites, shown ? 0 : 1);
    EXPECT_EQ(r.ed->menus.openMenu, 3);
    r.click();
    EXPECT_EQ(r.ed->settings.showSprites, shown) << "and back";
}

TEST(MouseEditing, AltHeldWhileThePointerMovesSelectsByArea) {
    TwoRooms r;
    r.ed->tool.selectionMode = SelectionMode::Sectors;
    r.pointAtMap(16, 16);
    r.frame();
    r.key(kAlt, true);
    r.pointAtMap(128, 128);
    r.frame();
    EXPECT_EQ(r.ed->map.selectedSectorCount, 0);
    r.key(kAlt, false);
    EXPECT_EQ(r.ed->map.selectedSectorCount, 1);
    EXPECT_EQ(r.ed->map.sectorSelected[0], 1);
}

}  // namespace
}  // namespace korvel
