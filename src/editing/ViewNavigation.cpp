#include "editing/ViewNavigation.h"

#include <cmath>

#include "app/InputState.h"
#include "base/Mainm.h"
#include "editing/InputDispatcher.h"
#include "ui/FrameBuffer.h"
#include "views/ViewState.h"

namespace korvel {

namespace {

// One view's transform and motion, plan or side, as the steps below treat both alike.
struct Axes {
    float& originX;
    float& originY;
    float& zoom;
    float& velX;
    float& velY;
    float& zoomVel;
    uint8_t& limitHit;
};

Axes planAxes(ViewState& v, ViewMotionState& m) {
    return {v.viewOriginX,  v.viewOriginY,  v.viewZoom,        m.panVelocityX,
            m.panVelocityY, m.zoomVelocity, m.viewZoomLimitHit};
}

Axes sideAxes(ViewState& v, ViewMotionState& m) {
    return {v.sideViewOriginX, v.sideViewOriginZ, v.sideViewScale,       m.sideViewVelX,
            m.sideViewVelZ,    m.sideViewZoomVel, m.sideViewZoomLimitHit};
}

// The right button carries the view towards the pointer, faster the further it is from the
// centre; the middle button zooms, in above the centre and out below.
void moveByMouse(const Axes& a, const InputState& in, float dt) {
    const auto dx = float(in.mouseX - kViewCentreX), dy = float(in.mouseY - kViewCentreY);
    if (keyHeld(in, kRightButton)) {
        a.originX -= dx * a.zoom / 64 * dt;
        a.originY -= dy * a.zoom / 64 * dt;
    }
    if (keyHeld(in, kMiddleButton)) a.zoomVel += dy / -640 * dt;
}

void integrate(const Axes& a, float dt) {
    a.originX += a.velX * a.zoom * dt;
    a.originY += a.velY * a.zoom * dt;
    a.zoom += a.zoomVel * a.zoom / 128 * dt;
    // Written so that a zoom that is no number at all ends at a bound too.
    if (!(a.zoom <= kMaxViewZoom)) a.zoom = kMaxViewZoom;
    if (!(a.zoom >= kMinViewZoom)) a.zoom = kMinViewZoom;
}

// Below the fine limit the zoom is pushed back out; entering the zone hard and leaving it each
// sound once.
void spring(const Axes& a, float dt, const std::function<void(const char*)>& playCue) {
    if (a.zoom >= kZoomSpringLimit) {
        if (a.limitHit) {
            a.limitHit = 0;
            playCue("discont");
        }
        return;
    }
    const float gap = kZoomSpringLimit - a.zoom;
    a.zoomVel = (a.zoomVel + gap * gap * 10000 * dt) * std::pow(0.75f, dt);
    if (!a.limitHit && a.zoomVel < -2) playCue("contact");
    a.limitHit = 1;
}

// Damping by a factor per time unit, then a linear decay that ends the tail at exactly 0.
void applyFriction(float& v, float dt) {
    v *= std::pow(0.95f, dt);
    const float step = 0.25f * dt;
    if (v >= step)
        v -= step;
    else if (v <= -step)
        v += step;
    else
        v = 0;
}

// Frames never run backwards; a clock that seems to only stands still.
float timeUnits(int32_t elapsedMs) {
    return float(motionTimeUnits(elapsedMs < 0 ? 0 : elapsedMs));
}

}  // namespace

int32_t roundedOrigin(double v) {
    return saturateToInt32(std::nearbyint(v));
}

void startGlide(ViewMotionState& motion, const ViewState& view, int32_t toX, int32_t toY,
                float toZoom, bool zooms) {
    motion.glideStep = 0;
    motion.glideFromX = roundedOrigin(view.viewOriginX);
    motion.glideFromY = roundedOrigin(view.viewOriginY);
    motion.glideFromZoom = view.viewZoom;
    motion.glideToX = toX;
    motion.glideToY = toY;
    motion.glideToZoom = toZoom;
    motion.glideZooms = zooms ? 1 : 0;
}

void stepViewMotion(ViewState& view, ViewMotionState& motion, Page page, const InputState& input,
                    int32_t elapsedMs, const std::function<void(const char* cue)>& playCue) {
    const float dt = timeUnits(elapsedMs);
    const Axes plan = planAxes(view, motion), side = sideAxes(view, motion);
    if (page == Page::PlanView) moveByMouse(plan, input, dt);
    if (page == Page::SideView) moveByMouse(side, input, dt);
    integrate(plan, dt);
    integrate(side, dt);
    spring(plan, dt, playCue);
    spring(side, dt, playCue);
}

void stepViewGlide(ViewState& view, ViewMotionState& motion, int32_t elapsedMs) {
    if (motion.glideStep >= 0) {
        const double w = std::cos(motion.glideStep / 32.0 * 3.14159265358979) / 2 + 0.5;
        const auto towards = [w](double from, double to) { return to - (to - from) * w; };
        view.viewOriginX = float(towards(motion.glideFromX, motion.glideToX));
        view.viewOriginY = float(towards(motion.glideFromY, motion.glideToY));
        if (motion.glideZooms)
            view.viewZoom = float(towards(motion.glideFromZoom, motion.glideToZoom));
        if (++motion.glideStep >= kGlideFrames) {
            motion.glideStep = -1;
            motion.glideZooms = 0;
        }
    }
    const float dt = timeUnits(elapsedMs);
    for (float* v : {&motion.panVelocityX, &motion.panVelocityY, &motion.zoomVelocity,
                     &motion.sideViewVelX, &motion.sideViewVelZ, &motion.sideViewZoomVel})
        applyFriction(*v, dt);
}

}  // namespace korvel
