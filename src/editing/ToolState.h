// The plan editor's tool state that the frame loop and the pages read: the selection mode and the
// tool with their values of the previous frame, and the drag and drawing parameters the editing
// commands start from.
#pragma once

#include <cstdint>

#include "editing/Tool.h"
#include "geometry/SectorBooleans.h"
#include "map/Selection.h"

namespace korvel {

struct ToolState {
    SelectionMode selectionMode = SelectionMode::SpritesAndVertices;
    SelectionMode previousSelectionMode = SelectionMode::SpritesAndVertices;
    // Bit 0 always, and bit m + 1 for the selection layers m = 0..5 (updateSelectionLayerMask).
    uint8_t selectionModeMask = 0;
    Tool currentTool = Tool::Idle;
    Tool previousTool = Tool::Idle;
    DragKind dragKind = DragKind::Move;
    BooleanMode booleanMode = BooleanMode::Join;
    uint8_t selAreaMode = 0;
    int32_t draggedSprite = -1;
    int32_t toolDetail = 6;
    int32_t toolSecDetail = 16;
    int32_t lineWidth = 256;
    int32_t shadeLightHeight = 32;
    double affineGridStep = 1.0;
    int32_t lightPlaneSector = -1;  // the cached light plane, -1 none
    uint8_t lightPlaneSide = 255;

    // The drawing tool: what the polygon becomes (a DrawMode value, decided at its first point)
    // and the sector it is drawn in or adds a loop to; the tangent-arc option; the arc's step
    // count chosen by the arc itself; an operation feeding an outline; a boolean operation
    // waiting for the shape; a rip that cuts every sector first.
    int32_t toolDrawMode = -1;
    int32_t toolTargetSector = 0;
    uint8_t toolAltMode = 0;
    uint8_t toolDetailLocked = 0;
    uint8_t tracingToTool = 0;
    uint8_t booleanPending = 0;
    uint8_t ripCutsAll = 0;
    // The fillet distance the vertex-rounding preview chose, for the further selected vertices.
    double curveBendDistance = 0;
};

// selectionModeMask from selectionMode.
inline void updateSelectionLayerMask(ToolState& t) {
    const auto mode = int32_t(t.selectionMode);
    t.selectionModeMask = uint8_t(1u | (mode >= 0 && mode <= 5 ? 1u << (mode + 1) : 0u));
}

}  // namespace korvel
