#include "views/DeletionSparks.h"

#include "base/Mainm.h"

namespace korvel {

namespace {

std::optional<SparkPoint> inMapArea(int32_t sx, int32_t sy) {
    if (sx < 0 || sx >= 800 || sy < 128 || sy >= 584) return std::nullopt;
    return SparkPoint{sx, sy};
}

}  // namespace

std::optional<SparkPoint> planSparkPoint(const ViewState& view, int32_t x, int32_t y) {
    return inMapArea(safeFloor((double(x) + view.viewOriginX) / view.viewZoom) + 400,
                     safeFloor((double(view.viewOriginY) - y) / view.viewZoom) + 300);
}

std::optional<SparkPoint> sideSparkPoint(const ViewState& view, int32_t x, int32_t y, int32_t z) {
    int32_t sx = 400;
    if (uint8_t(view.sideViewSubjectKind) >= uint8_t(SideViewSubjectKind::Wall)) {
        const double d1 = distDouble(view.sideViewX1, view.sideViewY1, x, y);
        const double d2 = distDouble(view.sideViewX2, view.sideViewY2, x, y);
        const double length =
            distDouble(view.sideViewX1, view.sideViewY1, view.sideViewX2, view.sideViewY2);
        const double along = (d1 + length - d2) / 2;
        sx = safeFloor((along + view.sideViewOriginX) / view.sideViewScale) + 400;
    }
    return inMapArea(
        sx, safeFloor((double(view.sideViewOriginZ) - z / 16.0) / view.sideViewScale) + 300);
}

void forEachWallSpark(const ViewState& view, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                      const std::function<void(SparkPoint)>& spark) {
    const float length = distSingle(float(x1), float(y1), float(x2), float(y2));
    int32_t count = safeFloor(double(length) / view.viewZoom) / 6;
    // A long wall at a close zoom would otherwise ask for millions of sparks.
    if (count > 1024) count = 1024;
    if (count < 0) count = 0;
    const int32_t step = 65536 / (count + 1);
    const int32_t ny1 = wrap32(-int64_t(y1)), ny2 = wrap32(-int64_t(y2));
    for (int32_t k = 0; k <= count; ++k) {
        const int32_t t = k * step;
        const int32_t px = lerpFixed(x1, x2, t);
        const int32_t py = lerpFixed(ny1, ny2, t);
        spark({safeFloor((double(px) + view.viewOriginX) / view.viewZoom + 400 + 0.5),
               safeFloor((double(py) + view.viewOriginY) / view.viewZoom + 300 + 0.5)});
    }
}

}  // namespace korvel
