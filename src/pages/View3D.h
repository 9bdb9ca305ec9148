// The 3D view page: the rendered picture, or one of the two shaded plan pictures, with its
// status line and the overlay of what the mouse points at; and the options of the renderer.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

struct View3DState {
    float detailScale3d = 1.0f;
    uint8_t depthSortFirst3d = 1, depthSortRest3d = 1;
    uint8_t dither3d = 0, clear3dEachFrame = 0, mouseLook3dOption = 0;
    // What the page shows: 0 the live view, 1 and 2 the two shaded plan pictures.
    uint8_t view3dState = 0;
};

// Painter of the page.
void draw3DViewPage(Editor& ed);

}  // namespace korvel
