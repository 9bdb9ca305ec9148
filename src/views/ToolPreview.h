// The tool preview: every frame the overlay lists are rebuilt from the current tool, its points
// and the hit point. For the shape tools the preview is also the construction: the next press
// builds the points it lists, so each tool's point layout is fixed here.
#pragma once

#include <cstdint>
#include <string>

#include "editing/DrawVertexList.h"
#include "editing/HoverState.h"
#include "editing/ToolState.h"
#include "map/MapStore.h"
#include "pages/ProfileEditor.h"
#include "ui/Languages.h"
#include "views/OverlayLists.h"

namespace korvel {

struct Editor;

// The parameters of the generator, profile and affine-grid tools, as their pages and settings
// hold them; scripts may have written any value.
struct ToolPreviewParams {
    int32_t reelC = 0, reelD = 0;
    int32_t arch1C = 0, arch2C = 0;
    int32_t sphere1C = 0, sphere2C = 0;
    int32_t terrainParamA = 0, terrainParamB = 0;
    const ContourSegment* contour = nullptr;  // contourCount entries, clamped to the capacity
    int32_t contourCount = 0;
    int32_t affineGridX1 = 0, affineGridY1 = 0;
    int32_t affineGridXx = 0, affineGridYx = 0, affineGridXy = 0, affineGridYy = 0;
};

// What a preview reads and writes. Several previews raise toolDetail to their minimum in the
// tool state itself, and the polygon arc may choose toolSecDetail, so the tool is not const.
struct ToolPreviewFrame {
    ToolState& tool;
    const DrawVertexList& points;
    const HoverState& hover;
    bool shiftHeld = false;
    bool ctrlHeld = false;
    const MapStore& map;
    uint8_t ceilingView = 0;
    const Languages& langs;
    OverlayLists& lists;
    std::string& cursorLabel;
    ToolPreviewParams params{};
};

// The dispatcher's entry: builds the current tool's preview for this frame, then the drag's.
void buildToolPreview(Editor& ed);
// The current tool's preview alone, from empty lists.
void buildToolPreview(ToolPreviewFrame& f);

// The circle of one radius (one point placed) or the star of two radii (two points placed), with
// the read-out message of each; toolDetail below 2 is raised to 2.
void buildCircleOrStarPreview(ToolPreviewFrame& f, int32_t oneRadiusMessage,
                              int32_t twoRadiiMessage);

// The stroke outline between (x1, y1) and (x2, y2), of width lineWidth with toolDetail steps
// round each end, into emptied lists. A toolDetail below 1 is raised to 1.
void buildStrokePreview(ToolPreviewFrame& f, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Stored y of a plan-view line: the map y negated (the one value without a negative is kept
// at the far end).
constexpr int32_t negatedY(int32_t y) {
    return y == INT32_MIN ? INT32_MAX : -y;
}

}  // namespace korvel
