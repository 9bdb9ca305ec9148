// The profile editor page: the profile of a sweep or a revolution as segments in a pane that pans
// and zooms; the pane's own mouse handling picks and drags the segments' corners and edges.
#pragma once

#include <cstdint>

#include "base/FixedArray.h"

namespace korvel {

struct Editor;

// One segment of the profile: the quadrilateral between its left and right edges, each edge
// with a lower height zA (the floor of the sector built for it) and an upper height zB (its
// ceiling). x is a distance in map units from the sweep line or the revolve axis.
struct ContourSegment {
    int32_t leftX, leftZA, leftZB;
    int32_t rightX, rightZA, rightZB;
};
static_assert(sizeof(ContourSegment) == 24);
constexpr int32_t kContourCapacity = 4096;

struct ProfileEditorState {
    FixedArray<ContourSegment, kContourCapacity> contour;
    int32_t profileZoom = 16;
    int32_t profilePanX = 0, profilePanY = 0;
    int32_t contourCount = 0;
    int32_t contourSelected = -1;
};

// Painter of the page.
void drawProfileEditor(Editor& ed);
// The pane's mouse, every frame on the page after the panel widgets had it.
void editProfilePanel(Editor& ed);

}  // namespace korvel
