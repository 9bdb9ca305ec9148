// View navigation: panning and zooming of the plan and side views as velocities integrated
// over the frame time, the zoom spring, and the animated glide.
#pragma once

#include <cstdint>
#include <functional>

#include "pages/Page.h"

namespace korvel {

struct InputState;
struct ViewState;

// What view navigation keeps from frame to frame.
struct ViewMotionState {
    int32_t glideStep = -1;  // frame of the plan view's glide, 0..32; -1 none runs
};

// Mouse panning and zooming on the map views, integration of the velocities over the time since
// the last frame, zoom limits and the spring, which plays its cues.
void stepViewMotion(ViewState& view, ViewMotionState& motion, Page page, const InputState& input,
                    int32_t elapsedMs, const std::function<void(const char* cue)>& playCue);
// After the keys: the glide of the plan view and the friction of the velocities.
void stepViewGlide(ViewState& view, ViewMotionState& motion, int32_t elapsedMs);

}  // namespace korvel
