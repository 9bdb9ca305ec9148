// The per-frame input and user-interface dispatcher: keys to the value prompt or the keyboard
// commands, the mouse on the map, toolbar, menus, page buttons and message-box answers.
#pragma once

namespace korvel {

struct Editor;

// All input handling of one frame, after sampling and the deferred action, before painting.
void processFrameInput(Editor& ed);

}  // namespace korvel
