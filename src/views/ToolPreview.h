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
#include "ui/Languages.h"
#include "views/OverlayLists.h"

namespace korvel {

struct Editor;

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
};

// The dispatcher's entry: builds the current tool's preview for this frame, then the drag's.
void buildToolPreview(Editor& ed);
// The current tool's preview alone, from empty lists.
void buildToolPreview(ToolPreviewFrame& f);

// The stroke outline between (x1, y1) and (x2, y2), of width lineWidth with toolDetail steps
// round each end, into emptied lists. A toolDetail below 1 is raised to 1.
void buildStrokePreview(ToolPreviewFrame& f, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// Stored y of a plan-view line: the map y negated (the one value without a negative is kept
// at the far end).
constexpr int32_t negatedY(int32_t y) {
    return y == INT32_MIN ? INT32_MAX : -y;
}

}  // namespace korvel
