// An editor on the headless platform for tests of the per-frame input dispatcher: every call it
// makes into other parts is recorded by name, the pointer and keys are scripted, and one frame
// samples the input and dispatches it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "support/EditorRig.h"

namespace korvel::test {

struct DispatchRig : EditorRig {
    Trace trace;
    // What the recorded calls answer or do.
    int32_t hoverElement = -1;  // hitTestToolbarAndMenu puts it into hoveredElement
    bool pressActs = false;     // pressUiItem's answer
    bool configSaves = true;    // saveConfig's answer
    std::string typed;          // what readTypedText appends
    std::function<bool(int32_t)> fieldVisible = [](int32_t) { return true; };
    std::function<void(Editor&)> onProcessKeys;
    std::function<void(Editor&)> onPanelMouse;

    DispatchRig();

    // The pointer at (x, y), y counted from the bottom row as the editor counts it.
    void pointAt(int32_t x, int32_t y);
    void key(int vk, bool down) { platform->setKeyDown(vk, down); }
    // One frame: input sampling, the dispatcher, and the page copy the frame loop keeps.
    Trace frame();
};

}  // namespace korvel::test
