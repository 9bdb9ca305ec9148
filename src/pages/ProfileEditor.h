// The profile editor page: the profile of a sweep or a revolution as segments in a pane that pans
// and zooms; the pane's own mouse handling picks and drags the segments' corners and edges.
#pragma once

#include <array>
#include <cstdint>

#include "base/FixedArray.h"

namespace korvel {

struct Editor;

// One segment of the profile: a left point (x, z, z) and a right point (x, z, z).
struct ContourSegment {
    std::array<int32_t, 6> values;
};
constexpr int32_t kMaxContourSegments = 4096;

struct ProfileEditorState {
    FixedArray<ContourSegment, kMaxContourSegments> contour;
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
