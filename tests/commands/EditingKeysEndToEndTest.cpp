// The single-key edits driven through whole frames of a started editor: keys and the pointer go
// through the headless platform, and the map is checked after each press.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "map/UndoSnapshot.h"
#include "support/CommandRig.h"
#include "support/MapInvariants.h"

namespace korvel {
namespace {

using test::CommandRig;

constexpr int kPageUp = 33, kLeftBracket = 219, kRight = 39;

struct TwoRoomsRig : CommandRig {
    int32_t shared = -1;
    TwoRoomsRig() {
        auto m = std::make_unique<MapStore>();
        test::MapBuilder b(*m);
        b.addRoom(0, 0, 512, 512);
        b.addRoom(512, 0, 1024, 512);
        b.link();
        for (int32_t s = 0; s < 2; ++s) {
            m->sectors[size_t(s)].ceilingz = -16384;
            m->sectors[size_t(s)].floorz = 0;
        }
        loadMap(*ed, dir.write("two.map", serializeMap(*m)), false);
        EXPECT_EQ(ed->mapFile.mapLoadFailed, 0);
        for (int32_t w = 0; w < ed->map.wallCount; ++w)
            if (ed->map.walls[size_t(w)].nextwall >= 0 && ed->map.wallSector[size_t(w)] == 0)
                shared = w;
        ed->view.viewOriginX = -512;
        ed->view.viewOriginY = 256;
        ed->view.viewZoom = 4;
        platform->clearPlayedSounds();
    }
    // Puts the pointer over a map point of the plan view.
    void pointAt(int32_t x, int32_t y) {
        const ViewState& v = ed->view;
        const int32_t col = int32_t(std::lround((x + v.viewOriginX) / v.viewZoom + 400));
        const int32_t row = int32_t(std::lround((v.viewOriginY - y) / v.viewZoom + 300));
        platform->setPointer(col, 599 - row);
        runFrame(*ed);
    }
    const SectorRecord& room() const { return ed->map.sectors[0]; }
};

TEST(EditingKeysEndToEnd, HeightSlopeFlagsAndNudgeOnTwoRooms) {
    TwoRoomsRig r;
    Editor& ed = *r.ed;
    r.pointAt(256, 256);
    ASSERT_EQ(ed.hover.hoveredSector, 0);

    r.press({kPageUp});
    EXPECT_EQ(r.room().floorz, -1024);

    // Shift+PgUp held: each frame steps by the key's repeat count + 1.
    r.platform->setKeyDown(test::kShiftKey, true);
    r.platform->setKeyDown(kPageUp, true);
    int32_t z = r.room().floorz;
    int32_t repeatsSeen = 0;
    for (int frame = 0; frame < 80 && repeatsSeen < 3; ++frame) {
        const int32_t before = r.room().floorz;
        runFrame(ed);
        if (r.room().floorz != before) {
            const int32_t step = ed.input.keyRepeatCount[kPageUp] + 1;
            EXPECT_EQ(r.room().floorz, before - step);
            z = r.room().floorz;
            repeatsSeen = ed.input.keyRepeatCount[kPageUp];
        }
        r.platform->advanceClock(40);
    }
    EXPECT_EQ(repeatsSeen, 3);
    EXPECT_EQ(r.room().floorz, z);
    EXPECT_EQ(z, -1024 - (1 + 2 + 3 + 4));
    r.platform->setKeyDown(kPageUp, false);
    r.platform->setKeyDown(test::kShiftKey, false);
    runFrame(ed);

    r.press({kLeftBracket});
    EXPECT_EQ(r.room().floorheinum, -512);
    EXPECT_EQ(r.room().floorstat & kSurfaceSloped, kSurfaceSloped);

    r.press({test::kShiftKey, 'T'});
    EXPECT_EQ(r.room().floorstat & 384, 256);

    // B over the shared wall: both sides block.
    r.pointAt(512, 200);
    const int32_t twin = ed.map.walls[size_t(r.shared)].nextwall;
    r.press({'B'});
    EXPECT_EQ(ed.map.walls[size_t(r.shared)].cstat & kWallBlocking, kWallBlocking);
    EXPECT_EQ(ed.map.walls[size_t(twin)].cstat & kWallBlocking, kWallBlocking);

    // The room selected, Ctrl+Right moves it one grid step and cuts it from its neighbour.
    ed.map.sectorSelected[0] = 1;
    ed.map.selectedSectorCount = 1;
    r.pointAt(256, 256);
    const auto before = std::make_unique<MapStore>(ed.map);
    const int32_t d = ed.settings.gridSpacing;
    r.press({test::kCtrlKey, kRight});
    for (int32_t w = 0; w < 4; ++w) {
        EXPECT_EQ(ed.map.walls[size_t(w)].x, before->walls[size_t(w)].x + d);
        EXPECT_EQ(ed.map.walls[size_t(w)].y, before->walls[size_t(w)].y);
    }
    EXPECT_EQ(ed.map.walls[size_t(r.shared)].nextwall, -1);
    EXPECT_EQ(ed.map.walls[size_t(twin)].nextwall, -1);
    EXPECT_EQ(test::describeViolations(test::checkMapInvariants(ed.map)), "");
    restoreUndo(ed.map, ed.undo, ed.clipboard, ed.tool.selectionMode, ed.events);
    EXPECT_EQ(test::recordDifference(*before, ed.map), "");
}

}  // namespace
}  // namespace korvel
