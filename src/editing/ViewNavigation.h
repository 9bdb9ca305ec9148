// View navigation: panning and zooming of the plan and side views as velocities integrated
// over the frame time, the zoom spring, and the animated glide.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// What view navigation keeps from frame to frame.
struct ViewMotionState {
    int32_t glideStep = -1;  // frame of the plan view's glide, 0..32; -1 none runs
};

// Mouse panning and zooming, integration of the velocities, zoom limits and the spring.
void stepViewMotion(Editor& ed);
// After the keys: the glide of the plan view and the friction of the velocities.
void stepViewGlide(Editor& ed);

}  // namespace korvel
