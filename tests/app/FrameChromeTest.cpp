// The chrome in whole frames through the headless platform: the mouse on the toolbar, the menus
// and the history button, requests set between frames, the order of overlapping layers and
// frames that repeat from one seed.
#include "app/FrameChrome.h"

#include <gtest/gtest.h>

#include "app/FrameLoop.h"
#include "app/PanelBackground.h"
#include "app/ParticleShow.h"
#include "support/ChromeRig.h"
#include "support/MapBuilder.h"

namespace korvel {
namespace {

using test::ChromeRig;

constexpr int kLeftButton = 1;

struct Frames : ChromeRig {
    Frames() {
        test::MapBuilder b(ed->map);
        b.addRoom(0, 0, 256, 256);
        b.addRoom(256, 0, 512, 256);
        b.link();
        frame();
        frame();  // the panels rebuilt by the first frame show from the second
    }
    // The pointer at column x, row y counted from the bottom.
    void pointAt(int32_t x, int32_t y) { platform->setPointer(x, kScreenTop - y); }
    uint8_t shown(int32_t x, int32_t y) const {
        return platform->lastFrame()[size_t(y) * kScreenWidth + size_t(x)];
    }
    uint8_t skin(int32_t sx, int32_t sy) { return ed->skin.skin[size_t(sy) * 512 + size_t(sx)]; }
};

TEST(FrameChrome, ToolbarButtonShowsItsTooltipHighlightAndPressedFace) {
    Frames f;
    Editor& ed = *f.ed;
    ed.tool.selectionMode = SelectionMode::Sprites;
    ed.settings.buttonHighlight = 1;
    f.frame();
    // The vertex layer's button: slot of code 1 at (144, 102), not lit in the sprite layer.
    f.pointAt(150, 110);
    f.frame();
    f.frame();
    ASSERT_EQ(ed.app.tooltipText, f.msg(441));
    const TooltipBox box = tooltipBox(150, 110, propTextWidth(ed.fonts, ed.app.tooltipText));
    EXPECT_EQ(box.left, 155);
    EXPECT_EQ(box.bottom, 114);
    // The border lies over whatever the cursor drew.
    for (int32_t y = box.bottom; y <= box.top; ++y) EXPECT_EQ(f.shown(box.left, y), 0) << y;
    const auto& blend = ed.colorTables.blendTable;
    EXPECT_EQ(f.shown(144, 102), blend[83 * 256 + f.skin(66, 490)]) << "highlighted normal face";

    f.platform->setKeyDown(kLeftButton, true);
    f.frame();
    EXPECT_EQ(f.shown(144, 102), blend[83 * 256 + f.skin(88, 490)]) << "pressed face";
    f.platform->setKeyDown(kLeftButton, false);
}

TEST(FrameChrome, MenuTitleClickShowsTheMenuWithItsTitleBand) {
    Frames f;
    Editor& ed = *f.ed;
    const TextPosition title = messagePosition(ed.langs, 354);
    f.pointAt(title.x + 4, title.y + 4);
    f.frame();
    f.platform->setKeyDown(kLeftButton, true);
    f.frame();
    f.platform->setKeyDown(kLeftButton, false);
    f.frame();
    ASSERT_EQ(ed.menus.openMenu, 2);
    f.frame();
    const ColorSettings& c = ed.colorSettings;
    EXPECT_EQ(f.shown(title.x - 4, 597), uint8_t(c.guiColor + c.colorUiAmb));
    const MenuState& m = ed.menus;
    const SurfaceView menu = menuView(ed.frameBuffer);
    for (const int32_t dy : {0, 30})
        EXPECT_EQ(f.shown(m.menuBoxX + m.menuBoxWidth, m.menuBoxY + dy),
                  menu.at(m.menuBoxWidth, dy));
}

TEST(FrameChrome, HistoryButtonOpensThePanelOver32FramesAboveAnOpenMenu) {
    Frames f;
    Editor& ed = *f.ed;
    f.pointAt(790, 106);
    f.frame();
    f.platform->setKeyDown(kLeftButton, true);
    f.frame();
    f.platform->setKeyDown(kLeftButton, false);
    f.frame();
    ASSERT_GE(ed.app.messageLogAnim, 0);
    const int32_t start = ed.app.messageLogAnim;
    for (int32_t i = 0; i < 40; ++i) f.frame();
    EXPECT_EQ(ed.app.messageLogAnim, 32);
    EXPECT_LE(start, 2);

    // A menu under the panel is seen through the panel's tint.
    MenuState& m = ed.menus;
    m.openMenu = 1;
    m.menuBoxX = 420, m.menuBoxY = 200, m.menuBoxWidth = 100, m.menuBoxHeight = 100;
    m.menuHighlightShown = 0;
    std::fill(ed.frameBuffer.menuBuffer.begin(), ed.frameBuffer.menuBuffer.end(), uint8_t(5));
    f.pointAt(100, 300);
    ed.calls.processFrameInput = [](Editor&) {};  // keep the menu as set
    f.frame();
    EXPECT_EQ(f.shown(450, 250), ed.colorTables.blendTable[16 * 256 + 5]);
}

TEST(FrameChrome, RequestsSetBetweenFrames) {
    Frames f;
    Editor& ed = *f.ed;
    test::Trace trace;
    test::recordOnly(ed.calls.drawModePanel, trace, "drawModePanel");
    ed.app.currentPage = Page::Search;
    f.frame();
    EXPECT_EQ(trace, test::Trace{"drawModePanel"});
    EXPECT_EQ(ed.app.redrawRequest, 0);

    // A repair asked for in frame n runs at the start of frame n + 1.
    ed.app.currentPage = Page::PlanView;
    f.pointAt(100, 300);
    f.frame();
    auto real = ed.calls.processFrameInput;
    bool ask = true;
    ed.calls.processFrameInput = [&](Editor& e) {
        real(e);
        if (!ask) return;
        e.app.deferredAction = DeferredAction::RepairWallLinks;
        e.cursor.cursorShape = CursorShape::Busy;
        ask = false;
    };
    const auto nearPointer = [&f] {
        std::vector<uint8_t> v;
        for (int32_t y = 280; y <= 320; ++y)
            for (int32_t x = 80; x <= 130; ++x) v.push_back(f.shown(x, y));
        return v;
    };
    f.frame();
    EXPECT_EQ(ed.app.deferredAction, DeferredAction::RepairWallLinks);
    const std::vector<uint8_t> busy = nearPointer();
    f.frame();
    EXPECT_EQ(ed.app.deferredAction, DeferredAction::None);
    EXPECT_EQ(ed.app.statusText, f.msg(334));
    EXPECT_NE(ed.cursor.cursorShape, CursorShape::Busy);
    EXPECT_NE(busy, nearPointer()) << "the busy cursor shows only in the frame of the request";
}

TEST(FrameChrome, BackgroundRebuildShowsFromTheNextFrame) {
    Frames f;
    Editor& ed = *f.ed;
    // The left end of the time-of-day strip, whose dither never lowers it.
    const uint8_t old = ed.colorSettings.colorUiLine1;
    EXPECT_EQ(f.shown(6, 92), old);
    ed.colorSettings.colorUiLine1 = uint8_t(old + 24);
    ed.app.redrawRequest = 2;
    f.frame();
    EXPECT_EQ(f.shown(6, 92), old);
    f.frame();
    EXPECT_EQ(f.shown(6, 92), uint8_t(old + 24));
}

TEST(FrameChrome, ParticlesLieOverTheHistoryPanel) {
    Frames f;
    Editor& ed = *f.ed;
    ed.app.messageLogAnim = 32;
    ed.settings.sparkMode = 0;
    ed.settings.smoothLines = 0;
    f.pointAt(50, 300);
    ed.particles.particles.assign({{600, 300, 4, 0, 208}});
    ed.particles.particleCount = 1;
    f.frame();
    EXPECT_EQ(f.shown(602, 300), 83);
}

TEST(FrameChrome, TwoRunsFromOneSeedPresentTheSameFrames) {
    std::vector<std::vector<uint8_t>> frames[2];
    for (int32_t run = 0; run < 2; ++run) {
        Frames f;
        f.ed->random.randomState = 12345;
        f.ed->particles.screenEffectFrame = 0;
        f.ed->app.redrawRequest = 2;
        f.pointAt(300, 300);
        for (int32_t i = 0; i < 40; ++i) {
            f.frame();
            if (i % 8 == 0) frames[run].push_back(f.platform->lastFrame());
        }
        EXPECT_GT(f.ed->particles.particleCount, 0);
    }
    EXPECT_TRUE(frames[0] == frames[1]);
}

TEST(FrameChrome, HostileStateDrawsInsideTheSurfaces) {
    ChromeRig r;
    Editor& ed = *r.ed;
    ed.frameBuffer = FrameBuffer(832);
    ed.app.redrawRequest = 2;
    const int32_t kMax = 2147483647, kMin = -kMax - 1;
    ed.hover.hoveredSprite = kMax;
    ed.hover.hoveredWall = kMax;
    ed.hover.hoveredSector = 5;
    ed.hover.hoveredVertex = kMin;
    ed.toolbar.hoveredElement = kMax;
    ed.app.hoveredWidget = kMin;
    ed.settings.zRangeLow = -kMax;
    ed.settings.zRangeHigh = kMax;
    ed.settings.zRangeOffset = kMin;
    ed.settings.sparkMode = 200;
    ed.settings.showFps = ed.settings.showTime = 1;
    ed.input.frameTime = kMin;
    ed.menus.openMenu = 255;
    ed.menus.menuBoxX = kMax, ed.menus.menuBoxY = kMin;
    ed.menus.menuBoxWidth = ed.menus.menuBoxHeight = kMax;
    ed.app.messageLogAnim = 32;
    ed.app.tooltipText = std::string(120, 'i');
    ed.input.mouseX = kMax;
    ed.input.mouseY = kMin;
    for (int32_t page : {0, 1, 13, 16, 17}) {
        ed.app.currentPage = Page(page);
        ed.pages.tilePicker.tilePickerCursor = 15360 + page;
        drawFrameChrome(ed);
        drawTooltip(ed);
    }
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = kScreenWidth; x < 832; ++x)
            ASSERT_EQ(ed.frameBuffer.screen[size_t(y) * 832 + size_t(x)], 0) << x << "," << y;
}

}  // namespace
}  // namespace korvel
