// What the toolbar's and the other UI items' action codes do, and what the pull-down menus'
// items do where that is more than calling a key's command. The command table's rows reach
// these through one handler per code.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// The action of UI action code `code`: the press actions (mode and view switches) and the
// release actions (tool starts, page changes, map edits). Codes without an action do nothing.
void runUiAction(Editor& ed, int32_t code);
// The menu command `id` (768..868) where it is more than one key command.
void runMenuItem(Editor& ed, int32_t id);

// One function per code, for the command table's rows.
template <int32_t Code>
void uiAction(Editor& ed) {
    runUiAction(ed, Code);
}
template <int32_t Id>
void menuItem(Editor& ed) {
    runMenuItem(ed, Id);
}

// The selection-box points of the transform tools (4, 6 or 8 points: the source shape, then the
// same points again as the target) from the box of the current selection layer.
void startTransformToolPoints(Editor& ed, int32_t count);

}  // namespace korvel
