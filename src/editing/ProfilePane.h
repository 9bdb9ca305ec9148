// The profile editor's pane: panning, picking and dragging the corners and edges of the
// profile's segments.
#pragma once

namespace korvel {

struct Editor;

// Every frame on the profile editor page.
void editProfilePanel(Editor& ed);

}  // namespace korvel
