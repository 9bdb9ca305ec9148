// Where the map views look: the plan-view transform, the side view's subject and transform with
// what it shows of the map (the section's slices, the sectors and sprites of its column), and the
// drawing-export parameters. The views and the page code set them; the model does not use them
// (it reports in map units).
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/FixedArray.h"
#include "map/ObjectTables.h"

namespace korvel {

enum class SideViewSubjectKind : uint8_t { Point = 0, Sprite = 1, Wall = 2, Section = 3 };

// One span of a section line inside one sector: where along the line it starts and ends, which
// walls it crosses there (-1: the line's own end), the map points of both ends, and the sector's
// floor and ceiling heights at them.
struct SectionSlice {
    int32_t sector;
    int32_t startPos;
    int32_t endPos;
    int32_t floorZStart;
    int32_t floorZEnd;
    int32_t ceilingZStart;
    int32_t ceilingZEnd;
    int32_t startWall;
    int32_t endWall;
    int32_t startPointX;
    int32_t startPointY;
    int32_t endPointX;
    int32_t endPointY;
};
static_assert(sizeof(SectionSlice) == 52);
static_assert(offsetof(SectionSlice, ceilingZStart) == 20 &&
              offsetof(SectionSlice, endPointY) == 48);

// Where a section line meets a wall of the sector being sliced.
struct SectionCrossing {
    int32_t x, y;
    int32_t wall;
    int32_t pos;    // floored distance from the line's start
    int32_t order;  // place in the order found, so that equal positions keep it
};

constexpr int32_t kMaxSectionSlices = 16384;
// A sector's walls cross a line at most once each.
constexpr int32_t kMaxSectionCrossings = kMaxWalls;

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

    // The wall or sprite the side view was opened on (kinds Wall and Sprite). It may have been
    // deleted or renumbered since: readers check it against the map.
    int32_t sideViewSubject = 0;
    // What a Section shows: its spans per sector (sectors in index order, each sector's spans by
    // position). Only a Section subject rebuilds them; the painter refreshes their heights.
    FixedArray<SectionSlice, kMaxSectionSlices> sectionSlices{};
    int32_t sectionSliceCount = 0;
    // A point subject's column: the sectors holding the point (1) and, for every subject, the
    // sprites the view shows and its area selection acts on (1).
    FixedArray<uint8_t, kMaxSectors> pickedSectors{};
    FixedArray<uint8_t, kMaxSprites> sideViewSprites{};
    // Work space of the slice builder: one sector's crossings at a time.
    FixedArray<SectionCrossing, kMaxSectionCrossings> sectionCrossings{};

    // The measuring line of a Section: on while measureActive is 1, from the position and height
    // where it was started.
    uint8_t measureActive = 0;
    int32_t measureStartPos = 0;
    int32_t measureStartZ = 0;
};

}  // namespace korvel
