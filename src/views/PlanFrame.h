// What the plan-view painters of one frame share: the editor, its canvas, the plan-view
// transform in its painting form (the frame loop has added 400 and 300 pixels to the origin),
// the blink phase of selected objects, and the label box they all draw.
#pragma once

#include <cstdint>
#include <string>

#include "base/Mainm.h"
#include "ui/FrameBuffer.h"

namespace korvel {

struct Editor;
struct PlanWallLine;
struct PlanLabel;
struct SpriteDrawItem;

struct PlanFrame {
    Editor& ed;
    Canvas cv;
    double originX = 0, originY = 0, zoom = 1;
    int32_t frameTime = 0;
    bool blinkOn = false;  // selected objects count as highlighted in this frame

    int32_t column(double x) const { return safeFloor((x + originX) / zoom); }
    int32_t row(double y) const { return safeFloor((originY - y) / zoom); }
};

PlanFrame makePlanFrame(Editor& ed);

// The highlighted form of a colour setting.
constexpr uint8_t highlighted(uint8_t colour) {
    return uint8_t(colour + 2);
}
// A selected object is highlighted for the first 100 ms of every 200.
constexpr bool blinkPhaseOn(int32_t frameTime) {
    return frameTime % 200 < 100;
}

// The nearest integer, halves to the even neighbour, kept inside the 32-bit range (NaN: 0).
int32_t nearestInt(double v);
int32_t clampToInt32(int64_t v);

// Projects the start point of every wall into the plan-view state's screen tables.
void projectWallPoints(PlanFrame& pf);

// The label boxes: the text in the small font over a box of the given colour, centred on the
// anchor and cut at the sides of the map view.
void drawLabelBox(const PlanFrame& pf, const std::string& text, int64_t ax, int64_t ay,
                  int32_t boxColour);
void drawWallLabel(const PlanFrame& pf, const PlanWallLine& line, int32_t boxColour);
void drawSectorTagLabel(const PlanFrame& pf, const PlanLabel& label);
void drawSpriteLabel(const PlanFrame& pf, const SpriteDrawItem& item);

}  // namespace korvel
