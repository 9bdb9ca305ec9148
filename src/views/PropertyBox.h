// The property box: a two-column table of every field of one sector, wall or sprite, anchored at
// a map point of the plan view; its value rows are the input fields 191 and up.
#pragma once

#include <cstdint>

#include "ui/FrameBuffer.h"
#include "views/Projection.h"

namespace korvel {

struct Fonts;
struct Languages;
struct MapStore;

struct PropertyBoxInput {
    uint8_t kind = 0;  // PropertyBoxKind: 1 sector, 2 wall, 3 sprite
    int32_t object = 0;
    int32_t anchorX = 0, anchorY = 0;
    int32_t focusedField = -1;
    int32_t frameTime = 0;
};

// The first row id of the box; a sector or sprite box has 23 rows, a wall box 17.
constexpr int32_t kPropertyBoxFirstField = 191;

// Draws the box, clipped to the map view; nothing for an unknown kind or an object not in the
// map, or a box wholly outside the view.
void drawPropertyBox(const Canvas& cv, const Fonts& fonts, const Languages& langs,
                     const MapStore& map, const PlanProjection& view, const PropertyBoxInput& in);

}  // namespace korvel
