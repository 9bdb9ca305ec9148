#include "geometry/DeletionSparks.h"

#include "base/Mainm.h"

namespace korvel {

void sparkBurstAt(const ViewState& view, MapEvents& events, int32_t x, int32_t y) {
    const int32_t sx = safeFloor((double(x) + view.viewOriginX) / view.viewZoom) + 400;
    const int32_t sy = safeFloor((double(view.viewOriginY) - y) / view.viewZoom) + 300;
    if (sx < 0 || sx >= 800 || sy < 128 || sy >= 584) return;
    for (int i = 0; i < 6; ++i) events.addParticle(sx, sy, 0);
}

void sparksAlongWall(const ViewState& view, MapEvents& events, int32_t x1, int32_t y1, int32_t x2,
                     int32_t y2) {
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
        const int32_t sx = safeFloor((double(px) + view.viewOriginX) / view.viewZoom + 400 + 0.5);
        const int32_t sy = safeFloor((double(py) + view.viewOriginY) / view.viewZoom + 300 + 0.5);
        events.addParticle(sx, sy, 0);
    }
}

}  // namespace korvel
