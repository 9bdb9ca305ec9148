// One picture of the 3D page: the live textured view, or the plan of the map filled by height
// or by light.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "base/Random.h"
#include "map/MapStore.h"
#include "resources/ColorTables.h"
#include "resources/TileStore.h"
#include "view3d/Scene3d.h"
#include "views/Projection.h"

namespace korvel {

enum class View3DMode : uint8_t { Live = 0, PlanFilled = 1, PlanFilledAlt = 2 };

struct FrameInputs3d {
    const MapStore& map;
    const TileStore& tiles;
    const ColorTables& colors;
    Camera3d camera;
    View3DOptions options;
    View3DMode mode = View3DMode::Live;
    PlanProjection plan;
    bool ceilingView = false;
    Random& random;
    // Repaints the picture as it builds up (while the watch key is held); null otherwise.
    std::function<void()> afterTriangle;
};

// Draws into image (800 x 450, row 0 at the bottom).
void renderFrame(Scene3d& scene, std::vector<uint8_t>& image, const FrameInputs3d& in);

// The colour of a shading level of the filled plan views.
uint8_t depthLevelColour(int32_t level);

}  // namespace korvel
