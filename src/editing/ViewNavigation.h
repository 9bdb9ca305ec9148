// View navigation: panning and zooming of the plan and side views as velocities integrated
// over the frame time, the zoom spring, and the animated glide.
#pragma once

#include <cstdint>
#include <functional>

#include "pages/Page.h"

namespace korvel {

struct InputState;
struct ViewState;

// The zoom may not go finer than this for long: below it a spring pushes it back.
constexpr float kZoomSpringLimit = 1.0f / 32;
constexpr float kMaxViewZoom = 65536.0f;
constexpr float kMinViewZoom = 0.005f;
// A glide runs over this many frames, whatever they last.
constexpr int32_t kGlideFrames = 33;

// What view navigation keeps from frame to frame.
struct ViewMotionState {
    // Plan view: pan speeds in pixels per time unit (scaled by the zoom) and the zoom speed;
    // whether the zoom is inside the spring zone.
    float panVelocityX = 0, panVelocityY = 0, zoomVelocity = 0;
    uint8_t viewZoomLimitHit = 0;
    // The side view's likewise.
    float sideViewVelX = 0, sideViewVelZ = 0, sideViewZoomVel = 0;
    uint8_t sideViewZoomLimitHit = 0;

    // The plan view's glide: the frame of it, 0..32 (-1 none runs), where it goes from and to,
    // and whether it changes the zoom too.
    int32_t glideStep = -1;
    int32_t glideFromX = 0, glideFromY = 0, glideToX = 0, glideToY = 0;
    float glideFromZoom = 0, glideToZoom = 0;
    uint8_t glideZooms = 0;
};

// The time unit motion is measured in: 1/64 second, so 1.0 at 64 frames per second.
inline double motionTimeUnits(int32_t elapsedMs) {
    return elapsedMs / 15.625;
}

// A view origin as a whole map unit, the nearest one, kept inside the 32-bit range.
int32_t roundedOrigin(double v);

// Starts a glide of the plan view from where it is now to (toX, toY), and to toZoom when
// zooms is set.
void startGlide(ViewMotionState& motion, const ViewState& view, int32_t toX, int32_t toY,
                float toZoom, bool zooms);

// Mouse panning and zooming on the map views, integration of the velocities over the time since
// the last frame, zoom limits and the spring, which plays its cues.
void stepViewMotion(ViewState& view, ViewMotionState& motion, Page page, const InputState& input,
                    int32_t elapsedMs, const std::function<void(const char* cue)>& playCue);
// After the keys: the glide of the plan view and the friction of the velocities.
void stepViewGlide(ViewState& view, ViewMotionState& motion, int32_t elapsedMs);

}  // namespace korvel
