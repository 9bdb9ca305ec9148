// The help popup through whole frames of a started editor: a tool's key opens its strip once the
// popup has grown, and the sector lotag prompt boxes the row of the typed tag.
#include <gtest/gtest.h>

#include <cmath>

#include "app/FrameLoop.h"
#include "editing/ToolState.h"
#include "support/CommandRig.h"

namespace korvel {
namespace {

constexpr uint8_t kInk = 20;

struct PopupRig : test::CommandRig {
    PopupRig() {
        ed->settings.showTips = 1;
        ed->view.viewOriginX = -128;
        ed->view.viewOriginY = 128;
        ed->view.viewZoom = 4;
    }
    void pointAt(int32_t x, int32_t y) {
        const ViewState& v = ed->view;
        const int32_t col = int32_t(std::lround((x + v.viewOriginX) / v.viewZoom + 400));
        const int32_t row = int32_t(std::lround((v.viewOriginY - y) / v.viewZoom + 300));
        platform->setPointer(col, 599 - row);
        frame();
    }
    void frame() {
        platform->advanceClock(50);
        runFrame(*ed);
    }
    void type(int key) {
        platform->setKeyDown(key, true);
        frame();
        platform->setKeyDown(key, false);
        frame();
    }
    uint8_t pixel(int32_t x, int32_t y) const {
        return platform->lastFrame()[size_t(y) * 800 + size_t(x)];
    }
    // Rows of the caption "[Space]" on the strip's first line that hold ink: text spreads
    // over many rows, the edge of the growing box over one.
    int32_t captionRows() const {
        int32_t rows = 0;
        for (int32_t y = 156; y <= 166; ++y) {
            int32_t n = 0;
            for (int32_t x = 16; x <= 70; ++x) n += pixel(x, y) == kInk;
            rows += n > 0;
        }
        return rows;
    }
};

TEST(HelpPopupEndToEnd, PolygonToolStripShowsOnceThePopupHasGrown) {
    PopupRig r;
    r.pointAt(600, 128);
    r.platform->setKeyDown(' ', true);
    r.frame();
    r.platform->setKeyDown(' ', false);
    ASSERT_EQ(r.ed->tool.currentTool, Tool::DrawPolygon);
    ASSERT_EQ(r.ed->app.helpTopic, 2);
    // Frame 1 was the key's; the caption "[Space]" appears in frame 32, on the first line.
    int32_t shownAt = 0;
    for (int32_t frame = 1; frame <= 40 && !shownAt; ++frame) {
        if (frame > 1) r.frame();
        if (r.captionRows() >= 5) shownAt = frame;
    }
    EXPECT_EQ(shownAt, 32);

    // With tips off the popup is not drawn at all.
    r.ed->settings.showTips = 0;
    r.frame();
    EXPECT_LT(r.captionRows(), 2);
}

TEST(HelpPopupEndToEnd, SectorLotagPromptBoxesTheTypedTagRow) {
    PopupRig r;
    r.pointAt(128, 128);
    ASSERT_EQ(r.ed->hover.hoveredSector, 0);
    r.type('T');
    ASSERT_EQ(r.ed->app.helpTopic, 1);
    for (int i = 0; i < 8; ++i) r.type(8);  // Backspace: clear what the prompt offers
    for (int key : {'6', '5', '5', '3', '5'}) r.type(key);
    ASSERT_EQ(r.ed->prompt.promptInput, "65535");
    for (int i = 0; i < 40; ++i) r.frame();
    // 65535 is the tag -1: the last right-hand row, box columns 398 and 638 over rows 289..301.
    int32_t on = 0, off = 0;
    for (int i = 0; i < 8; ++i) {
        r.frame();
        const bool shown = r.pixel(398, 295) == kInk && r.pixel(638, 295) == kInk &&
                           r.pixel(500, 289) == kInk && r.pixel(500, 301) == kInk;
        const bool firstHalf = r.ed->input.frameTime % 200 < 100;
        EXPECT_EQ(shown, firstHalf) << "at " << r.ed->input.frameTime;
        (firstHalf ? on : off)++;
    }
    EXPECT_GT(on, 0);
    EXPECT_GT(off, 0);
}

}  // namespace
}  // namespace korvel
