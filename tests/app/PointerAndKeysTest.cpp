// The editor driven end to end by the headless platform's pointer and keys over a map of two
// rooms: whole frames of the loop, the results read off the editor and the presented frames.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/FrameLoop.h"
#include "pages/MessageBox.h"
#include "support/TwoRoomsRig.h"
#include "views/PlanFrame.h"

namespace korvel {
namespace {

constexpr int kRightButton = 2, kCtrl = 17, kAlt = 18, kBackspace = 8, kF3 = 114;

// The view's own motion is what comes to rest: the firework show is over.
struct TwoRooms : test::TwoRoomsRig {
    TwoRooms() {
        ed->settings.snapToGrid = 1;
        ed->settings.gridSpacing = 64;
        frame();
    }
    std::vector<std::string> frame() {
        platform->clearPlayedSounds();
        platform->advanceClock(16);
        runFrame(*ed);
        return platform->playedCues();
    }
    void tap(std::initializer_list<int> keys) {
        for (int k : keys) platform->setKeyDown(k, true);
        frame();
        for (int k : keys) platform->setKeyDown(k, false);
        frame();
    }
    // The presented frame keeps its rows from the bottom up, as the editor counts them.
    uint8_t pixel(int32_t column, int32_t rowFromBottom) const {
        return platform->lastFrame()[size_t(rowFromBottom) * 800 + size_t(column)];
    }
    // Frames until two in a row are the same picture; how many it took (at most limit).
    int framesUntilStill(int limit) {
        std::vector<uint8_t> last = platform->lastFrame();
        for (int i = 1; i <= limit; ++i) {
            frame();
            if (platform->lastFrame() == last) return i;
            last = platform->lastFrame();
        }
        return limit + 1;
    }
};

bool has(const std::vector<std::string>& cues, const std::string& cue) {
    for (const std::string& c : cues)
        if (c == cue) return true;
    return false;
}

TEST(PointerAndKeys, TheWallUnderThePointerIsDrawnHighlighted) {
    TwoRooms r;
    // The one-sided wall along y = 0 of the first room, probed at x = 40, away from the pointer.
    const uint8_t plain = r.ed->colorSettings.colorWallOneSided;
    const uint8_t lit = highlighted(plain);
    ASSERT_NE(plain, lit);
    r.pointAtMap(200, 6);
    r.frame();
    const int32_t wall = r.ed->hover.hoveredWall;
    ASSERT_GE(wall, 0);
    EXPECT_EQ(r.ed->map.walls[wall].y, 0);
    EXPECT_EQ(r.ed->map.walls[r.ed->map.walls[wall].point2].y, 0);
    EXPECT_EQ(r.pixel(440, 300), lit);
    // Near the far wall of the room the first wall is drawn plainly again.
    r.pointAtMap(200, 250);
    r.frame();
    EXPECT_NE(r.ed->hover.hoveredWall, wall);
    EXPECT_EQ(r.pixel(440, 300), plain);
}

TEST(PointerAndKeys, OnAVertexTheHitPointSnapsToIt) {
    TwoRooms r;
    // Eight units right of the shared corner (256, 0), the edge of the snap distance of 8
    // pixels: the grid of 16 the zoom chooses would give (272, 0), the corner wins.
    r.pointAtMap(264, 0);
    r.frame();
    ASSERT_EQ(r.ed->settings.gridSpacing, 16);
    ASSERT_EQ(r.ed->settings.vertexSnapDistance, 8);
    EXPECT_GE(r.ed->hover.hoveredVertex, 0);
    EXPECT_EQ(r.ed->hover.hitPointX, 256);
    EXPECT_EQ(r.ed->hover.hitPointY, 0);
    r.pointAtMap(265, 0);  // beyond the snap distance: the grid
    r.frame();
    EXPECT_EQ(r.ed->hover.hitPointX, 272);
    EXPECT_EQ(r.ed->hover.hitPointY, 0);
}

TEST(PointerAndKeys, F3ChoosesTheVertexMode) {
    TwoRooms r;
    r.ed->tool.selectionMode = SelectionMode::Sectors;
    r.platform->setKeyDown(kF3, true);
    const std::vector<std::string> cues = r.frame();
    EXPECT_EQ(r.ed->tool.selectionMode, SelectionMode::Vertices);
    EXPECT_TRUE(has(cues, "mode2.wav"));
}

TEST(PointerAndKeys, TheViewPansAndZoomsAndComesToRest) {
    TwoRooms r;
    r.platform->setPointer(600, 300);
    r.platform->setKeyDown(kRightButton, true);
    for (int i = 0; i < 10; ++i) r.frame();
    r.platform->setKeyDown(kRightButton, false);
    EXPECT_LT(r.ed->view.viewOriginX, -10) << "towards the pointer, right of the centre";
    EXPECT_LE(r.framesUntilStill(200), 200);
    const float originX = r.ed->view.viewOriginX;

    r.platform->setKeyDown('A', true);
    for (int i = 0; i < 10; ++i) r.frame();
    r.platform->setKeyDown('A', false);
    EXPECT_LT(r.ed->view.viewZoom, 1) << "A zooms in";
    EXPECT_LE(r.framesUntilStill(400), 400);
    EXPECT_EQ(r.ed->viewMotion.zoomVelocity, 0);
    EXPECT_FLOAT_EQ(r.ed->view.viewOriginX, originX);
}

TEST(PointerAndKeys, ABookmarkIsStoredAndGlidedBackTo) {
    TwoRooms r;
    r.ed->bookmarks.bookmarkTool = 1;
    r.ed->view.viewOriginX = -300;
    r.ed->view.viewZoom = 2;
    r.tap({kCtrl, '3'});
    r.ed->view.viewOriginX = 500;
    r.ed->view.viewZoom = 8;
    r.platform->setKeyDown('3', true);
    int frames = 0;
    do {
        r.frame();
        ++frames;
        r.platform->setKeyDown('3', false);
    } while (r.ed->viewMotion.glideStep != -1 && frames < 100);
    EXPECT_EQ(frames, 33);
    EXPECT_FLOAT_EQ(r.ed->view.viewOriginX, -300);
    EXPECT_FLOAT_EQ(r.ed->view.viewZoom, 2);
}

TEST(PointerAndKeys, DigitsEditTheFocusedField) {
    TwoRooms r;
    r.ed->settings.vertexSnapDistance = 8;
    r.ed->app.focusedField = 184;
    r.tap({kBackspace});
    r.tap({'1'});
    r.tap({'2'});
    EXPECT_EQ(r.ed->settings.vertexSnapDistance, 12);
}

TEST(PointerAndKeys, AltQAsksAndTheFirstAnswerEndsTheLoop) {
    TwoRooms r;
    ASSERT_EQ(r.ed->map.mapModified, MapModifiedState::Unmodified);
    r.tap({kAlt, 'Q'});
    EXPECT_EQ(r.ed->app.currentPage, Page::MessageBox);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxKind, MessageBoxKind::ConfirmQuit);
    for (int i = 0; i < 20; ++i) r.frame();  // the box opens
    EXPECT_EQ(r.ed->app.quitRequested, 0);
    r.ed->dispatch.pendingClick = 1;
    r.ed->dispatch.pendingClickId = MessageBoxResult::First;
    r.frame();
    EXPECT_EQ(r.ed->app.quitRequested, 1);
    runFrameLoop(*r.ed);  // returns at once
}

}  // namespace
}  // namespace korvel
