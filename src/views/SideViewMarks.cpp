#include "views/SideViewMarks.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/AppState.h"
#include "app/InputState.h"
#include "app/Settings.h"
#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "editing/DispatchState.h"
#include "editing/HoverState.h"
#include "ui/ColorSettings.h"
#include "ui/Languages.h"
#include "ui/Raster.h"
#include "ui/Text.h"
#include "views/OverlayLists.h"
#include "views/SideFrame.h"
#include "views/ViewMarks.h"

namespace korvel {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int32_t kCrosshairKey = 96;  // keypad 0

// The shortest decimal that reads back as the same single-precision number, never with an
// exponent or a trailing ".0".
std::string singleText(float v) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed);
    if (result.ec != std::errc()) return "0";
    return std::string(text, result.ptr);
}

void drawMeasure(const SideFrame& sf) {
    const ViewState& v = sf.side;
    const HoverState& h = sf.hover;
    const SideProjection& view = sf.view;
    const int32_t x1 = view.column(v.measureStartPos), y1 = view.row(v.measureStartZ);
    const int32_t x2 = view.column(h.sideHitPos), y2 = view.row(h.hitPointZ);
    const uint8_t colour = sf.colours.colorMeasure;
    drawLineMapView(sf.cv, x1, y1, x2, y2, colour);
    drawSquareMarker(sf.cv, x1, y1, colour);
    drawSquareMarker(sf.cv, x2, y2, colour);
    const float along = float(int64_t(h.sideHitPos) - v.measureStartPos);
    const float height = float(int64_t(h.hitPointZ) - v.measureStartZ);
    drawSmallTextMapClipped(sf.cv, sf.fonts, measureText(sf, along, height), x2 + 4, y2 + 3,
                            colour);
}

void drawOverlayLists(const SideFrame& sf) {
    const OverlayLists& o = sf.overlays;
    const SideProjection& view = sf.view;
    const uint8_t colour = sf.colours.colorToolOverlay;
    for (int32_t i = 0, n = std::clamp(o.overlayLineCount, 0, kOverlayCapacity); i < n; ++i) {
        const OverlayLine& l = o.overlayLines[i];
        drawDottedLineMapView(sf.cv, view.column(l.x1), view.row(l.y1), view.column(l.x2),
                              view.row(l.y2), colour, l.kind);
    }
    for (int32_t i = 0, n = std::clamp(o.overlayPointCount, 0, kOverlayCapacity); i < n; ++i) {
        const OverlayPoint& p = o.overlayPoints[i];
        drawSquareMarker(sf.cv, view.column(p.x), view.row(p.y), colour);
    }
}

// A corner of the area box: a position along the subject and a height, from the view's middle.
void areaCorner(const SideFrame& sf, int32_t pos, int32_t z, int32_t& x, int32_t& y) {
    const ViewState& v = sf.side;
    const double scale = v.sideViewScale;
    x = int32_t(int64_t(safeFloor((v.sideViewOriginX + double(pos)) / scale)) + kViewCentreX);
    y = int32_t(int64_t(safeFloor((v.sideViewOriginZ - z / 16.0) / scale)) + kViewCentreY);
}

}  // namespace

std::string measureText(const SideFrame& sf, float along, float heightZ) {
    const float dz = heightZ / 16;
    const int32_t distance = safeFloor(std::sqrt(along * along + dz * dz));
    const double turn = angleOfSingle(0, 0, -along, -dz) * 1024 / kPi + 512;
    float angle = float(safeFloor(turn * 10 + 0.5) * 0.1);
    if (angle >= 2048) angle -= 2048;
    return getMessage(kMsgMeasure, sf.langs, singleText(float(distance)), singleText(angle));
}

void drawSideViewMarks(const SideFrame& sf) {
    const ViewState& v = sf.side;
    const HoverState& h = sf.hover;
    const SideProjection& view = sf.view;
    if (v.sideViewSubjectKind == SideViewSubjectKind::Section && v.measureActive) drawMeasure(sf);
    drawOverlayLists(sf);
    if (sf.input.keyStates[kCrosshairKey] < 0)
        drawCrosshair(sf.cv, view.column(h.sideMousePos), view.row(h.sideMouseZ));
    drawPointerText(sf.cv, sf.fonts, sf.app.cursorLabel, sf.input.mouseX, sf.input.mouseY,
                    sf.colours.colorToolOverlay);
    if (sf.dispatch.areaSelectLatch) {
        int32_t ax, ay, bx, by;
        areaCorner(sf, h.sideHitPos, h.hitPointZ, ax, ay);
        areaCorner(sf, sf.dispatch.areaAnchorX, sf.dispatch.areaAnchorY, bx, by);
        drawAreaSelectBox(sf.cv, sf.random, bx, by, ax, ay);
    }
    if (sf.settings.snapToGrid)
        drawSnapMark(sf.cv, view.column(h.sideHitPos), view.row(h.hitPointZ),
                     sf.colours.colorGuideLabel);
}

}  // namespace korvel
