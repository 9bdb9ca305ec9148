// The plan view's and the side view's mapping between map units and screen pixels, as values
// built from the stored view for one frame (or one pick) and handed to whoever draws or picks.
// The stored view is never changed to paint with.
//
// Each caller keeps the exact arithmetic it has always used, since the pixels, the picks and the
// sparks a demo replays depend on the last bit: the painters move the origin to the screen's
// corner in single precision first (the corner form); sparks round the distance from the view's
// centre and add the centre to it (the centre form); the property box works in double throughout.
#pragma once

#include <cstdint>

#include "base/Mainm.h"
#include "ui/FrameBuffer.h"
#include "views/ViewState.h"

namespace korvel {

// Plan view: map point (x, y) lies at column (x + originX) / zoom + 400 and row from the bottom
// (originY - y) / zoom + 300; zoom is map units per pixel.
struct PlanProjection {
    explicit PlanProjection(const ViewState& view)
        : originX(view.viewOriginX),
          originY(view.viewOriginY),
          zoom(view.viewZoom),
          cornerX(view.viewOriginX + view.viewZoom * float(kViewCentreX)),
          cornerY(view.viewOriginY + view.viewZoom * float(kViewCentreY)) {}

    double originX, originY, zoom;
    // The origin moved by the half screen so that positions count from the lower left corner,
    // rounded to single precision as the painters have always had it.
    double cornerX, cornerY;

    // The painters' pixel of a map point, and its unrounded position.
    double columnExact(double x) const { return (x + cornerX) / zoom; }
    double rowExact(double y) const { return (cornerY - y) / zoom; }
    int32_t column(double x) const { return safeFloor(columnExact(x)); }
    int32_t row(double y) const { return safeFloor(rowExact(y)); }

    // Pixels from the view's centre, unrounded, and the pixel they give: floored, then moved
    // by the centre, or taken to the nearest pixel after the move.
    double fromCentreX(double x) const { return (x + originX) / zoom; }
    double fromCentreY(double y) const { return (originY - y) / zoom; }
    int32_t centredColumn(double x) const { return safeFloor(fromCentreX(x)) + kViewCentreX; }
    int32_t centredRow(double y) const { return safeFloor(fromCentreY(y)) + kViewCentreY; }
    int32_t nearestColumn(double x) const { return safeFloor(fromCentreX(x) + kViewCentreX + 0.5); }
    int32_t nearestRow(double y) const { return safeFloor(fromCentreY(y) + kViewCentreY + 0.5); }

    // The unrounded screen position in double throughout, the half screen added in map units.
    double screenX(double x) const { return (x + originX + kViewCentreX * zoom) / zoom; }
    double screenY(double y) const { return (originY - y + kViewCentreY * zoom) / zoom; }

    // Back from the screen: the map x at a column, and the map y negated at a row (picking
    // rounds before it negates).
    double mapX(double column) const { return (column - kViewCentreX) * zoom - originX; }
    double negatedMapY(double row) const { return (row - kViewCentreY) * zoom - originY; }

    // A length in map units as pixels.
    double pixels(double units) const { return units / zoom; }
};

// Side view: a position p along the section line and a height z (map units, 16 per pixel of
// height at scale 1) lie at column (p + originX) / scale + 400 and row
// (originZ - z / 16) / scale + 300.
struct SideProjection {
    explicit SideProjection(const ViewState& view)
        : originX(view.sideViewOriginX),
          originZ(view.sideViewOriginZ),
          scale(view.sideViewScale),
          alongLine(uint8_t(view.sideViewSubjectKind) >= uint8_t(SideViewSubjectKind::Wall)),
          x1(view.sideViewX1),
          y1(view.sideViewY1),
          x2(view.sideViewX2),
          y2(view.sideViewY2),
          cornerX(view.sideViewScale * float(kViewCentreX) + view.sideViewOriginX),
          cornerZ(view.sideViewScale * float(kViewCentreY) + view.sideViewOriginZ) {}

    double originX, originZ, scale;
    // A wall or a drawn section has a line to run along; a point or a sprite is one column.
    bool alongLine;
    int32_t x1, y1, x2, y2;
    // The origin moved by the half screen so that positions count from the lower left corner,
    // rounded to single precision as the side-view painters have it.
    double cornerX, cornerZ;

    // The painters' pixel of a position along the subject and of a height, and their unrounded
    // places.
    double columnExact(double p) const { return (p + cornerX) / scale; }
    double rowExact(double z) const { return (z / -16.0 + cornerZ) / scale; }
    int32_t column(double p) const { return safeFloor(columnExact(p)); }
    int32_t row(double z) const { return safeFloor(rowExact(z)); }

    // Where the point (x, y) lies along the section line: its foot point's distance from the
    // line's start, from the distances to both ends.
    double positionAlong(double x, double y) const {
        const double d1 = distDouble(x1, y1, x, y);
        const double d2 = distDouble(x2, y2, x, y);
        const double length = distDouble(x1, y1, x2, y2);
        return (d1 + length - d2) / 2;
    }

    double fromCentreX(double p) const { return (p + originX) / scale; }
    double fromCentreZ(double z) const { return (originZ - z / 16.0) / scale; }
    int32_t centredColumn(double p) const { return safeFloor(fromCentreX(p)) + kViewCentreX; }
    int32_t centredRow(double z) const { return safeFloor(fromCentreZ(z)) + kViewCentreY; }
    // The column of map point (x, y): along the line, or the middle column without one.
    int32_t pointColumn(double x, double y) const {
        return alongLine ? centredColumn(positionAlong(x, y)) : kViewCentreX;
    }
};

}  // namespace korvel
