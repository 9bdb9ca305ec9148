// Where the sparks of a deletion go on the screen: the plan and side view transforms applied to
// the map points the model reports. Whether the sparks are shown is the particle list's business.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "views/ViewState.h"

namespace korvel {

struct SparkPoint {
    int32_t x, y;  // screen column, row counted from the bottom
};

// Map point (x, y) on the plan view, when it lies in the view's map area.
std::optional<SparkPoint> planSparkPoint(const ViewState& view, int32_t x, int32_t y);
// A sprite at (x, y, z) on the side view, when it lies in the view's map area: along the
// section line for a wall or section subject, on the centre column otherwise.
std::optional<SparkPoint> sideSparkPoint(const ViewState& view, int32_t x, int32_t y, int32_t z);
// The sparks along a wall from (x1, y1) to (x2, y2) on the plan view: one per 6 pixels of its
// length, at most 1025, in order from the first end, wherever they fall.
void forEachWallSpark(const ViewState& view, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                      const std::function<void(SparkPoint)>& spark);

}  // namespace korvel
