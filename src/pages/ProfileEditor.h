// The profile editor page: the profile of a sweep or a revolution as segments in a pane that pans
// and zooms; the pane's own mouse handling picks and drags the segments' corners and edges.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Editor;
struct Fonts;
struct Languages;
struct Skin;

constexpr int32_t kContourCapacity = 4096;

// One segment of the profile: the distances of its two edges from the sweep line or the revolve
// axis (map units) with the floor (zA) and ceiling (zB) heights at each (BUILD z units).
struct ContourSegment {
    int32_t leftX = 0, leftZA = 0, leftZB = 0;
    int32_t rightX = 0, rightZA = 0, rightZB = 0;
};
// A segment's values in the order of the page's fields.
inline constexpr int32_t ContourSegment::*kContourFields[6] = {
    &ContourSegment::leftX,  &ContourSegment::leftZA,  &ContourSegment::leftZB,
    &ContourSegment::rightX, &ContourSegment::rightZA, &ContourSegment::rightZB};

struct ProfileEditorState {
    int32_t profileZoom = 16;
    int32_t profilePanX = 0, profilePanY = 0;
    std::vector<ContourSegment> contour = std::vector<ContourSegment>(kContourCapacity);
    int32_t contourCount = 0;
    int32_t contourSelected = -1;
    uint8_t profileToolKind = 0;  // what the page's start button starts: 0 sweep, 1 revolve
    // The pane's mouse: the pan anchor, the handle nearest the pointer and the one being dragged
    // (segment and handle, -1 none), and where the drag was last frame.
    int32_t profilePanAnchorX = 0, profilePanAnchorY = 0;
    int32_t profileNearSlice = -1, profileNearHandle = -1;
    int32_t profileDragSlice = -1, profileDragHandle = -1;
    int32_t profileLastDragX = 0, profileLastDragY = 0;
};

// What the painter reads besides the page's own state.
struct ProfilePaintInput {
    const Canvas& cv;
    const Fonts& fonts;
    const Languages& langs;
    const Skin& skin;
    int32_t gridSpacing = 0;
    int32_t hoveredWidget = 0;
};
// The counters, the grid and axes, the filled segments with their outlines and handles, and
// the two pan bars.
void paintProfileEditor(const ProfilePaintInput& in, const ProfileEditorState& p);

// Painter of the page.
void drawProfileEditor(Editor& ed);
// The pane's mouse, every frame on the page after the panel widgets had it.
void editProfilePanel(Editor& ed);

}  // namespace korvel
