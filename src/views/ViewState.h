// Where the map views look: the plan-view transform, the side view's subject and transform, and
// the drawing-export parameters. The views and the page code set them; the model does not use
// them (it reports in map units).
#pragma once

#include <cstdint>

namespace korvel {

enum class SideViewSubjectKind : uint8_t { Point = 0, Sprite = 1, Wall = 2, Section = 3 };

struct ViewState {
    // Plan view: column = (x + viewOriginX) / viewZoom + 400, row from the bottom =
    // (viewOriginY - y) / viewZoom + 300; viewZoom is map units per pixel.
    float viewOriginX = 0;
    float viewOriginY = 0;
    float viewZoom = 16;

    SideViewSubjectKind sideViewSubjectKind = SideViewSubjectKind::Point;
    // Side view: the section line from (sideViewX1, sideViewY1) to (sideViewX2, sideViewY2);
    // column = (position along it + sideViewOriginX) / sideViewScale + 400, row =
    // (sideViewOriginZ - z / 16) / sideViewScale + 300.
    float sideViewOriginX = 0;
    float sideViewOriginZ = 0;
    float sideViewScale = 16;
    int32_t sideViewX1 = 0, sideViewY1 = 0, sideViewX2 = 0, sideViewY2 = 0;

    // Export of the drawing as a picture.
    int32_t exportLeft = 0, exportBottom = 0, exportRight = 0, exportTop = 0;
    int32_t exportScale = 0, exportGridSpacing = 0;
    uint8_t exportOptionA = 0, exportOptionB = 0;
};

}  // namespace korvel
