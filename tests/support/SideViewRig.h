// The state the side view reads, set up for painting it in tests without an editor: the
// generated fonts, a guarded screen, a distinct colour for every map colour setting, plain lines,
// no grid, no snap mark, and the view at scale 1 with position 0 and height 0 at column 400, row
// 300; the start position far out of sight. The skin holds value 10 in the pad buttons'
// rectangles, so that a button shows as 10 plus its shift.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "app/AppState.h"
#include "app/InputState.h"
#include "app/Settings.h"
#include "base/Random.h"
#include "editing/DispatchState.h"
#include "editing/HoverState.h"
#include "editing/ToolState.h"
#include "map/MapStore.h"
#include "resources/ColorTables.h"
#include "resources/TileCatalog.h"
#include "resources/TileStore.h"
#include "support/DrawFixtures.h"
#include "support/MapBuilder.h"
#include "support/PlanViewRig.h"
#include "ui/ColorSettings.h"
#include "ui/Fonts.h"
#include "ui/FrameBuffer.h"
#include "ui/Languages.h"
#include "ui/Skin.h"
#include "views/OverlayLists.h"
#include "views/PlanViewState.h"
#include "views/SideFrame.h"
#include "views/ViewState.h"

namespace korvel::test {

// Colours the plan rig does not set.
struct SideColours {
    static constexpr uint8_t guideLabel = 76, measure = 84;
};
// What a pad button's skin pixels hold.
constexpr uint8_t kPadSkinValue = 10;

struct SideViewRig {
    SideViewRig();

    // Paints one frame at the given time as the side page does, the screen cleared first.
    void paint(int32_t frameTime = 0, int32_t frameNumber = 0);
    SideFrame frame();
    // The subject: a point (or a sprite's column), a wall, a section; the slices rebuilt.
    void viewPoint(int32_t x, int32_t y);
    void viewWall(int32_t wall);
    void viewSection(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Where a position along the subject and a height land with the stored view.
    int32_t column(double p) const;
    int32_t row(double z) const;
    uint8_t& px(int32_t x, int32_t y) {
        return frameBuffer.screen[size_t(y) * kGuardedRowLength + size_t(x)];
    }
    // Whether every pixel outside the map view still holds the backdrop and the guards hold.
    bool onlyMapViewTouched() const;

    // Tile t of w x h pixels, pixel (x, y) (y counted from the top) holding value(x, y), put
    // after the tiles already there; the store keeps its spare bytes after the last tile.
    void addTile(int32_t t, int16_t w, int16_t h,
                 const std::function<uint8_t(int32_t, int32_t)>& value);
    // Colour tables a texel is read back through: shade s and pal p turn texel c into game colour
    // c + 7 s + 11 p (modulo 256), whose first display colour is itself and second 255 minus it.
    void decodableColours();
    static uint8_t gameColour(int32_t texel, int32_t shade, int32_t pal) {
        return uint8_t(texel + 7 * shade + 11 * pal);
    }

    uint8_t backdrop = kBackdrop;
    int32_t frameTime = 0;

    FrameBuffer frameBuffer{kGuardedRowLength};
    std::unique_ptr<ColorTables> ownedColorTables = std::make_unique<ColorTables>();
    ColorTables& colorTables = *ownedColorTables;
    std::unique_ptr<MapStore> ownedMap = std::make_unique<MapStore>();
    MapStore& map = *ownedMap;
    std::unique_ptr<ViewState> ownedView = std::make_unique<ViewState>();
    ViewState& view = *ownedView;
    Settings settings;
    ColorSettings colorSettings;
    HoverState hover;
    ToolState tool;
    DispatchState dispatch;
    InputState input;
    AppState app;
    Fonts fonts;
    Skin skin;
    Languages langs;
    std::unique_ptr<TileStore> ownedTiles = std::make_unique<TileStore>();
    TileStore& tiles = *ownedTiles;
    TileCatalog tileCatalog;
    std::unique_ptr<OverlayLists> ownedOverlays = std::make_unique<OverlayLists>();
    OverlayLists& overlays = *ownedOverlays;
    std::unique_ptr<PlanViewState> ownedLists = std::make_unique<PlanViewState>();
    PlanViewState& lists = *ownedLists;
    Random random;
    MapBuilder build{map};
};

}  // namespace korvel::test
