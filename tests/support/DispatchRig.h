// An editor on the headless platform for tests of the per-frame input dispatcher: the pointer and
// keys are scripted, one frame samples the input and dispatches it, and the cues the frame played
// are kept by name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/EditorRig.h"

namespace korvel::test {

struct DispatchRig : EditorRig {
    DispatchRig();

    // The pointer at (x, y), y counted from the bottom row as the editor counts it.
    void pointAt(int32_t x, int32_t y);
    void key(int vk, bool down) { platform->setKeyDown(vk, down); }
    // One frame: input sampling, the dispatcher, and the page copy the frame loop keeps. Gives
    // the cues played in it ("discont", ...), in order.
    std::vector<std::string> frame();
};

}  // namespace korvel::test
