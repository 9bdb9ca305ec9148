// The sphere set-up page: the parameters of the sphere generator, a dome or bowl of sides and
// rings around a centre point.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

struct SphereSetupState {
    int32_t sphere1A = 16384, sphere1B = -16384, sphere1C = 16;
    int32_t sphere2A = -16384, sphere2B = 16384, sphere2C = 4;
    int32_t domePreviewHeight = 1024;
};

// Painter of the page.
void drawSphereToolPage(Editor& ed);

}  // namespace korvel
