// The per-frame input and user-interface dispatcher: keys to the value prompt or the keyboard
// commands, the mouse on the map, toolbar, menus, page buttons and message-box answers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/InputState.h"
#include "pages/Page.h"
#include "ui/Cursor.h"

namespace korvel {

struct Editor;
struct Languages;

// Mouse buttons as virtual keys.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

// Down this frame and up the frame before; up this frame and down the frame before.
inline bool keyWentDown(const InputState& in, int k) {
    return in.keyStates[std::size_t(k)] < 0 && in.keyStates[std::size_t(k) + 256] >= 0;
}
inline bool keyWentUp(const InputState& in, int k) {
    return in.keyStates[std::size_t(k)] >= 0 && in.keyStates[std::size_t(k) + 256] < 0;
}
inline bool keyHeld(const InputState& in, int k) {
    return in.keyStates[std::size_t(k)] < 0;
}

// Whether the current language offers the second keyboard layout (its plural rule is 1 or
// more).
bool languageHasSecondLayout(const Languages& langs);

// The view whose hover picking runs this frame: the side view's on its page, the plan view's on
// its page and on the 3D page while that shows a plan picture; none unless the pointer is the map
// cross.
enum class HoverView : uint8_t { None = 0, Plan = 1, Side = 2 };
HoverView hoverViewOf(Page page, uint8_t view3dState, CursorShape cursor);

// All input handling of one frame, after sampling and the deferred action, before painting.
void processFrameInput(Editor& ed);

}  // namespace korvel
