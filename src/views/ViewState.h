// Where the map views look: the plan-view transform, the side view's subject and transform, and
// the drawing-export parameters. The views and the page code set them; the model does not use
// them (it reports in map units).
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/FixedArray.h"
#include "map/ObjectTables.h"

namespace korvel {

enum class SideViewSubjectKind : uint8_t { Point = 0, Sprite = 1, Wall = 2, Section = 3 };

// One span of a drawn section inside one sector: where along the line it starts and ends, the
// sector's heights at both ends, the walls crossed there (-1 at the line's own ends) and the map
// points of both ends.
struct SectionSlice {
    int32_t sector;
    int32_t startPos, endPos;
    int32_t floorZStart, floorZEnd;
    int32_t ceilingZStart, ceilingZEnd;
    int32_t startWall, endWall;
    int32_t startPointX, startPointY;
    int32_t endPointX, endPointY;
};
static_assert(sizeof(SectionSlice) == 52);
static_assert(offsetof(SectionSlice, ceilingZStart) == 20 &&
              offsetof(SectionSlice, endPointY) == 48);

constexpr int32_t kMaxSectionSlices = 16384;

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
    // The wall or sprite the side view was opened on.
    int32_t sideViewSubject = 0;
    // The spans of a Section subject, in sector order, and how many are valid.
    FixedArray<SectionSlice, kMaxSectionSlices> sectionSlices{};
    int32_t sectionSliceCount = 0;
    // Non-zero for each sprite the side view shows (and its selections act on).
    FixedArray<uint8_t, kMaxSprites> sideViewSprites{};

    // Export of the drawing as a picture.
    int32_t exportLeft = 0, exportBottom = 0, exportRight = 0, exportTop = 0;
    int32_t exportScale = 0, exportGridSpacing = 0;
    uint8_t exportOptionA = 0, exportOptionB = 0;
};

}  // namespace korvel
