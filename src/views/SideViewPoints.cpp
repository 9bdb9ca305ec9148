#include "views/SideViewPoints.h"

#include <cmath>

#include "base/Mainm.h"
#include "editing/HoverState.h"
#include "views/Projection.h"

namespace korvel {

void mapPointsFromSideView(const SideProjection& line, HoverState& hover) {
    const float dx = float(int64_t(line.x2) - line.x1), dy = float(int64_t(line.y2) - line.y1);
    const float length = std::sqrt(dx * dx + dy * dy);
    const auto at = [&](int32_t pos, int32_t& x, int32_t& y) {
        const float f = float(pos) / length;
        x = safeFloor(float(line.x1) + dx * f);
        y = safeFloor(float(line.y1) + dy * f);
    };
    at(hover.sideMousePos, hover.mouseMapX, hover.mouseMapY);
    at(hover.sideHitPos, hover.hitPointX, hover.hitPointY);
}

}  // namespace korvel
