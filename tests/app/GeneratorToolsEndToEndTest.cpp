// The generators and the light tools end to end: whole frames of the loop driven by the headless
// platform's pointer and keys, from the toolbar through the set-up pages' buttons to Space in the
// plan view; the map read off the editor afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "app/FrameLoop.h"
#include "app/MapFileCommands.h"
#include "app/Startup.h"
#include "geometry/Lighting.h"
#include "map/MapFile.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"
#include "support/MapInvariants.h"
#include "ui/Toolbar.h"

namespace korvel {
namespace {

constexpr int kLeftButton = 1, kCtrl = 17, kSpace = 32, kF4 = 115, kF5 = 116, kZ = 90;

struct ToolsRig : test::EditorRig {
    // The map is loaded as a file; the view shows `zoom` map units per pixel around (0, 0).
    ToolsRig(const MapStore& map, float zoom) : zoom(zoom) {
        EXPECT_TRUE(startup(*ed));
        loadMap(*ed, dir.write("start.map", serializeMap(map)), false);
        ed->view.viewZoom = zoom;
        ed->view.viewOriginX = 0;
        ed->view.viewOriginY = 0;
        ed->particles.screenEffectFrame = 200;
        frame();
    }
    void press(std::initializer_list<int> keys) {
        for (const int k : keys) key(k, true);
        for (const int k : keys) key(k, false);
    }
    // The pointer on map point (x, y) for one frame.
    void pointAtMap(int32_t x, int32_t y) {
        platform->setPointer(400 + int32_t(x / zoom), 299 + int32_t(y / zoom));
        frame();
    }
    // A click on a frame pixel, rows counted from the bottom as the editor counts them.
    void clickFrame(int32_t x, int32_t y) {
        platform->setPointer(x, 599 - y);
        frame();
        key(kLeftButton, true);
        key(kLeftButton, false);
    }
    // A click on the toolbar button that carries the code and is on screen now.
    void clickToolbar(int16_t code) {
        const auto& slots = ed->toolbar.toolbarButtons;
        const auto b = std::find_if(slots.begin(), slots.end(), [&](const ToolbarButton& t) {
            return t.code == code && t.enabled && toolbarContextHolds(*ed, t.context);
        });
        ASSERT_NE(b, slots.end()) << "no button " << code << " on screen";
        clickFrame(b->x + 2, b->y + 2);
    }
    // Space at map point (x, y).
    void spaceAt(int32_t x, int32_t y) {
        pointAtMap(x, y);
        press({kSpace});
    }
    void undo() { press({kCtrl, kZ}); }

