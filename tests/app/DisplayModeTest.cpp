#include "app/DisplayMode.h"

#include <gtest/gtest.h>

#include "app/FrameLoop.h"
#include "app/Startup.h"
#include "pages/MessageBox.h"
#include "support/EditorRig.h"

namespace korvel {
namespace {

using test::EditorRig;

const DisplayMode kDesktop{1920, 1080, 32, 60};

// A started editor configured for full screen at 75 Hz.
struct FullScreenRig : EditorRig {
    explicit FullScreenRig(bool refuse) {
        dir.write("KorvelD/korvel.cfg", "fullscrn1\r\nrefreshr75\r\nefonexit0\r\n");
        platform->refuseDisplayModes(refuse);
        EXPECT_TRUE(startup(*ed));
    }
    std::vector<DisplayMode> requests() const { return platform->modeRequests(); }
};

TEST(DisplayMode, FullScreenAtStartAndTheDesktopBackWhileInactive) {
    FullScreenRig r(false);
    EXPECT_EQ(r.requests(), (std::vector<DisplayMode>{{800, 600, 32, 75}}));
    EXPECT_EQ(r.platform->windowState(), WindowState::Maximised);
    EXPECT_EQ(r.ed->app.desktopMode, kDesktop);

    r.platform->queueActivation(false);
    runFrame(*r.ed);
    EXPECT_EQ(r.ed->app.appInactive, 1);
    EXPECT_EQ(r.requests().back(), kDesktop);
    r.platform->queueActivation(true);
    runFrame(*r.ed);
    EXPECT_EQ(r.ed->app.appInactive, 0);
    EXPECT_EQ(r.requests().back(), (DisplayMode{800, 600, 32, 75}));
    EXPECT_EQ(r.requests().size(), 3u);

    r.ed->app.quitRequested = 1;
    shutdown(*r.ed);
    Form_Unload(*r.ed);
    EXPECT_EQ(r.requests().back(), kDesktop);
}

TEST(DisplayMode, RefusedSwitchAsksAfterTheFirstFrame) {
    FullScreenRig r(true);
    EXPECT_EQ(r.ed->app.pendingMessageBox, MessageBoxKind::FullScreenFailed);
    EXPECT_EQ(r.ed->app.currentPage, Page::PlanView) << "start-up itself shows no box";
    const int presents = r.platform->presentCount();
    r.platform->clearPlayedSounds();
    runFrame(*r.ed);
    EXPECT_EQ(r.platform->presentCount(), presents + 1);
    EXPECT_EQ(r.ed->app.currentPage, Page::MessageBox);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxKind, MessageBoxKind::FullScreenFailed);
    EXPECT_EQ(r.platform->playedSounds(), std::vector<std::string>{"message1.wav"});
    EXPECT_EQ(r.platform->windowState(), WindowState::Normal);

    // Later, a refused switch on activation asks at once.
    r.ed->app.currentPage = Page::PlanView;
    OnAppActivate(*r.ed);
    EXPECT_EQ(r.ed->app.currentPage, Page::MessageBox);
}

TEST(DisplayMode, WindowedDeactivationLeavesTheDisplayAlone) {
    EditorRig r;
    r.dir.write("KorvelD/korvel.cfg", "fullscrn0\r\nefonexit0\r\n");
    ASSERT_TRUE(startup(*r.ed));
    r.platform->queueActivation(false);
    runFrame(*r.ed);
    EXPECT_EQ(r.ed->app.appInactive, 1);
    r.platform->queueActivation(true);
    runFrame(*r.ed);
    EXPECT_TRUE(r.platform->modeRequests().empty());
    r.ed->app.quitRequested = 1;
    shutdown(*r.ed);
    Form_Unload(*r.ed);
    EXPECT_TRUE(r.platform->modeRequests().empty());
}

TEST(DisplayMode, ToggledOffRestoresTheDesktop) {
    EditorRig r("", false);
    getDisplayMode(*r.ed);
    enterFullScreen(*r.ed);
    restoreDisplayMode(*r.ed);
    EXPECT_EQ(r.platform->modeRequests(), (std::vector<DisplayMode>{{800, 600, 32, 60}, kDesktop}));
    EXPECT_EQ(setDisplayMode(*r.platform, 640, 480, 8, 0), 1);
    r.platform->refuseDisplayModes(true);
    EXPECT_EQ(setDisplayMode(*r.platform, 640, 480, 8, 0), 0);
}

}  // namespace
}  // namespace korvel
