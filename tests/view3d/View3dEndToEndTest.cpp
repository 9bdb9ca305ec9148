#include <gtest/gtest.h>

#include <set>

#include "app/Editor.h"
#include "app/FrameLoop.h"
#include "app/MapFileCommands.h"
#include "app/Startup.h"
#include "map/MapFile.h"
#include "pages/View3D.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"
#include "support/SyntheticGameFiles.h"
#include "view3d/Scene3d.h"

namespace korvel::test {
namespace {

constexpr int kAlt = 18, kF11 = 122, kW = 87;

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

}  // namespace
}  // namespace korvel::test
