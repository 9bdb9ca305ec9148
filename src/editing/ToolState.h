// The plan editor's tool state that the frame loop and the pages read: the selection mode and the
// tool with their values of the previous frame, and the drag and drawing parameters the editing
// commands start from.
#pragma once

#include <cstdint>

#include "map/Selection.h"

namespace korvel {

struct ToolState {
    uint8_t selectionMode =  // SelectionMode
        uint8_t(SelectionMode::SpritesAndVertices);
    uint8_t previousSelectionMode = uint8_t(SelectionMode::SpritesAndVertices);
    int32_t currentTool = 0;  // Tool, 0..35
    int32_t previousTool = 0;
    int32_t dragKind = 1;  // 0 free, 1 move, 2 rotate, 3 scale
    int32_t booleanMode = 2;
    uint8_t selAreaMode = 0;
    int32_t draggedSprite = -1;
    int32_t toolDetail = 6;
    int32_t toolSecDetail = 16;
    int32_t lineWidth = 256;
    int32_t shadeLightHeight = 32;
    double affineGridStep = 1.0;
    int32_t lightPlaneSector = -1;  // the cached light plane, -1 none
    uint8_t lightPlaneSide = 255;
};

}  // namespace korvel
