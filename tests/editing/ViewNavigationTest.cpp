#include "editing/ViewNavigation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "app/InputState.h"
#include "editing/InputDispatcher.h"
#include "support/DispatchRig.h"
#include "views/ViewState.h"

namespace korvel {
namespace {

// 15 ms is close to one time unit (15.625 ms, a frame at 64 frames per second); 125 ms is
// exactly 8 units.
constexpr int32_t kOneUnitMs = 15;

struct MotionRig {
    std::unique_ptr<ViewState> owned = std::make_unique<ViewState>();
    ViewState& view = *owned;
    ViewMotionState motion;
    InputState input;
    std::vector<std::string> cues;

    MotionRig() {
        view.viewZoom = 1;
        view.sideViewScale = 1;
        input.mouseX = 400;
        input.mouseY = 300;
    }
    // One frame of the given length: the motion step and then the glide and friction step.
    void frame(int32_t ms, Page page = Page::PlanView) {
        stepViewMotion(view, motion, page, input, ms, [this](const char* c) { cues.push_back(c); });
        stepViewGlide(view, motion, ms);
    }
    void hold(int key, bool down) { input.keyStates[size_t(key)] = down ? int16_t(-128) : 0; }
    int count(const std::string& cue) const {
        int n = 0;
        for (const std::string& c : cues) n += c == cue;
        return n;
    }
};

TEST(ViewNavigation, VelocitiesMoveByPixelsAndComeToRestExactly) {
    // At 64 frames per second a pan velocity of 1 moves one pixel's worth of map units; the
    // friction then takes it to 0.7 (1 x 0.95 - 0.25).
    MotionRig r;
    r.view.viewZoom = 4;
    r.motion.panVelocityX = 1;
    stepViewMotion(r.view, r.motion, Page::PlanView, r.input, 0, {});
    EXPECT_FLOAT_EQ(r.view.viewOriginX, 0) << "no time, no motion";
    EXPECT_DOUBLE_EQ(motionTimeUnits(1000), 64.0);
    stepViewMotion(r.view, r.motion, Page::PlanView, r.input, 125, {});
    EXPECT_FLOAT_EQ(r.view.viewOriginX, 4 * 8);

    // Values inside the linear decay's reach stop at once, larger ones shrink and then stop.
    struct Case {
        float v;
        float after;  // after one unit of time
    } const cases[] = {{0.2f, 0}, {-0.2f, 0}, {1, 0.95f - 0.25f}, {-1, -0.95f + 0.25f}, {0, 0}};
    for (const Case& c : cases) {
        MotionRig f;
        f.motion.zoomVelocity = c.v;
        f.motion.sideViewVelZ = c.v;
        // 16 ms is 1.024 units; compute what the rule gives for it.
        stepViewGlide(f.view, f.motion, 16);
        const float dt16 = 16 / 15.625f;
        float want = c.v * std::pow(0.95f, dt16);
        want = want >= 0.25f * dt16 ? want - 0.25f * dt16
               : want <= -0.25f * dt16 ? want + 0.25f * dt16
                                       : 0;
        EXPECT_NEAR(f.motion.zoomVelocity, want, 1e-6) << c.v;
        EXPECT_NEAR(f.motion.sideViewVelZ, want, 1e-6) << c.v;
    }
    MotionRig coast;
    coast.motion.panVelocityY = 40;
    int frames = 0;
    while (coast.motion.panVelocityY != 0 && frames < 1000) coast.frame(kOneUnitMs), ++frames;
    EXPECT_LT(frames, 200) << "the tail ends at exactly 0";
}

TEST(ViewNavigation, TheZoomStaysWithinItsBounds) {
    struct Case {
        float zoom, zoomVelocity;
        float want;
    } const cases[] = {
        {60000, 500, 65536},  // pushed above the coarse limit
        {0.006f, -5000, 0.005f},
        {65536, 0, 65536},
    };
    for (const Case& c : cases) {
        MotionRig r;
        r.view.viewZoom = r.view.sideViewScale = c.zoom;
        r.motion.zoomVelocity = r.motion.sideViewZoomVel = c.zoomVelocity;
        stepViewMotion(r.view, r.motion, Page::PlanView, r.input, 16, [](const char*) {});
        EXPECT_FLOAT_EQ(r.view.viewZoom, c.want) << c.zoom;
        EXPECT_FLOAT_EQ(r.view.sideViewScale, c.want) << c.zoom;
    }
    // A zoom that is no number ends at a bound, not at no number.
    MotionRig nan;
    nan.view.viewZoom = std::nanf("");
    nan.frame(16);
    EXPECT_TRUE(nan.view.viewZoom >= kMinViewZoom && nan.view.viewZoom <= kMaxViewZoom);
}

TEST(ViewNavigation, TheSpringSoundsOncePerEntryAndExit) {
    // The middle button held far above the centre zooms in hard past 1/32.
    for (Page page : {Page::PlanView, Page::SideView}) {
        MotionRig r;
        r.view.viewZoom = r.view.sideViewScale = 0.06f;
        r.input.mouseY = 599;
        r.hold(kMiddleButton, true);
        for (int frame = 0; frame < 400 && r.count("contact") == 0; ++frame) r.frame(16, page);
        EXPECT_EQ(r.count("contact"), 1);
        for (int i = 0; i < 50; ++i) r.frame(16, page);
        r.hold(kMiddleButton, false);
        for (int i = 0; i < 200; ++i) r.frame(16, page);
        EXPECT_EQ(r.count("contact"), 1) << "once per entry";
        EXPECT_EQ(r.count("discont"), 0) << "still inside the zone";
        const float& zoom = page == Page::PlanView ? r.view.viewZoom : r.view.sideViewScale;
        EXPECT_GT(zoom, 0.02f) << "the spring pushed it back towards the limit";
        // Zooming out of the zone, below the centre, is heard once.
        r.input.mouseY = 0;
        r.hold(kMiddleButton, true);
        for (int i = 0; i < 100; ++i) r.frame(16, page);
        EXPECT_GE(zoom, kZoomSpringLimit);
        EXPECT_EQ(r.count("discont"), 1);
        EXPECT_EQ(r.count("contact"), 1);
        // The other view was not zoomed by the button.
        const float other = page == Page::PlanView ? r.view.sideViewScale : r.view.viewZoom;
        EXPECT_FLOAT_EQ(other, 0.06f);
    }
    // Drifting in slowly is no contact, but leaving is still heard.
    MotionRig slow;
    slow.view.viewZoom = 0.03f;
    slow.frame(16);
    EXPECT_EQ(slow.motion.viewZoomLimitHit, 1);
    EXPECT_EQ(slow.count("contact"), 0);
}

TEST(ViewNavigation, TheRightButtonCarriesTheViewTowardsThePointer) {
    MotionRig r;
    r.view.viewZoom = 2;
    r.input.mouseX = 464;  // 64 pixels right of the centre
    r.input.mouseY = 268;  // 32 below
    r.hold(kRightButton, true);
    r.frame(125);  // 8 units
    EXPECT_FLOAT_EQ(r.view.viewOriginX, -64 * 2 / 64.f * 8);
    EXPECT_FLOAT_EQ(r.view.viewOriginY, 32 * 2 / 64.f * 8);
    // On another page the button does nothing to the plan view.
    MotionRig o;
    o.input.mouseX = 464;
    o.hold(kRightButton, true);
    o.frame(125, Page::SideView);
    EXPECT_FLOAT_EQ(o.view.viewOriginX, 0);
    EXPECT_FLOAT_EQ(o.view.sideViewOriginX, -8);
}

TEST(ViewNavigation, AGlideEasesOverThirtyThreeFrames) {
    MotionRig r;
    r.view.viewOriginX = 0;
    startGlide(r.motion, r.view, 3200, -640, 4, true);
    std::vector<float> xs;
    for (int i = 0; i < kGlideFrames; ++i) {
        EXPECT_GE(r.motion.glideStep, 0) << i;
        r.frame(16);
        xs.push_back(r.view.viewOriginX);
    }
    EXPECT_EQ(r.motion.glideStep, -1);
    EXPECT_EQ(r.motion.glideZooms, 0);
    EXPECT_FLOAT_EQ(xs[0], 0);
    EXPECT_NEAR(xs[16], 1600, 1e-3);
    EXPECT_FLOAT_EQ(xs[32], 3200);
    EXPECT_FLOAT_EQ(r.view.viewOriginY, -640);
    EXPECT_FLOAT_EQ(r.view.viewZoom, 4);
    EXPECT_LT(xs[1] - xs[0], xs[16] - xs[15]) << "slow at the start";
    EXPECT_LT(xs[32] - xs[31], xs[16] - xs[15]) << "and at the end";
    r.frame(16);
    EXPECT_FLOAT_EQ(r.view.viewOriginX, 3200) << "over";
    // Origins far outside the 32-bit range are kept inside it when a glide starts.
    r.view.viewOriginX = 1e12f;
    r.view.viewOriginY = -1e12f;
    startGlide(r.motion, r.view, 0, 0, 1, false);
    EXPECT_EQ(r.motion.glideFromX, INT32_MAX);
    EXPECT_EQ(r.motion.glideFromY, INT32_MIN);
}

TEST(ViewNavigation, HeldKeysPushTheViewsThreeTimesWithShift) {
    // Arrows pan and A and Z zoom by the frame's time units, on the page's own view; Shift
    // triples the push; the friction then acts as on any velocity. Frames of 125 ms: 8 units.
    constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kShift = 16, kCtrl = 17;
    struct Case {
        std::vector<int> keys;
        Page page;
        float wantX, wantY, wantZoom;  // pushes, before the friction
    } const cases[] = {
        {{kLeft}, Page::PlanView, 8, 0, 0},
        {{kUp, 'A'}, Page::PlanView, 0, -8, -8},
        {{kShift, kRight, kDown, 'Z'}, Page::PlanView, -24, 24, 24},
        {{kRight, 'Z'}, Page::SideView, -8, 0, 8},
        {{kShift, kLeft, kUp, 'A'}, Page::SideView, 24, -24, -24},
        {{kCtrl, kLeft, 'A'}, Page::PlanView, 0, 0, 0},     // Ctrl leaves the views alone
        {{kLeft, 'A'}, Page::DisplayOptions, 0, 0, 0},     // not a map view
    };
    const auto afterFriction = [](float v) {
        v *= std::pow(0.95f, 8.0f);
        return v >= 2 ? v - 2 : v <= -2 ? v + 2 : 0;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.keys));
        test::DispatchRig r;
        r.ed->app.currentPage = r.ed->app.previousPage = c.page;
        r.platform->setClock(1000);
        r.frame();
        for (int k : c.keys) r.key(k, true);
        r.ed->loop.prevFrameTime = r.ed->input.frameTime;
        r.platform->advanceClock(125);
        r.frame();
        const ViewMotionState& m = r.ed->viewMotion;
        const bool side = c.page == Page::SideView;
        EXPECT_FLOAT_EQ(side ? m.sideViewVelX : m.panVelocityX, afterFriction(c.wantX));
        EXPECT_FLOAT_EQ(side ? m.sideViewVelZ : m.panVelocityY, afterFriction(c.wantY));
        EXPECT_FLOAT_EQ(side ? m.sideViewZoomVel : m.zoomVelocity, afterFriction(c.wantZoom));
        EXPECT_FLOAT_EQ(side ? m.panVelocityX : m.sideViewVelX, 0) << "the other view is still";
    }
}

}  // namespace
}  // namespace korvel
