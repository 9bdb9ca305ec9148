// The sphere set-up page: the parameters of the sphere generator, a dome or bowl of sides and
// rings around a centre point.
#pragma once

#include <cstdint>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Editor;

struct SphereSetupState {
    int32_t sphere1A = 16384, sphere1B = -16384, sphere1C = 16;
    int32_t sphere2A = -16384, sphere2B = 16384, sphere2C = 4;
    int32_t domePreviewHeight = 1024;
};

// The plan of the dome (spokes and rings) and its cross-section; nothing unless the side and
// ring counts are positive.
void paintSpherePreview(const Canvas& cv, const SphereSetupState& p, int32_t previewColour);
void drawSphereToolPage(Editor& ed);

}  // namespace korvel
