#include "map/UndoSnapshot.h"

#include <gtest/gtest.h>

#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

class UndoSnapshotTest : public MapTest {
protected:
    void SetUp() override {
        build.addGrid(0, 0, 3, 1, 100);
        build.addSprite(10, 10, 0, 0);
        build.link();
        map.sectorSelected[1] = 1;
        map.selectedSectorCount = 1;
        map.wallIgnored[4] = 2;
    }
};

TEST_F(UndoSnapshotTest, UndoGivesBackTheMapItsFlagsAndItsModifiedState) {
    struct Case {
        MapModifiedState atSnapshot, beforeUndo, afterUndo;
    } cases[] = {
        {MapModifiedState::Unmodified, MapModifiedState::Modified, MapModifiedState::Unmodified},
        {MapModifiedState::AutoSaved, MapModifiedState::AutoSaved, MapModifiedState::AutoSaved},
        // Saved since the snapshot: the file now differs from what undo brings back.
        {MapModifiedState::Modified, MapModifiedState::Unmodified, MapModifiedState::Modified},
    };
    for (const auto& c : cases) {
        map.mapModified = c.atSnapshot;
        const MapStore before = map;
        saveUndo(map, m.undo);
        EXPECT_EQ(map.undoState, UndoState::Snapshot);
        deleteSector(map, m.events, 0);
        map.sectorIgnored[0] = 1;
        map.mapModified = c.beforeUndo;
        restoreUndo(map, m.undo, m.clip, SelectionMode::Sectors, m.events);
        MapStore expected = before;
        expected.mapModified = c.afterUndo;
        EXPECT_EQ(snapshotDifference(expected, map), "");
        EXPECT_EQ(map.undoState, UndoState::Nothing);
        EXPECT_EQ(map.wallSector[8], 2);
        expectValid();
    }
    EXPECT_EQ(m.events.undoRestorations, 3);
    // A second undo has nothing left to do.
    deleteSector(map, m.events, 0);
    const MapStore after = map;
    restoreUndo(map, m.undo, m.clip, SelectionMode::Sectors, m.events);
    EXPECT_EQ(snapshotDifference(after, map), "");
}

TEST_F(UndoSnapshotTest, UndoDoesNotBringBackTheStartPosition) {
    saveUndo(map, m.undo);
    map.startX = 777;
    restoreUndo(map, m.undo, m.clip, SelectionMode::Sectors, m.events);
    EXPECT_EQ(map.startX, 777);
}

TEST_F(UndoSnapshotTest, UndoInBooleanTargetModeTargetsTheFirstSelectedSector) {
    saveUndo(map, m.undo);
    map.booleanTargetSector = -2;
    restoreUndo(map, m.undo, m.clip, SelectionMode::BooleanTarget, m.events);
    EXPECT_EQ(map.booleanTargetSector, 1);
}

TEST_F(UndoSnapshotTest, UndoAfterASwapSwapsBack) {
    copySectorToClipboard(m.clip, map, m.events, 2, true);
    const MapStore before = map;
    saveUndo(map, m.undo);
    swapClipboard(map, m.clip);
    EXPECT_EQ(map.undoState, UndoState::SwapBack);
    EXPECT_EQ(map.sectorCount, 1);
    EXPECT_EQ(m.clip.clipSectorCount, 3);
    map.mapModified = MapModifiedState::Unmodified;  // saved since
    restoreUndo(map, m.undo, m.clip, SelectionMode::Sectors, m.events);
    EXPECT_EQ(map.mapModified, MapModifiedState::Modified);
    EXPECT_EQ(recordDifference(before, map), "");
    EXPECT_EQ(m.clip.clipSectorCount, 1);
    EXPECT_EQ(map.undoState, UndoState::Nothing);
    // The swap clears selection and hidden state; undoing it does not bring them back.
    EXPECT_EQ(map.selectedSectorCount, 0);
    EXPECT_EQ(map.wallIgnored[4], 0);
    // And nothing more to undo: the snapshot taken before the swap is not used.
    restoreUndo(map, m.undo, m.clip, SelectionMode::Sectors, m.events);
    EXPECT_EQ(map.sectorCount, 3);
    expectValid();
}

}  // namespace
}  // namespace korvel::test
