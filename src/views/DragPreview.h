// The picture of a drag in progress: where the dragged vertices, sectors or sprites would land,
// appended to the overlay lists after the tool's preview, with its read-out beside the pointer.
#pragma once

#include <cstdint>
#include <string>

#include "base/Mainm.h"
#include "editing/HoverState.h"
#include "editing/ToolState.h"
#include "geometry/DragMath.h"
#include "map/MapStore.h"
#include "ui/Languages.h"
#include "views/OverlayLists.h"
#include "views/ViewState.h"

namespace korvel {

struct Editor;

// What a drag preview reads. The map and the drag state are written only by the write-through
// of a single vertex or sprite while realtimeUpdate is on.
struct DragPreviewFrame {
    MapStore& map;
    DragState& drag;
    const HoverState& hover;
    const ToolState& tool;  // the drag kind, the dragged sprite and the selection mode
    const Languages& langs;
    OverlayLists& lists;
    std::string& cursorLabel;
    int32_t mouseY = 0;
    int32_t dragStartMouseY = 0;
    bool shiftHeld = false;
    bool realtimeUpdate = false;
    bool sideView = false;
    bool leftButtonHeld = false;
    const SectionSlice* slices = nullptr;
    int32_t sliceCount = 0;
    IntPoint sectionStart{}, sectionEnd{};
    uint8_t sideViewSubjectKind = 0;
};

// Appends the drag's picture and sets its read-out; called after every tool preview build.
void buildDragPreview(DragPreviewFrame& f);
void buildDragPreview(Editor& ed);

}  // namespace korvel
