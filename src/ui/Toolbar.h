// The toolbar: its 256 buttons with their positions, icons, contexts and enabled and lit states,
// and the hit test that finds the button or menu item under the mouse.
#pragma once

#include <array>
#include <cstdint>

namespace korvel {

struct Editor;

constexpr int32_t kToolbarSlots = 256;
// The slot of the undo button.
constexpr int32_t kUndoButtonSlot = 18;
// Contexts: a slot that holds no button, and a button shown everywhere.
constexpr int32_t kEmptyToolbarSlot = 255;
constexpr int32_t kAlwaysShown = 65535;

struct ToolbarButton {
    int16_t x = 0, y = 0;   // lower left corner, rows counted from the bottom
    int16_t code = 0;       // UiAction
    int32_t context = 255;  // 255 an empty slot, 65535 always
    int16_t colorOffset = 0;
    uint8_t enabled = 0;
    uint8_t lit = 0;
};

struct ToolbarState {
    std::array<ToolbarButton, kToolbarSlots> toolbarButtons{};
    // The slot (0..255) or menu command (768..868) under the mouse, -1 none.
    int32_t hoveredElement = -1;
};

// Rebuilds every button for the current page, tool and settings.
void rebuildToolbar(Editor& ed);

// Whether a button of this context code is on screen for the current page and state.
bool toolbarContextHolds(const Editor& ed, int32_t context);

// Every frame before the clicks are handled: hoveredElement and the tooltip, then the menu's
// item under the mouse.
void hitTestToolbarAndMenu(Editor& ed);

}  // namespace korvel
