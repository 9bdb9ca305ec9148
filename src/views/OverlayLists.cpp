#include "views/OverlayLists.h"

#include <algorithm>

#include "ui/Raster.h"

namespace korvel {

void resetOverlayLists(OverlayLists& lists) {
    lists.overlayLineCount = 0;
    lists.overlayPointCount = 0;
    lists.toolPreviewDegenerate = 0;
    lists.arcPointFirst = 0;
    lists.arcPointCount = 0;
}

bool appendOverlayLine(OverlayLists& lists, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                       OverlayLineKind kind) {
    const int32_t n = lists.overlayLineCount;
    if (n < 0 || n >= kOverlayCapacity) {
        lists.toolPreviewDegenerate = 1;
        return false;
    }
    lists.overlayLines[n] = {x1, y1, x2, y2, uint8_t(kind)};
    lists.overlayLineCount = n + 1;
    return true;
}

bool appendOverlayPoint(OverlayLists& lists, int32_t x, int32_t y) {
    const int32_t n = lists.overlayPointCount;
    if (n < 0 || n >= kOverlayCapacity) {
        lists.toolPreviewDegenerate = 1;
        return false;
    }
    lists.overlayPoints[n] = {x, y};
    lists.overlayPointCount = n + 1;
    return true;
}

void drawOverlayListsPlanView(const Canvas& cv, const OverlayLists& lists,
                              const PlanProjection& view, int32_t colour) {
    // Lines hold their y negated, so both kinds of entry land on the same pixel for one point.
    const int32_t lines = std::clamp(lists.overlayLineCount, 0, kOverlayCapacity);
    for (int32_t i = 0; i < lines; ++i) {
        const OverlayLine& l = lists.overlayLines[i];
        drawDottedLineMapView(cv, view.column(l.x1), view.row(-double(l.y1)), view.column(l.x2),
                              view.row(-double(l.y2)), colour, l.kind);
    }
    const int32_t points = std::clamp(lists.overlayPointCount, 0, kOverlayCapacity);
    for (int32_t i = 0; i < points; ++i) {
        const OverlayPoint& p = lists.overlayPoints[i];
        drawSquareMarker(cv, view.column(p.x), view.row(p.y), colour);
    }
}

}  // namespace korvel
