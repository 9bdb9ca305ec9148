#include "map/MapEdit.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "geometry/ClipboardPaste.h"
#include "geometry/SectorDeletion.h"
#include "geometry/SpritePrimitives.h"
#include "geometry/SpriteTools.h"
#include "geometry/WallPrimitives.h"
#include "map/MapFile.h"
#include "support/GridMaps.h"
#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

using MapEditTest = MapTest;

// An edit that the user could still undo: sector 0's lotag set to 77 with a snapshot first.
void editLotag(MapModel& m) {
    MapEdit edit(m.map, m.undo, m.events, EditUndo::Snapshot);
    m.map.sectors[0].lotag = 77;
    edit.commit();
}

void threeRooms(MapStore& map) {
    MapBuilder b(map);
    b.addGrid(0, 0, 3, 1, 100);
    b.addSprite(50, 50, 0, 0);
    b.addSprite(150, 50, 0, 1);
    b.link();
}

TEST_F(MapEditTest, ARefusedEditLeavesTheMapAndTheEarlierSnapshotAsTheyWere) {
    using Op = std::function<bool(MapModel&, MapEvents&)>;
    auto full = [](MapModel& m) { buildSplitRoomGrid(m.map, 64, 64, 4); };
    struct Case {
        const char* what;
        void (*build)(MapModel&);
        Op op;
        std::vector<int32_t> messages;
    } const cases[] = {
        {"no room for walls",
         full,
         [](MapModel& m, MapEvents& e) { return insertVertex(m.map, e, 0, 128, 0, false); },
         {kMsgNoRoomForWalls}},
        {"no room for sprites",
         full,
         [](MapModel& m, MapEvents& e) {
             return createSprite(m.map, e, 100, 100, true).has_value();
         },
         {kMsgNoRoomForSprites}},
        {"a paste with no room for its sectors",
         [](MapModel& m) {
             buildSplitRoomGrid(m.map, 64, 64, 4);
             copySectorToClipboard(m.clip, m.map, m.events, 5, true);
         },
         [](MapModel& m, MapEvents& e) { return pasteClipboard(m.map, m.clip, e, 1000, 1000); },
         {kMsgNoRoomForSectors}},
        {"a loop that is not one run",
         [](MapModel& m) {
             threeRooms(m.map);
             m.map.walls[1].point2 = 3;
         },
         [](MapModel& m, MapEvents& e) { return deleteLoop(m.map, e, 0) != LoopDeletion::Refused; },
         {kMsgDamagedMap}},
        {"a wall range beyond the walls",
         [](MapModel& m) {
             threeRooms(m.map);
             m.map.sectors[2].wallnum = 50;
         },
         [](MapModel& m, MapEvents& e) { return setSectorFirstWall(m.map, e, 2, 9); },
         {kMsgDamagedMap}},
        {"sector blocks out of order",
         [](MapModel& m) {
             threeRooms(m.map);
             m.map.sectors[2].wallptr = 9;
             m.map.sectors[2].wallnum = 3;
         },
         [](MapModel& m, MapEvents& e) { return moveSectorSp(m.map, e, 0, 2); },
         {kMsgDamagedMap}},
        {"a sprite that is not there",
         [](MapModel& m) { threeRooms(m.map); },
         [](MapModel& m, MapEvents& e) { return deleteSprite(m.map, e, 2); },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto one = std::make_unique<MapModel>();
        c.build(*one);
        editLotag(*one);
        one->events.clear();
        const auto earlier = std::make_unique<MapContent>(one->undo.snapshot());
        const int32_t held = one->undo.held;
        {
            MapEdit edit(one->map, one->undo, one->events, EditUndo::Snapshot);
            const auto before = std::make_unique<MapStore>(one->map);
            const std::string bytes = serializeMap(one->map);
            ASSERT_FALSE(c.op(*one, edit.events()));
            edit.finish(false);
            EXPECT_EQ(serializeMap(one->map), bytes);
            EXPECT_EQ(contentDifference(*before, one->map), "");
        }
        EXPECT_EQ(one->events.statusNumbers(), c.messages);
        EXPECT_EQ(one->events.renumberings, 0);
        EXPECT_EQ(one->map.undoState, UndoState::Snapshot);
        EXPECT_EQ(one->map.mapModified, MapModifiedState::Modified);
        EXPECT_EQ(one->undo.held, held);
        EXPECT_EQ(contentDifference(*earlier, one->undo.snapshot()), "");
        // And undo still goes back to before the earlier edit.
        restoreUndo(one->map, one->undo, one->clip, SelectionMode::Sectors, one->events);
        EXPECT_EQ(one->map.sectors[0].lotag, 0);
    }
}

TEST_F(MapEditTest, AnEditEndingWithoutACommitPutsBackWhatItChanged) {
    for (const bool explicitRollback : {false, true}) {
        SCOPED_TRACE(explicitRollback ? "rollback" : "left without a commit");
        auto one = std::make_unique<MapModel>();
        threeRooms(one->map);
        one->map.sectorSelected[1] = 1;
        one->map.selectedSectorCount = 1;
        one->map.wallIgnored[4] = 2;
        const auto before = std::make_unique<MapStore>(one->map);
        {
            MapEdit edit(one->map, one->undo, one->events, EditUndo::Snapshot);
            ASSERT_TRUE(deleteSector(one->map, edit.events(), 1));
            ASSERT_EQ(one->map.sectorCount, 2);
            if (explicitRollback) {
                edit.rollback();
                EXPECT_FALSE(edit.isOpen());
            }
        }
        EXPECT_EQ(contentDifference(*before, one->map), "");
        EXPECT_EQ(one->map.undoState, UndoState::Nothing) << "no snapshot was offered before";
        EXPECT_EQ(one->events.renumberings, 0) << "nothing was renumbered after all";
        expectValid();
    }
}

TEST_F(MapEditTest, ACommitMarksTheMapModifiedAndKeepsTheOpeningForUndo) {
    threeRooms(map);
    const auto before = std::make_unique<MapStore>(map);
    {
        MapEdit edit(map, m.undo, m.events, EditUndo::Snapshot);
        ASSERT_TRUE(deleteSector(map, edit.events(), 1));
        EXPECT_EQ(m.events.renumberings, 0) << "told at the commit";
        EXPECT_EQ(map.undoState, UndoState::Nothing);
        edit.commit();
        EXPECT_FALSE(edit.isOpen());
    }
    EXPECT_EQ(m.events.renumberings, 1);
    EXPECT_EQ(map.mapModified, MapModifiedState::Modified);
    EXPECT_EQ(map.undoState, UndoState::Snapshot);
    EXPECT_EQ(contentDifference(*before, m.undo.snapshot()), "");
    restoreUndo(map, m.undo, m.clip, SelectionMode::Sectors, m.events);
    EXPECT_EQ(snapshotDifference(*before, map), "");
}

// A snapshot that counts as modified: undoing leaves the map marked modified; a rollback leaves
// the mark as it was.
TEST_F(MapEditTest, ASnapshotMarkedModifiedUndoesToAModifiedMap) {
    threeRooms(map);
    map.mapModified = MapModifiedState::Unmodified;
    {
        MapEdit refused(map, m.undo, m.events, EditUndo::SnapshotMarkedModified);
        map.sectors[1].hitag = 5;
    }
    EXPECT_EQ(map.mapModified, MapModifiedState::Unmodified);
    EXPECT_EQ(map.undoState, UndoState::Nothing);
    {
        MapEdit edit(map, m.undo, m.events, EditUndo::SnapshotMarkedModified);
        map.sectors[1].hitag = 5;
        edit.commit();
    }
    EXPECT_EQ(map.undoState, UndoState::Snapshot);
    restoreUndo(map, m.undo, m.clip, SelectionMode::Sectors, m.events);
    EXPECT_EQ(map.sectors[1].hitag, 0);
    EXPECT_EQ(map.mapModified, MapModifiedState::Modified);
}

TEST_F(MapEditTest, AnEditWithoutSnapshotLeavesUndoAlone) {
    threeRooms(map);
    editLotag(m);
    const int32_t held = m.undo.held;
    map.mapModified = MapModifiedState::Unmodified;  // saved since
    MapEdit edit(map, m.undo, m.events, EditUndo::None);
    map.sectors[1].hitag = 5;
    edit.commit();
    EXPECT_EQ(map.mapModified, MapModifiedState::Modified);
    EXPECT_EQ(map.undoState, UndoState::Snapshot);
    EXPECT_EQ(m.undo.held, held);
    EXPECT_EQ(m.undo.snapshot().sectors[0].lotag, 0);
}

}  // namespace
}  // namespace korvel::test
