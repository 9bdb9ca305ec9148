// What the plan-view painters of one frame share: the canvas, the projection of the frame, what
// they read of the editor's state (the map, settings, colours, hover, tool, fonts, tiles and
// the overlay lists), the per-frame lists they rebuild, and the blink phase of selected objects;
// and the label boxes they all draw.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/FrameBuffer.h"
#include "views/Projection.h"

namespace korvel {

struct Editor;
struct MapStore;
struct Settings;
struct ColorSettings;
struct HoverState;
struct ToolState;
struct Fonts;
struct TileStore;
struct TileCatalog;
struct OverlayLists;
struct PlanViewState;
struct PlanWallLine;
struct PlanLabel;
struct SpriteDrawItem;

struct PlanFrame {
    Canvas cv;
    PlanProjection view;
    const MapStore& map;
    const Settings& settings;
    const ColorSettings& colours;
    const HoverState& hover;
    const ToolState& tool;
    const Fonts& fonts;
    const TileStore& tiles;
    const TileCatalog& tileCatalog;
    const OverlayLists& overlays;
    PlanViewState& lists;  // rebuilt by the painters every frame
    int32_t frameTime = 0;
    bool blinkOn = false;  // selected objects count as highlighted in this frame
    // The editor, for the overlays that read its editing state (saved views, lights, region,
    // keys, property box, panels); none when the plan view is painted on its own.
    Editor* editor = nullptr;
};

// How far a vertex or sprite marker reaches from its centre: a point this far outside the map
// view still shows part of its marker.
constexpr int32_t kMarkerReach = 2;

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

// Projects the start point of every wall into the frame's screen tables.
void projectWallPoints(PlanFrame& pf);

// The label boxes: the text in the small font over a box of the given colour, centred on the
// anchor and cut at the sides of the map view.
void drawLabelBox(const Canvas& cv, const Fonts& fonts, std::string_view text, int64_t ax,
                  int64_t ay, int32_t boxColour);
void drawLabelBox(const PlanFrame& pf, std::string_view text, int64_t ax, int64_t ay,
                  int32_t boxColour);
void drawWallLabel(const PlanFrame& pf, const PlanWallLine& line, int32_t boxColour);
void drawSectorTagLabel(const PlanFrame& pf, const PlanLabel& label);
void drawSpriteLabel(const Canvas& cv, const Fonts& fonts, const SpriteDrawItem& item);
void drawSpriteLabel(const PlanFrame& pf, const SpriteDrawItem& item);

}  // namespace korvel
