// The textured 3D picture of one frame: the cache projected into a screen-space list (clipped,
// culled and ordered), rasterised into the picture with its depth and pick buffers, and the
// adaptive update that decides which sectors' triangles take part in the next frames.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "base/Random.h"
#include "resources/ColorTables.h"
#include "resources/TileStore.h"
#include "view3d/Scene3d.h"

namespace korvel {

// frameCamera: camY, camX, height in map units (up positive), heading in 1/65536 turn.
struct FrameCamera3d {
    double y = 0, x = 0, height = 0, angle = 0;
};
FrameCamera3d frameCameraOf(const Camera3d& cam);

void project3dTriangles(Scene3d& scene, const FrameCamera3d& fc, const Camera3d& cam,
                        const View3DOptions& options);

struct RasterInputs3d {
    const TileStore& tiles;
    const ColorTables& colors;
    double camAngle = 0;
    bool dither = false;
    Random& random;
    // Called after every triangle while the build-up is watched (null otherwise).
    std::function<void()> afterTriangle;
};

// Draws the projected list into image (800 x 450, row 0 at the bottom), then runs the adaptive
// update from what each sector drew.
void rasterise3dTriangles(Scene3d& scene, std::vector<uint8_t>& image, const RasterInputs3d& in);

// The adaptive update of the skip levels and the load figure from the frame status of every
// sector.
void updateSkipLevels3d(Scene3d& scene);

}  // namespace korvel
