#include "map/Selection.h"

#include <gtest/gtest.h>

#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

class SelectionTest : public MapTest {
protected:
    void SetUp() override {
        build.addGrid(0, 0, 4, 1, 100);  // 4 sectors, 16 walls
        build.addSprite(10, 10, 0, 0);
        build.addSprite(110, 10, 0, 1);
        build.addSprite(210, 10, 0, 2);
        build.link();
    }
};

TEST_F(SelectionTest, InvertingSkipsHiddenObjectsAndKeepsCountsInStep) {
    map.sectorSelected[0] = map.sectorSelected[2] = 1;
    map.selectedSectorCount = 2;
    map.sectorIgnored[3] = 2;
    invertSelection(map, SelectionMode::Sectors, m.events);
    EXPECT_EQ(map.sectorSelected[1], 1);
    EXPECT_EQ(map.sectorSelected[0] + map.sectorSelected[2] + map.sectorSelected[3], 0);
    EXPECT_EQ(map.selectedSectorCount, 1);
    EXPECT_EQ(m.events.statusNumbers(), std::vector<int32_t>{866});
    EXPECT_EQ(m.events.cues, std::vector<std::string>{"command"});

    map.spriteIgnored[1] = 1;
    map.wallIgnored[0] = 1;
    invertSelection(map, SelectionMode::SpritesAndVertices, m.events);
    EXPECT_EQ(map.selectedSpriteCount, 2);
    EXPECT_EQ(map.spriteSelected[1], 0);
    EXPECT_EQ(map.selectedVertexCount, 15);
    invertSelection(map, SelectionMode::Loops, m.events);
    EXPECT_EQ(map.selectedWallCount, 15);
    invertSelection(map, SelectionMode::AreaSettings, m.events);  // nothing to invert
    EXPECT_EQ(m.events.status.size(), 4u);
    expectValid();
}

TEST_F(SelectionTest, FirstSelectedAndDeselecting) {
    EXPECT_EQ(getFirstSelectedSector(map), 0);
    map.sectorSelected[2] = 1;
    map.selectedSectorCount = 1;
    EXPECT_EQ(getFirstSelectedSector(map), 2);
    map.sectorSelected[2] = 0;
    map.sectorSelected[0] = 1;
    EXPECT_EQ(getFirstSelectedSector(map), 0);
    map.wallSelected[9] = map.vertexSelected[7] = map.spriteSelected[1] = 1;
    map.selectedWallCount = map.selectedVertexCount = map.selectedSpriteCount = 1;
    EXPECT_EQ(getFirstSelectedWall(map), 9);
    EXPECT_EQ(getFirstSelectedVertex(map), 7);
    EXPECT_EQ(getFirstSelectedSprite(map), 1);
    // The count is what the queries trust: a flag without a count is not searched for.
    map.selectedWallCount = 0;
    EXPECT_EQ(getFirstSelectedWall(map), 0);

    map.booleanTargetSector = 2;
    deselectSectors(map);
    EXPECT_EQ(map.booleanTargetSector, -2);
    EXPECT_EQ(map.selectedSectorCount, 0);
    map.selectedLoopCount = 3;
    deselectWalls(map);
    EXPECT_EQ(map.selectedLoopCount, 0);
}

TEST_F(SelectionTest, RecountCountsFlagsBelowTheCountsOnly) {
    map.wallSelected[0] = map.wallSelected[1] = map.wallSelected[2] = map.wallSelected[3] = 1;
    map.vertexSelected[5] = 1;
    map.sectorSelected[1] = 1;
    map.spriteSelected[2] = 1;
    map.selectedLoopCount = 1;
    map.wallSelected[100] = 1;  // above the wall count
    recountSelection(map);
    EXPECT_EQ(map.selectedWallCount, 4);
    EXPECT_EQ(map.selectedVertexCount, 1);
    EXPECT_EQ(map.selectedSectorCount, 1);
    EXPECT_EQ(map.selectedSpriteCount, 1);
    EXPECT_EQ(map.selectedLoopCount, 0);
}

}  // namespace
}  // namespace korvel::test
