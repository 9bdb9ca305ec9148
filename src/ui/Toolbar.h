// The toolbar: its 256 buttons with their positions, icons, contexts and enabled and lit states,
// and the hit test that finds the button or menu item under the mouse.
#pragma once

#include <array>
#include <cstdint>

namespace korvel {

struct Editor;

constexpr int32_t kToolbarSlots = 256;
// Rows 0..148 are written; the others stay empty.
constexpr int32_t kToolbarRows = 149;
// The slot of the undo button.
constexpr int32_t kUndoButtonSlot = 18;
// Context codes: an empty slot, and a button that always exists.
constexpr int32_t kContextEmpty = 255;
constexpr int32_t kContextAlways = 65535;

struct ToolbarButton {
    int16_t x = 0, y = 0;  // lower left corner, rows counted from the bottom
    int16_t code = 0;      // UiAction
    int32_t context = kContextEmpty;
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

// Whether buttons of the context exist on screen now: 0..7 the plan view's tool groups of each
// selection layer, 8..15 pages and page states, 65535 always, any other value never.
bool toolbarContextHolds(const Editor& ed, int32_t context);

// The tooltip message of a button code, -1 for a code without one.
int32_t toolbarTooltip(int32_t code);

// Every frame before the clicks are handled: hoveredElement and the tooltip, then the menu's
// item under the mouse.
void hitTestToolbarAndMenu(Editor& ed);

}  // namespace korvel
