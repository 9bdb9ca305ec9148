// How a mouse drag turns pointer motion into an offset, a turn or a scale factor, and how a
// point is moved, turned or scaled by it. The drag preview and the commit at release share it,
// so the outline drawn while the button is held is where the objects land.
#pragma once

#include <cstdint>

#include "base/Mainm.h"

namespace korvel {

// Where a drag started, set by the press that starts it and read until the release.
struct DragState {
    // Vertex drags: the start point (on the side view dragStartY holds the start height) and
    // where the write-through of a single vertex last put it.
    int32_t dragStartX = 0, dragStartY = 0;
    int32_t lastDragTargetX = 0, lastDragTargetY = 0;
    // Sprite drags: the start (side view: position along the section and height) and the last
    // point a side-view selection move was taken from.
    int32_t spriteDragStartX = 0, spriteDragStartY = 0;
    int32_t spriteDragLastX = 0, spriteDragLastY = 0;
    // A sector drag flagged the sprites standing in the dragged sectors so they ride along; the
    // end of the drag clears those flags again.
    uint8_t sectorSpritesFlagged = 0;
};

// The offset of a move, wide enough for any two map points.
struct DragOffset {
    int64_t x = 0, y = 0;
    bool operator==(const DragOffset&) const = default;
};

// The point a move drag goes to: the hit point, or with axisLock only along the larger of the
// two motions from the start (a tie keeps the vertical motion).
IntPoint dragMoveTarget(IntPoint hit, IntPoint start, bool axisLock);
// dragMoveTarget minus start.
DragOffset dragMoveOffset(IntPoint hit, IntPoint start, bool axisLock);
// p shifted by the offset, each coordinate kept within +-2147483647.
IntPoint shiftPoint(IntPoint p, DragOffset offset);

// Pixels the pointer went up since the drag started (rows counted from the bottom).
int32_t dragVerticalMotion(int32_t mouseY, int32_t startMouseY);

// The turn of a vertical motion in 1/65536 of a turn, 0..65535: one degree per pixel, a
// downward motion just below a full turn; snap cuts it down to a multiple of 4096.
int32_t dragTurnAngle(int32_t dy, bool snap);
// p turned by theta about centre as the preview draws it: the direction rounded to 1/65536 of
// a turn and the distance cut to a whole unit.
IntPoint turnPointPreview(IntPoint centre, IntPoint p, int32_t theta);
// The same as the commit applies it: the direction unrounded, the distance to the nearest unit.
IntPoint turnPointCommit(IntPoint centre, IntPoint p, int32_t theta);

// The scale factor of a vertical motion: dy / 100 + 1, or with snap steps of 0.5 per 50 pixels.
// It may be 0 or negative (a mirror through the centre).
double dragScaleFactor(int32_t dy, bool snap);
// One coordinate scaled about c: c + floor((v - c) * s + 0.5), kept within +-2147483647.
int32_t scaleCoordinate(int32_t c, int32_t v, double s);
// p scaled about centre, per coordinate as scaleCoordinate.
IntPoint scalePoint(IntPoint centre, IntPoint p, double s);

// The centres turns and scales use: vertices the vertex drag start, sprites the sprite drag start.
IntPoint vertexDragCentre(const DragState& drag);
IntPoint spriteDragCentre(const DragState& drag);

// A double floored into +-2147483647 (0 for not-a-number).
int32_t clampedFloor(double v);

}  // namespace korvel
