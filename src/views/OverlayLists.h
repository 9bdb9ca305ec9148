// The picture of what the user is doing with a tool or a drag: a list of line segments and a
// list of marked points, rebuilt every frame by the tool previews and read by the painters and
// by the primary action as the geometry its next press builds.
#pragma once

#include <cstdint>
#include <string>

#include "base/FixedArray.h"
#include "ui/FrameBuffer.h"
#include "views/Projection.h"

namespace korvel {

// The kind of a line is also the dash step it is drawn with: every kind-th pixel is set.
enum class OverlayLineKind : uint8_t { Outline = 1, RubberBand = 2, Guide = 4 };

// In the plan view y1 and y2 hold the map y negated; in the side view x is the position along
// the section and y the height, nothing negated.
struct OverlayLine {
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    uint8_t kind;  // OverlayLineKind
};
// A marked point; y is never negated.
struct OverlayPoint {
    int32_t x;
    int32_t y;
};
static_assert(sizeof(OverlayLine) == 20);
static_assert(sizeof(OverlayPoint) == 8);

constexpr int32_t kOverlayCapacity = 32768;

struct OverlayLists {
    FixedArray<OverlayLine, kOverlayCapacity> overlayLines;
    int32_t overlayLineCount = 0;
    FixedArray<OverlayPoint, kOverlayCapacity> overlayPoints;
    int32_t overlayPointCount = 0;
    // 1 when the preview cannot be built from: a shape smaller than one map unit, or a preview
    // cut short because a list was full. The primary action builds nothing from it.
    int32_t toolPreviewDegenerate = 0;
    // The tangent arc of the polygon tool: where its points start in the point list and how
    // many there are (0: the preview drew no arc), so the press places what the user saw.
    int32_t arcPointFirst = 0;
    int32_t arcPointCount = 0;
};

// Empties both lists and clears the degenerate mark, as every preview build starts.
void resetOverlayLists(OverlayLists& lists);
// Append after the counted entries. A full list refuses and marks the preview degenerate, so a
// cut preview is never built into geometry.
bool appendOverlayLine(OverlayLists& lists, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                       OverlayLineKind kind);
bool appendOverlayPoint(OverlayLists& lists, int32_t x, int32_t y);

// Both lists over the plan view: every line dashed by its kind and every point as a square
// marker, all in one colour.
void drawOverlayListsPlanView(const Canvas& cv, const OverlayLists& lists,
                              const PlanProjection& view, int32_t colour);

}  // namespace korvel
