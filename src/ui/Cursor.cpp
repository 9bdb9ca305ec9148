#include "ui/Cursor.h"

#include <cmath>

#include "app/InputState.h"
#include "base/Mainm.h"
#include "platform/Platform.h"
#include "ui/Skin.h"

namespace korvel {

namespace {

// A cursor picture in the skin and where it lies relative to the point it marks.
struct CursorImage {
    int16_t sx, sy, w, h;
    int16_t dx, dy;
};

constexpr CursorImage kArrow{0, 488, 17, 24, 0, -23};
constexpr CursorImage kCross[4] = {{18, 487, 25, 25, -12, -12},
                                   {18, 461, 25, 25, -12, -12},
                                   {18, 441, 25, 19, -12, -9},
                                   {18, 415, 25, 25, -12, -12}};
constexpr CursorImage kBusy{44, 488, 21, 24, 0, -23};
constexpr CursorImage kTextBeam{0, 470, 7, 17, -3, -8};
constexpr CursorImage kValueDrag{0, 452, 17, 17, -8, -8};
constexpr CursorImage kHorizontalHandle{18, 405, 25, 9, -12, -4};
constexpr CursorImage kVerticalHandle{0, 426, 9, 25, -4, -12};
constexpr CursorImage kBadgeAreaAdd{44, 476, 11, 11, 2, -13};
constexpr CursorImage kBadgeAreaToggle{44, 464, 11, 11, 2, -13};

// The shadow lies three pixels right of and below the picture.
constexpr int32_t kShadowDx = 3, kShadowDy = -3;

int32_t wrapAdd(int64_t a, int64_t b) {
    return wrap32(a + b);
}

void drawImage(const Canvas& cv, const Skin& skin, const CursorImage& img, const InputState& in,
               const CursorOptions& options, int64_t trailLength, int32_t colourOffset) {
    const int32_t mx = in.mouseX, my = in.mouseY;
    if (options.pointerShadow)
        blitSkinShade(cv, skin, wrapAdd(mx, img.dx + kShadowDx), wrapAdd(my, img.dy + kShadowDy),
                      img.sx, img.sy, img.w, img.h);
    if (trailLength == 0) {
        blitSkinTransparentShifted(cv, skin, wrapAdd(mx, img.dx), wrapAdd(my, img.dy), img.sx,
                                   img.sy, img.w, img.h, colourOffset);
        return;
    }
    // The faster the mouse, the fainter the copies.
    const int32_t type = trailLength <= 4 ? 3 : trailLength <= 32 ? 2 : 1;
    for (int64_t s = 0; s <= trailLength; s += 4) {
        const int32_t t = int32_t(256 + 256 * s / trailLength);
        const int32_t ax = quadInterp(in.prevMouseX2, in.prevMouseX, mx, t);
        const int32_t ay = quadInterp(in.prevMouseY2, in.prevMouseY, my, t);
        blitSkinTranslucent(cv, skin, wrapAdd(ax, img.dx), wrapAdd(ay, img.dy), img.sx, img.sy,
                            img.w, img.h, colourOffset, type);
    }
}

// Moves the sampled pointer to a row (counted from the bottom) and the system pointer with it,
// unless a demo plays: the decision and the new row come from the sampled position alone, so a
// replay wraps exactly where the recording did, whatever the window's size. The previous row
// follows so no trail spans the jump, and the drag start moves by the distance jumped, so the
// distance dragged so far is kept.
void jumpToRow(InputState& in, int32_t& dragStartMouseY, Platform& platform, bool movePointer,
               int32_t px, int32_t mouseY) {
    const int32_t before = in.mouseY;
    if (movePointer) platform.warpPointer(px, kScreenHeight - 1 - mouseY);
    in.mouseY = mouseY;
    in.prevMouseY = mouseY;
    dragStartMouseY = wrap32(int64_t(dragStartMouseY) + in.mouseY - before);
}

void wrapPointer(InputState& in, int32_t& dragStartMouseY, Platform& platform, bool movePointer) {
    const int32_t px = in.mouseX;
    // From the top row to the second row from the bottom, and from the bottom row to the second
    // from the top.
    if (in.mouseY >= kScreenHeight - 1)
        jumpToRow(in, dragStartMouseY, platform, movePointer, px, 1);
    if (in.mouseY <= 0)
        jumpToRow(in, dragStartMouseY, platform, movePointer, px, kScreenHeight - 2);
}

const CursorImage& shapeImage(CursorShape shape) {
    switch (shape) {
        case CursorShape::Busy:
            return kBusy;
        case CursorShape::TextBeam:
            return kTextBeam;
        case CursorShape::ValueDrag:
            return kValueDrag;
        case CursorShape::HorizontalHandle:
            return kHorizontalHandle;
        case CursorShape::VerticalHandle:
            return kVerticalHandle;
        default:
            return kArrow;
    }
}

}  // namespace

MapCursorVariant mapCursorVariant(const MapCursorInputs& in) {
    // The transform tools drag their own handles, not the selection.
    if (in.currentTool == Tool::TransformBySegments || in.currentTool == Tool::QuadWarp1 ||
        in.currentTool == Tool::QuadWarp2)
        return MapCursorVariant::Plain;
    int32_t v = 0;
    if (in.draggedSprite >= 0) v = 2;
    if (in.movedWallCount == kAllWallsMarked)
        v = 1;
    else if (in.movedWallCount > 0)
        v = 2;

    const bool allMoving = in.movedWallCount == kAllWallsMarked;
    switch (in.selectionMode) {
        case SelectionMode::Sprites:
            if (in.hoveredSprite >= 0 && in.hoveredSpriteSelected) v = 1;
            break;
        case SelectionMode::Vertices:
            if (in.hoveredVertex >= 0 && in.hoveredVertexSelected) v = 1;
            break;
        case SelectionMode::Sectors:
            if (in.hoveredSector >= 0 && (in.hoveredSectorSelected || allMoving)) v = 1;
            break;
        case SelectionMode::Loops:
            if (in.hoveredWall >= 0 && (in.hoveredWallSelected || allMoving)) v = 1;
            break;
        case SelectionMode::SpritesAndVertices:
            if (in.hoveredVertex >= 0) {
                if (in.hoveredVertexSelected) v = 1;
            } else if (in.hoveredSprite >= 0 && in.hoveredSpriteSelected) {
                v = 1;
            }
            break;
        default:
            break;
    }

    if (in.ctrlHeld) {
        bool anySelected = false;
        switch (in.selectionMode) {
            case SelectionMode::Sprites:
                anySelected = in.selectedSpriteCount > 0;
                break;
            case SelectionMode::Vertices:
                anySelected = in.selectedVertexCount > 0;
                break;
            case SelectionMode::Sectors:
                anySelected = in.selectedSectorCount > 0;
                break;
            case SelectionMode::Loops:
                anySelected = in.selectedLoopCount > 0;
                break;
            case SelectionMode::SpritesAndVertices:
                anySelected = in.selectedVertexCount > 0 || in.selectedSpriteCount > 0;
                break;
            default:
                break;
        }
        if (anySelected) v = 1;
    }
    if (in.currentPage > Page::SideView) v = 0;
    if (v == 0) return MapCursorVariant::Plain;

    const bool both = in.selectionMode == SelectionMode::SpritesAndVertices;
    if (v == 2 && both && in.draggedSprite != kAllWallsMarked && !allMoving)
        return MapCursorVariant::Move;
    if (in.shiftHeld && !in.ctrlHeld && !both && in.draggedSprite == -1 && in.movedWallCount == 0)
        return MapCursorVariant::Plain;
    switch (in.dragKind) {
        case DragKind::Move:
            return MapCursorVariant::Move;
        case DragKind::Rotate:
            return in.currentPage == Page::PlanView ? MapCursorVariant::Rotate
                                                    : MapCursorVariant::Plain;
        case DragKind::Scale:
            return in.currentPage == Page::PlanView ? MapCursorVariant::Scale
                                                    : MapCursorVariant::Plain;
        case DragKind::Free:
            break;
    }
    return MapCursorVariant::Plain;
}

int32_t quadInterp(int32_t p, int32_t q, int32_t r, int32_t t) {
    // 128-bit so that no argument can overflow; within the screen the values are small.
    using Wide = __int128;
    const Wide T = t;
    const Wide a = ((Wide(p) * (T - 256)) / 256) * (T - 512) / 512;
    const Wide b = ((Wide(q) * T) / 256) * (T - 512) / 256;
    const Wide c = ((Wide(r) * T) / 512) * (T - 256) / 256;
    return int32_t(uint32_t(uint64_t(a - b + c)));
}

void drawCursor(const Canvas& cv, const Skin& skin, const CursorState& cursor,
                const CursorOptions& options, const MapCursorInputs& map, InputState& input,
                int32_t& dragStartMouseY, Platform& platform) {
    int64_t trail = 0;
    if (options.pointerInterpolation) {
        const double dx = double(input.prevMouseX) - input.mouseX;
        const double dy = double(input.prevMouseY) - input.mouseY;
        trail = safeFloor(std::sqrt(dx * dx + dy * dy));
    }
    if (cursor.cursorShape == CursorShape::ValueDrag)
        wrapPointer(input, dragStartMouseY, platform, options.moveSystemPointer);

    if (cursor.cursorShape != CursorShape::MapCross) {
        drawImage(cv, skin, shapeImage(cursor.cursorShape), input, options, trail,
                  cursor.cursorColor);
        return;
    }
    drawImage(cv, skin, kCross[int(mapCursorVariant(map))], input, options, trail,
              cursor.cursorColor);
    // The area badges belong to the single-kind selection modes of the plan and side views.
    if (map.selectionMode >= SelectionMode::SpritesAndVertices ||
        (map.currentPage != Page::PlanView && map.currentPage != Page::SideView))
        return;
    if (map.shiftHeld && map.areaSelectLatch)
        drawImage(cv, skin, kBadgeAreaAdd, input, options, trail, 0);
    if ((map.ctrlHeld && map.areaSelectLatch) || (map.shiftHeld && !map.areaSelectLatch))
        drawImage(cv, skin, kBadgeAreaToggle, input, options, trail, 0);
}

}  // namespace korvel
