#include "map/MapBackup.h"

#include <gtest/gtest.h>

#include <functional>

#include "geometry/SectorDeletion.h"
#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

class MapBackupTest : public MapTest {
protected:
    void SetUp() override {
        build.addGrid(0, 0, 3, 2, 128);
        build.addSprite(10, 10, 0, 0);
        build.addSprite(300, 10, 1, 0);
        build.link();
        map.sectorSelected[1] = 1;
        map.wallIgnored[4] = 2;
        // Entries a script may leave beyond the counts: kept as they are.
        map.spriteSelected[900] = 1;
        map.wallPassMark[20000] = 3;
        map.wallSector[32767] = 5;
    }
};

// Whatever an operation did before it was refused, restoring gives back every table and value
// byte for byte, however far past the old counts it wrote.
TEST_F(MapBackupTest, RestoreUndoesEveryChangeByteForByte) {
    struct Case {
        const char* what;
        std::function<void(MapStore&)> change;
    } const cases[] = {
        {"walls appended past the count",
         [](MapStore& s) {
             noteRecordExtent(s);
             s.wallCount += 40;
             for (int32_t w = s.wallCount - 40; w < s.wallCount; ++w) s.walls[w].x = w;
             noteRecordExtent(s);
         }},
        {"records and flags edited below the count",
         [](MapStore& s) {
             s.sectors[0].floorz = 1234;
             s.walls[3].point2 = 0;
             s.sprites[1].picnum = 77;
             s.vertexSelected[2] = 1;
             s.sectorIgnored[1] = 1;
         }},
        {"a sector deleted",
         [this](MapStore& s) { deleteSector(s, m.events, 1); }},
        {"marks and derived entries written at the end of the tables",
         [](MapStore& s) {
             s.wallPassMark[32767] = 1;
             s.spriteStackCount[16383] = 2;
             s.spriteSelected[900] = 0;
             s.wallSector[32767] = 0;
         }},
        {"counts and single values",
         [](MapStore& s) {
             noteRecordExtent(s);
             s.spriteCount = 0;
             s.startX = -9;
             s.lightSpriteCount = 3;
             s.lightSprites[2] = 1;
             s.booleanTargetSector = 1;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MapStore before = map;
        const MapBackup backup(map);
        c.change(map);
        ASSERT_NE(contentDifference(map, before), "") << "the case changes nothing";
        backup.restore(map);
        EXPECT_EQ(contentDifference(map, before), "");
    }
}

// A store whose records fill the whole capacity (its extent says so) is kept whole.
TEST_F(MapBackupTest, AStoreWithUnknownTailsIsKeptWhole) {
    markAllRecordsUsed(map);
    map.walls[30000].x = 5;
    map.sprites[16383].z = -1;
    const MapStore before = map;
    const MapBackup backup(map);
    map.walls[30000].x = 0;
    map.sprites[16383].z = 0;
    backup.restore(map);
    EXPECT_EQ(contentDifference(map, before), "");
}

}  // namespace
}  // namespace korvel::test
