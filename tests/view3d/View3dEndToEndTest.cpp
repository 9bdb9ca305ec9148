#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>

#include "app/Editor.h"
#include "app/FrameLoop.h"
#include "app/MapFileCommands.h"
#include "app/Startup.h"
#include "map/GeometryQueries.h"
#include "map/MapFile.h"
#include "ui/Text.h"
#include "pages/View3D.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"
#include "support/SyntheticGameFiles.h"
#include "view3d/Scene3d.h"
#include "view3d/HitQueries3d.h"

namespace korvel::test {
namespace {

constexpr int kAlt = 18, kF11 = 122, kW = 87;
constexpr int kCtrl = 17, kShift = 16, kPad6 = 102;

struct View3dRig : EditorRig {
    std::string fileBytes;
    View3dRig() {
        dir.write("tiles000.art", makeArtFile(0, {{32, 32}, {16, 16}}));
        EXPECT_TRUE(startup(*ed));
        auto rooms = std::make_unique<MapStore>();
        MapBuilder b(*rooms);
        b.addRoom(-1024, -1024, 0, 1024);
        b.addRoom(0, -1024, 1024, 1024);
        b.link();
        rooms->sectors[1].floorz = -4096;
        for (int32_t s = 0; s < 2; ++s) rooms->sectors[s].floorpicnum = rooms->sectors[s].ceilingpicnum = 1;
        for (int32_t w = 0; w < rooms->wallCount; ++w) rooms->walls[w].picnum = 0;
        fileBytes = serializeMap(*rooms);
        loadMap(*ed, dir.write("rooms.map", fileBytes), false);
        ed->view.viewOriginX = 0;
        ed->view.viewOriginY = 0;
        ed->view.viewZoom = 8;
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) runFrame(*ed);
    }
    void press(std::initializer_list<int> keys) {
        for (int k : keys) platform->setKeyDown(k, true);
        runFrame(*ed);
        for (int k : keys) platform->setKeyDown(k, false);
        runFrame(*ed);
    }
    const Scene3d& scene() const { return *ed->pages.view3d.scene; }
};

TEST(View3dEndToEnd, IntoTheRoomsFlyAndThePlanPicture) {
    View3dRig rig;
    Editor& ed = *rig.ed;
    // Over the left room, a little off its middle.
    rig.platform->setPointer(400 - 60, 300);
    rig.frames(2);
    ASSERT_EQ(ed.hover.hoveredSector, 0);

    rig.press({kAlt, kF11});
    ASSERT_EQ(ed.app.currentPage, Page::View3D);
    ASSERT_TRUE(ed.pages.view3d.scene);
    EXPECT_GT(rig.scene().surfaceTriangleCount, 0);
    // The page's own status line under the picture carries the counters.
    EXPECT_NE(view3dStatusLine(ed).find(std::to_string(rig.scene().surfaceTriangleCount)),
              std::string::npos)
        << view3dStatusLine(ed);
    // The camera looks along +x at the far wall of the left room: the shared wall's lower part
    // and the right room beyond. The middle of the picture shows a wall.
    const int32_t code = rig.scene().pickObjectBuffer3d[225 * kCellColumns3d + 200];
    ASSERT_GE(code, 0);
    EXPECT_EQ(code >> 16, int32_t(SurfaceKind::Wall));
    std::set<uint8_t> colours;
    for (int32_t x = 300; x < 500; ++x) colours.insert(ed.frameBuffer.preview3dImage[225 * 800 + x]);
    EXPECT_GT(colours.size(), 2u);

    // W held: each frame that moves the camera renders once; a still camera renders nothing.
    rig.platform->setKeyDown(kW, true);
    for (int i = 0; i < 5; ++i) {
        const int32_t before = rig.scene().frame3dCounter;
        rig.frames(1);
        EXPECT_EQ(rig.scene().frame3dCounter, before + 1) << i;
    }
    rig.platform->setKeyDown(kW, false);
    rig.frames(200);
    const int32_t still = rig.scene().frame3dCounter;
    rig.frames(5);
    EXPECT_EQ(rig.scene().frame3dCounter, still);

    // An undo on the live page prepares the view again; the map itself was never touched.
    static_cast<MapEvents&>(ed.events).undoRestored();
    EXPECT_EQ(rig.scene().frame3dCounter, 0);
    rig.frames(1);
    EXPECT_EQ(rig.scene().frame3dCounter, 1);
    EXPECT_EQ(serializeMap(ed.map), rig.fileBytes);

    // F11: the plan shaded by height shows the two floors in two colours.
    rig.press({kF11});
    ASSERT_EQ(ed.app.currentPage, Page::View3D);
    std::set<uint8_t> levels;
    for (uint8_t c : ed.frameBuffer.preview3dImage) levels.insert(c);
    levels.erase(0);
    EXPECT_GE(levels.size(), 2u);
}

TEST(View3dEndToEnd, AimLockAndEditAWallThenUndoAndSave) {
    View3dRig rig;
    Editor& ed = *rig.ed;
    rig.platform->setPointer(400 - 60, 300);
    rig.frames(2);
    rig.press({kAlt, kF11});
    ASSERT_EQ(ed.app.currentPage, Page::View3D);
    // A cell in the middle of the picture shows a wall; the pointer goes onto it.
    const int32_t col = 200, row = 225;
    const int32_t code = rig.scene().pickObjectBuffer3d[size_t(row) * kCellColumns3d + col];
    ASSERT_EQ(code >> 16, int32_t(SurfaceKind::Wall));
    const int32_t wall = code & 0xFFFF;
    rig.platform->setPointer(2 * col, 599 - (134 + row));
    rig.frames(2);
    EXPECT_EQ(ed.pages.view3d.pick3d.hover3dObject, code);
    // Its border cells are outlined in colour 8 over the picture; the status names it.
    const auto& blend = ed.colorTables.blendTable;
    int32_t outlined = 0;
    for (int32_t r = 0; r < kCellRows3d; ++r)
        for (int32_t c = 0; c < kCellColumns3d; ++c) {
            if (rig.scene().pickObjectBuffer3d[size_t(r) * kCellColumns3d + size_t(c)] != code) continue;
            const uint8_t under = ed.frameBuffer.preview3dImage[size_t(r) * 800 + size_t(2 * c)];
            const uint8_t shown = ed.frameBuffer.screen[size_t(134 + r) * 800 + size_t(2 * c)];
            if (shown == blend[8 * 256 + under] && shown != under) ++outlined;
        }
    EXPECT_GT(outlined, 20);
    FrameBuffer scratch;
    std::fill(scratch.screen.begin(), scratch.screen.end(), uint8_t(0));
    drawText(Canvas{scratch, ed.colorTables, false}, ed.fonts,
             getMessage(1320, ed.langs, std::to_string(wall)), 8, 52, 1);
    int32_t ink = 0, matching = 0;
    for (size_t i = 0; i < scratch.screen.size(); ++i)
        if (scratch.screen[i] == 1) {
            ++ink;
            matching += ed.frameBuffer.screen[i] == ed.colorSettings.colorUiText;
        }
    EXPECT_GT(ink, 0);
    EXPECT_EQ(matching, ink);

    // The left button locks the wall; moved off it, the wall stays tinted.
    rig.platform->setKeyDown(1, true);
    rig.frames(1);
    rig.platform->setPointer(2 * col, 599 - 580);
    rig.frames(2);
    EXPECT_EQ(ed.pages.view3d.pick3d.picked3dObject, code);
    const size_t cell = size_t(row) * 800 + size_t(2 * col);
    EXPECT_EQ(ed.frameBuffer.screen[size_t(134 + row) * 800 + size_t(2 * col)],
              blend[4 * 256 + ed.frameBuffer.preview3dImage[cell]]);

    const uint8_t xrepeat = ed.map.walls[size_t(wall)].xrepeat;
    const uint16_t cstat = ed.map.walls[size_t(wall)].cstat;
    rig.press({kPad6});
    EXPECT_EQ(ed.map.walls[size_t(wall)].xrepeat, uint8_t(xrepeat + 1));
    char scale[32];
    std::snprintf(scale, sizeof scale, "%.7g", double(wallTexelScale(ed.map, wall)));
    EXPECT_EQ(ed.app.statusText,
              getMessage4(45, ed.langs, std::to_string(wall), std::to_string(xrepeat + 1),
                          std::to_string(ed.map.walls[size_t(wall)].yrepeat), scale));
    rig.press({kShift, 'T'});
    EXPECT_EQ(ed.map.walls[size_t(wall)].cstat, uint16_t(cstat | 128));
    rig.press({kCtrl, 'Z'});
    EXPECT_EQ(ed.map.walls[size_t(wall)].cstat, cstat);
    EXPECT_EQ(ed.map.walls[size_t(wall)].xrepeat, uint8_t(xrepeat + 1));
    rig.platform->setKeyDown(1, false);
    rig.frames(1);
    // Back on the plan view (S flies the camera in the live view), Ctrl+S saves.
    rig.press({kAlt, 'M'});
    ASSERT_EQ(ed.app.currentPage, Page::PlanView);
    rig.press({kCtrl, 'S'});
    const std::string bytes = rig.dir.read("rooms.map");
    const auto layout = parseMapFile(bytes);
    ASSERT_TRUE(layout);
    WallRecord saved{};
    const size_t at = size_t(layout->wallOffset) + size_t(wall) * sizeof(WallRecord);
    ASSERT_LE(at + sizeof saved, bytes.size());
    std::memcpy(&saved, bytes.data() + at, sizeof saved);
    EXPECT_EQ(saved.xrepeat, uint8_t(xrepeat + 1));
    EXPECT_EQ(saved.cstat, cstat);
}

}  // namespace
}  // namespace korvel::test
