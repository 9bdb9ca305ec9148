// The state the plan view reads, set up for painting it in tests without an editor: the
// generated fonts, a guarded screen, a distinct colour for every map colour setting, plain
// lines, no grid, and the view at zoom 1 with map point (0, 0) at column 400, row 300; the start
// position far out of sight.
#pragma once

#include <cstdint>
#include <memory>

#include "app/Settings.h"
#include "editing/HoverState.h"
#include "editing/ToolState.h"
#include "map/MapStore.h"
#include "resources/ColorTables.h"
#include "resources/TileCatalog.h"
#include "resources/TileStore.h"
#include "support/DrawFixtures.h"
#include "support/MapBuilder.h"
#include "ui/ColorSettings.h"
#include "ui/Fonts.h"
#include "ui/FrameBuffer.h"
#include "views/OverlayLists.h"
#include "views/PlanFrame.h"
#include "views/PlanViewState.h"
#include "views/ViewState.h"

namespace korvel::test {

// What the rig's screen holds before painting: no colour setting uses it.
constexpr uint8_t kBackdrop = 250;

struct PlanColours {
    static constexpr uint8_t sectorHighlight = 200, grid = 20, gridUnit = 24, service = 28,
                             start = 32, filtered = 36, hidden = 40, oneSided = 44, open = 48,
                             blocking = 52, halfBlocking = 56, vertex = 60, toolOverlay = 72,
                             sprite = 120, spriteBlocking = 132;
};

struct PlanViewRig {
    PlanViewRig();

    // Paints one frame at the given time the way the plan page does: the map prepared, then
    // painted with the stored view's projection, the screen cleared to the backdrop first.
    void paint(int32_t frameTime = 0, int32_t frameNumber = 0);
    // What the painters get in a frame at frameTime.
    PlanFrame frame();
    // Where map point (x, y) lands with the stored view.
    int32_t column(double x) const;
    int32_t row(double y) const;
    uint8_t& px(int32_t x, int32_t y) {
        return frameBuffer.screen[size_t(y) * kGuardedRowLength + size_t(x)];
    }
    bool guardsIntact() const;
    // Whether every pixel outside the map view still holds the backdrop.
    bool onlyMapViewTouched() const;

    uint8_t backdrop = kBackdrop;  // what paint clears the screen to
    int32_t frameTime = 0;

    // The editor's components the plan view reads or fills.
    FrameBuffer frameBuffer{kGuardedRowLength};
    std::unique_ptr<ColorTables> ownedColorTables = std::make_unique<ColorTables>();
    ColorTables& colorTables = *ownedColorTables;
    MapStore map;
    ViewState view;
    Settings settings;
    ColorSettings colorSettings;
    HoverState hover;
    ToolState tool;
    Fonts fonts;
    TileStore tiles;
    TileCatalog tileCatalog;
    OverlayLists overlays;
    PlanViewState planView;
    MapBuilder build{map};
};

}  // namespace korvel::test
