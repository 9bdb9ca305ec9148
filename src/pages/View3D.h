// The 3D view page: the rendered picture, or one of the two shaded plan pictures, with its
// status line and the overlay of what the mouse points at; and the options of the renderer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "view3d/HitQueries3d.h"

namespace korvel {

struct Editor;
struct Scene3d;

struct View3DState {
    float detailScale3d = 1.0f;
    uint8_t depthSortFirst3d = 1, depthSortRest3d = 1;
    uint8_t dither3d = 0, clear3dEachFrame = 0, mouseLook3dOption = 0;
    // What the page shows: 0 the live view, 1 and 2 the two shaded plan pictures.
    uint8_t view3dState = 0;

    // The camera: position in map units across and BUILD z units (16 per map unit) up and down,
    // heading 2048 per turn, pitch and tilt 65536 per turn, and the lens.
    double camX = 0, camY = 0, camZ = 0;
    double camAngle = 0;
    double pitch3d = 0, tilt3d = 0;
    double zoom3d = 400;
    // Speeds the held keys build up and friction takes away.
    double strafeSpeed3d = 0, forwardSpeed3d = 0, verticalSpeed3d = 0, turnSpeed3d = 0;
    double pitchSpeed3d = 0, tiltSpeed3d = 0, zoomSpeed3d = 0;
    // 0 when the picture must be rendered again (every camera change clears it).
    uint8_t view3dValid = 0;
    // Raised by the toolbar's and the menu's ways into the page.
    uint8_t enter3dPending = 0;
    // The triangle cache and the frame buffers, allocated on first use and kept.
    std::shared_ptr<Scene3d> scene;
    // What the pointer aims at in the live view.
    Pick3d pick3d;
};

// The status line under the picture for the page's state (empty for an unknown one).
std::string view3dStatusLine(const Editor& ed);

// Painter of the page.
void draw3DViewPage(Editor& ed);

}  // namespace korvel
