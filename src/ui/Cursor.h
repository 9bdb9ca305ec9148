// The software mouse cursor: the chosen shape drawn from the skin at the mouse position, with an
// optional shadow and a trail along a curve through the last three positions, the variant of the
// map cross picked from the editing state, and the pointer wrap that lets a value drag go on past
// the top and bottom of the screen.
#pragma once

#include <cstdint>

#include "editing/Tool.h"
#include "map/MapStore.h"
#include "map/Selection.h"
#include "pages/Page.h"
#include "ui/FrameBuffer.h"

namespace korvel {

class Platform;
struct InputState;
struct Skin;

enum class CursorShape : uint8_t {
    Arrow = 0,
    MapCross = 1,
    Busy = 2,
    TextBeam = 3,
    ValueDrag = 4,
    HorizontalHandle = 5,
    VerticalHandle = 6,
};

// What the input dispatcher chooses each frame for drawCursor.
struct CursorState {
    CursorShape cursorShape = CursorShape::Arrow;
    uint8_t cursorColor = 0;  // colour offset added to the shape's skin pixels
};

// The configuration switches "mpshadow" and "mpinterp".
struct CursorOptions {
    bool pointerShadow = false;
    bool pointerInterpolation = false;
    // The value-drag wrap moves the system pointer too (not while a demo plays).
    bool moveSystemPointer = true;
};

// Variants of the map cross.
enum class MapCursorVariant : uint8_t { Plain = 0, Move = 1, Rotate = 2, Scale = 3 };

// The editing state the map cross depends on, filled each frame from the map and tool state.
struct MapCursorInputs {
    Page currentPage = Page::PlanView;
    Tool currentTool = Tool::Idle;
    SelectionMode selectionMode = SelectionMode::Sprites;
    int32_t draggedSprite = -1;
    int32_t movedWallCount = 0;  // kAllWallsMarked while the whole selection moves
    DragKind dragKind = DragKind::Free;
    bool shiftHeld = false;
    bool ctrlHeld = false;
    bool areaSelectLatch = false;
    // Hovered objects (-1 none) and whether each is selected.
    int32_t hoveredSprite = -1, hoveredVertex = -1, hoveredSector = -1, hoveredWall = -1;
    bool hoveredSpriteSelected = false, hoveredVertexSelected = false;
    bool hoveredSectorSelected = false, hoveredWallSelected = false;
    // Selection counts of the modes.
    int32_t selectedSpriteCount = 0, selectedVertexCount = 0;
    int32_t selectedSectorCount = 0, selectedLoopCount = 0;
};

MapCursorVariant mapCursorVariant(const MapCursorInputs& in);

// Integer quadratic through (0, p), (256, q), (512, r), evaluated at t.
int32_t quadInterp(int32_t p, int32_t q, int32_t r, int32_t t);

// Draws the cursor into the screen. For CursorShape::ValueDrag a pointer at the top or bottom row
// is moved to the other end through the platform; mouseX, mouseY and prevMouseY are read again
// and dragStartMouseY moves by the same distance, so the drag goes on without a jump.
void drawCursor(const Canvas& cv, const Skin& skin, const CursorState& cursor,
                const CursorOptions& options, const MapCursorInputs& map, InputState& input,
                int32_t& dragStartMouseY, Platform& platform);

}  // namespace korvel
