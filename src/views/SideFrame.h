// What the side-view painters of one frame share: the canvas, the projection of the frame, the
// subject with its slices and flags, what they read of the editor's state, the sprite draw list
// they rebuild, the random generator the area box draws from and the blink phase; and the small
// rules every layer of the side view applies.
#pragma once

#include <cstdint>

#include "ui/FrameBuffer.h"
#include "views/Projection.h"
#include "views/ViewState.h"

namespace korvel {

struct MapStore;
struct Settings;
struct ColorSettings;
struct HoverState;
struct ToolState;
struct DispatchState;
struct InputState;
struct AppState;
struct Fonts;
struct Skin;
struct Languages;
struct TileStore;
struct TileCatalog;
struct OverlayLists;
struct PlanViewState;
struct Random;

struct SideFrame {
    Canvas cv;
    SideProjection view;
    ViewState& side;  // subject, slices (their heights refreshed each frame) and flags
    const MapStore& map;
    const Settings& settings;
    const ColorSettings& colours;
    const HoverState& hover;
    const ToolState& tool;
    const DispatchState& dispatch;  // the area selection being dragged
    const InputState& input;        // the pointer and the crosshair key
    const AppState& app;            // the pad button under the pointer, the pointer text
    const Fonts& fonts;
    const Skin& skin;
    const Languages& langs;
    const TileStore& tiles;
    const TileCatalog& tileCatalog;
    const OverlayLists& overlays;
    PlanViewState& lists;  // the sprite draw list, rebuilt every frame
    Random& random;
    int32_t frameTime = 0;
    bool blinkOn = false;  // selected objects count as highlighted in this frame
};

// A point or a sprite is viewed as one column; a wall or a drawn section along its line.
inline bool isPointSubject(const ViewState& view) {
    return view.sideViewSubjectKind == SideViewSubjectKind::Point ||
           view.sideViewSubjectKind == SideViewSubjectKind::Sprite;
}

// The nearest integer, halves to the even neighbour; 0 for what safeFloor refuses (not a number,
// beyond plus or minus 2.1e9).
int32_t nearestPixel(double v);

// The wall behind w when w is a consistent two-sided wall: its nextwall and nextsector name a
// wall and a sector of the map, and that wall belongs to a sector. Otherwise -1: the side view
// shows w as one-sided.
int32_t sideWallTwin(const MapStore& map, int32_t w);

// The subject wall when it still is one: below the wall count, its end a wall, its sector known.
// Otherwise -1.
int32_t sideSubjectWall(const MapStore& map, const ViewState& view);

}  // namespace korvel
