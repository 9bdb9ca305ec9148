// The mouse on the custom-drawn pages: check boxes, radio buttons, scroll bars, value fields,
// page buttons, message-box buttons and the side view's navigation pad.
#pragma once

namespace korvel {

struct Editor;

// Every frame; a click on a page button or a message-box button leaves its id in hoveredWidget
// for the release.
void processPanelMouse(Editor& ed);

}  // namespace korvel