    float zoom;
};

// The sectors made after `from`, with the sum of floor and ceiling height of each.
std::set<int64_t> heightSums(const MapStore& m, int32_t from) {
    std::set<int64_t> out;
    for (int32_t s = from; s < m.sectorCount; ++s)
        out.insert(int64_t(m.sectors[s].floorz) + m.sectors[s].ceilingz);
    return out;
}

TEST(GeneratorToolsByMouseAndKeys, ReelAndSphereStartOnTheirPagesAndBuildWithTwoSpaces) {
    auto empty = std::make_unique<MapStore>();
    ToolsRig r(*empty, 16);
    const MapStore& m = r.ed->map;

    r.clickToolbar(88);  // the layer of the shape tools
    r.clickToolbar(153);
    ASSERT_EQ(r.ed->app.currentPage, Page::ReelSetup);
    r.clickFrame(200, 495);  // the start button
    ASSERT_EQ(r.ed->app.currentPage, Page::PlanView);
    ASSERT_EQ(r.ed->tool.currentTool, Tool::Reel);
    r.spaceAt(-2048, 0);
    EXPECT_EQ(m.sectorCount, 0) << "one point: nothing yet";
    r.spaceAt(2048, 0);
    EXPECT_EQ(m.sectorCount, r.ed->pages.reelSetup.reelC);
    EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
    // Each strip's floor lies as far below the axis as its ceiling lies above it.
    EXPECT_EQ(heightSums(m, 0), (std::set<int64_t>{2 * int64_t(r.ed->pages.reelSetup.reelA)}));
    EXPECT_TRUE(std::any_of(m.sectors.begin(), m.sectors.begin() + m.sectorCount,
                            [](const SectorRecord& s) { return s.floorheinum != 0; }));
    EXPECT_EQ(test::describeViolations(test::checkMapInvariants(m)), "");
    r.undo();
    EXPECT_EQ(m.sectorCount, 0);
    EXPECT_EQ(m.wallCount, 0);

    r.clickToolbar(88);
    r.clickToolbar(155);
    ASSERT_EQ(r.ed->app.currentPage, Page::SphereSetup);
    r.clickFrame(200, 471);
    ASSERT_EQ(r.ed->tool.currentTool, Tool::Sphere);
    const SphereSetupState& sp = r.ed->pages.sphereSetup;
    r.spaceAt(0, 0);
    r.spaceAt(3072, 0);
    ASSERT_EQ(m.sectorCount, sp.sphere1C * sp.sphere2C);
    const int32_t triangles =
        int32_t(std::count_if(m.sectors.begin(), m.sectors.begin() + m.sectorCount,
                              [](const SectorRecord& s) { return s.wallnum == 3; }));
    EXPECT_EQ(triangles, sp.sphere1C) << "the innermost ring";
    std::set<int32_t> floors;
    for (int32_t s = 0; s < m.sectorCount; ++s) floors.insert(m.sectors[s].floorz);
    EXPECT_EQ(int32_t(floors.size()), sp.sphere2C) << "one floor height per ring";
    EXPECT_EQ(test::describeViolations(test::checkMapInvariants(m)), "");
    r.undo();
    EXPECT_EQ(m.sectorCount, 0);
    EXPECT_EQ(m.wallCount, 0);
}

TEST(GeneratorToolsByMouseAndKeys, PickedLightsShadeTheRoomsWallsAndUndoPutsThemBack) {
    auto map = std::make_unique<MapStore>();
    test::MapBuilder b(*map);
    b.addRoom(-2048, -2048, 2048, 1024);
    b.link();
    map->sectors[0].floorz = 0;
    map->sectors[0].ceilingz = -32768;
    const int32_t k0 = b.addSprite(0, -1280, -16384, 0);
    const int32_t k1 = b.addSprite(-1280, 0, -16384, 0);
    b.addSprite(1280, 0, -16384, 0);  // never picked
    for (int32_t w = 0; w < map->wallCount; ++w) map->walls[w].shade = 20;
    ToolsRig r(*map, 8);
    MapStore& m = r.ed->map;

    r.clickToolbar(89);  // the layer of the area and light tools
    r.clickToolbar(108);
    ASSERT_EQ(r.ed->tool.currentTool, Tool::PickLightSprites);
    r.spaceAt(0, -1280);
    r.spaceAt(-1280, 0);
    r.spaceAt(0, -1280);  // picked already
    ASSERT_EQ(m.lightSpriteCount, 2);
    EXPECT_EQ(m.lightSprites[0], k0);
    EXPECT_EQ(m.lightSprites[1], k1);

    // The room by a click, then its walls by the walls mode.
    r.press({kF5});
    r.pointAtMap(800, 400);
    r.press({kLeftButton});
    ASSERT_EQ(m.selectedSectorCount, 1);
    r.press({kF4});
    ASSERT_EQ(r.ed->tool.selectionMode, SelectionMode::Walls);
    ASSERT_EQ(m.selectedWallCount, 4);
    const auto before = std::make_unique<MapStore>(m);

    r.clickToolbar(89);
    r.clickToolbar(110);
    ASSERT_EQ(r.ed->tool.currentTool, Tool::ShadeFromLight);
    r.spaceAt(800, 400);
    const int32_t base = r.ed->tool.shadeLightHeight;
    for (int32_t w = 0; w < 4; ++w) {
        SCOPED_TRACE(w);
        EXPECT_EQ(m.walls[w].shade,
                  std::clamp(lightValueToShade(base, getWallLightValue(m, w)), -127, 32));
        EXPECT_LT(m.walls[w].shade, 20) << "lit, so brighter";
    }
    r.undo();
    EXPECT_EQ(test::recordDifference(*before, m), "");
}

}  // namespace
}  // namespace korvel
