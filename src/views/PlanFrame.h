// What the plan-view painters of one frame share: the canvas, the projection of the frame, what
// they read of the editor's state (the map, settings, colours, hover, tool, fonts, tiles and
// the overlay lists), the per-frame lists they rebuild, and the blink phase of selected objects;
// and the label boxes they all draw.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "ui/FrameBuffer.h"
#include "views/NearPoints.h"
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
// Inline, for the fills call it for every crossing of every row.
inline int32_t nearestInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
#if defined(__SSE2__)
    // Rounds in the current rounding mode, as nearbyint does; v fits the 32 bits here.
    return _mm_cvtsd_si32(_mm_set_sd(v));
#else
    return int32_t(std::nearbyint(v));
#endif
}
int32_t clampToInt32(int64_t v);

// The map view widened by a margin, in map units: a point placed beyond one of its edges
// projects beyond the same edge of the map view by more than the margin. Points whose pixel
// would leave the 32-bit range are placed beyond no edge, so that they take the exact
// projection. Without bounds (invalid) when the projection cannot be turned around that
// exactly: every point is then beyond no edge.
struct MapWindow {
    bool valid = false;
    // Beyond the left edge: x < left and x > farLeft; and so on.
    int64_t left = 0, farLeft = 0, right = 0, farRight = 0;
    int64_t below = 0, farBelow = 0, above = 0, farAbove = 0;
    // No 32-bit coordinate lies beyond a far bound: sidesNear gives the same as sidesOf.
    bool farUnreachable = false;

    uint8_t sidesOf(int32_t x, int32_t y) const {
        if (!valid) return 0;
        const int64_t px = x, py = y;
        const uint32_t l = uint32_t(px < left) & uint32_t(px > farLeft);
        const uint32_t r = uint32_t(px > right) & uint32_t(px < farRight);
        const uint32_t b = uint32_t(py > below) & uint32_t(py < farBelow);
        const uint32_t a = uint32_t(py < above) & uint32_t(py > farAbove);
        return uint8_t(l | r << 1 | b << 2 | a << 3);
    }
    // The same tests as sidesNear on 32-bit numbers; false when an edge lies so far out that
    // every 32-bit coordinate is beyond it, or sidesNear does not apply.
    bool nearLimits(NearLimits& out) const;
    // For a valid window whose far bounds are unreachable.
    uint8_t sidesNear(int32_t x, int32_t y) const {
        const int64_t px = x, py = y;
        return uint8_t(uint32_t(px < left) | uint32_t(px > right) << 1 | uint32_t(py > below) << 2 |
                       uint32_t(py < above) << 3);
    }
};
MapWindow mapWindowOf(const PlanProjection& view, double marginPixels);

// The bits eight points' sides share: the eight bytes of one word and-ed together.
inline uint8_t sharedOfEight(uint64_t eight) {
    eight &= eight >> 32;
    eight &= eight >> 16;
    eight &= eight >> 8;
    return uint8_t(eight);
}

// Whether a sector's start points may span part of the map view, from the frame's sides of
// the n wall points (PlanViewState::wallSides): not when they all lie beyond one edge, nor
// without walls. projectSectorWalls asks this first; a walk over many sectors that draws few
// may ask it before.
inline bool sectorMayShow(const uint8_t* sides, int32_t n, int32_t wallptr, int32_t wallnum) {
    constexpr uint8_t kBeyond = 15;  // beyond any of the four edges
    const int32_t first = wallptr, walls = wallnum;
    if (first >= 0 && walls > 0 && walls <= 8 && first + 8 <= n) {
        // A room of up to eight walls: its points' sides read at once, the bytes past its last
        // wall counted as beyond every edge.
        uint64_t eight;
        std::memcpy(&eight, sides + first, sizeof eight);
        eight |= walls == 8 ? 0 : ~uint64_t(0) << (8 * walls);
        return (sharedOfEight(eight) & kBeyond) == 0;
    }
    const int32_t end = std::min(first + walls, n);
    int32_t at = std::max(first, 0);
    if (at >= end) return false;
    // The edges all the points lie beyond, eight points at a time while a common edge remains.
    uint8_t beyond = kBeyond;
    for (; at + 8 <= end && beyond != 0; at += 8) {
        uint64_t eight;
        std::memcpy(&eight, sides + at, sizeof eight);
        beyond &= sharedOfEight(eight);
    }
    for (; at < end && beyond != 0; ++at) beyond &= sides[at];
    return beyond == 0;
}

// Projects the start points of the walls whose line or mark can reach into the map view into
// the frame's screen tables, with their end points, and lists those walls in nearWalls.
void projectWallPoints(PlanFrame& pf);
// Whether the sector's start points may span part of the map view; if so, its walls and their
// end points are projected too (once per projectWallPoints). Sectors that give false must not
// have their walls' screen points read.
bool projectSectorWalls(PlanFrame& pf, int32_t sector);

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
