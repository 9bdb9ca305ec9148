// The profile editor page: the profile of a sweep or a revolution as segments in a pane that pans
// and zooms; the pane's own mouse handling picks and drags the segments' corners and edges.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

struct ProfileEditorState {
    int32_t profileZoom = 16;
    int32_t profilePanX = 0, profilePanY = 0;
    int32_t contourCount = 0;
    int32_t contourSelected = -1;
};

// Painter of the page.
void drawProfileEditor(Editor& ed);
// The pane's mouse, every frame on the page after the panel widgets had it.
void editProfilePanel(Editor& ed);

}  // namespace korvel
