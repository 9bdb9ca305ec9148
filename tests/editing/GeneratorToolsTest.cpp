#include "editing/GeneratorTools.h"

#include <gtest/gtest.h>

#include <memory>

#include "map/UndoSnapshot.h"
#include "support/DrawingRig.h"
#include "support/MapInvariants.h"

namespace korvel::test {
namespace {

int32_t linkedWalls(const MapStore& map) {
    int32_t n = 0;
    for (int32_t w = 0; w < map.wallCount; ++w) n += map.walls[w].nextwall >= 0 ? 1 : 0;
    return n;
}

// Two Space presses build the structure through the polygon tool: every piece an outer loop
// linked to its neighbours, and one undo takes the whole of it away.
TEST(GeneratorTools, TwoPressesBuildTheStructureAndOneUndoRemovesIt) {
    struct Case {
        Tool tool;
        int32_t sectors;
        int32_t linked;  // walls shared between pieces, counted from both sides
    } cases[] = {
        {Tool::Reel, 6, 2 * 5},
        {Tool::Arch, 4, 2 * 3},
        {Tool::Sphere, 5 * 3, 2 * (5 * 2 + 5 * 3)},
    };
    for (const Case& c : cases) {
        DrawingRig r;
        Editor& ed = *r.ed;
        ed.pages.reelSetup = {0, 10000, 6, 512};
        ed.pages.archSetup = {1024, -8192, 1024, 512, 512, 4};
        ed.pages.sphereSetup.sphere1C = 5;
        ed.pages.sphereSetup.sphere2C = 3;
        r.ed->map.booleanTargetSector = 0;  // a stale target must not join the pieces
        const auto before = std::make_unique<MapStore>(ed.map);
        ed.tool.currentTool = c.tool;
        r.press(0, 0);
        EXPECT_EQ(ed.map.sectorCount, 0);
        r.press(3000, 0);
        const MapStore& map = ed.map;
        EXPECT_EQ(map.sectorCount, c.sectors) << int(c.tool);
        EXPECT_EQ(describeViolations(checkMapInvariants(map)), "") << int(c.tool);
        EXPECT_EQ(linkedWalls(map), c.linked) << int(c.tool);
        for (int32_t s = 0; s < map.sectorCount; ++s)
            EXPECT_EQ(map.sectors[s].wallnum, c.tool == Tool::Sphere && s % 3 == 0 ? 3 : 4) << s;
        EXPECT_EQ(ed.tool.currentTool, Tool::Idle);
        EXPECT_EQ(ed.tool.selectionMode, SelectionMode::BooleanTarget);
        EXPECT_EQ(map.booleanTargetSector, -2);
        EXPECT_EQ(ed.sound.batchDepth, 0);
        ASSERT_EQ(ed.map.undoState, UndoState::Snapshot);
        restoreUndo(ed.map, ed.undo, ed.clipboard, ed.tool.selectionMode, ed.events);
        EXPECT_EQ(ed.map.sectorCount, 0);
        EXPECT_EQ(recordDifference(*before, ed.map), "") << int(c.tool);
    }
}

TEST(GeneratorTools, RefusedParametersLeaveTheMapAndTheUndoAlone) {
    DrawingRig r;
    Editor& ed = *r.ed;
    ed.pages.archSetup.arch1C = 0;
    ed.tool.currentTool = Tool::Arch;
    r.press(0, 0);
    r.press(3000, 0);
    EXPECT_EQ(ed.map.sectorCount, 0);
    EXPECT_EQ(ed.map.undoState, UndoState::Nothing);
    EXPECT_EQ(r.status(), "1198:");
    EXPECT_EQ(ed.tool.currentTool, Tool::Idle);
}

}  // namespace
}  // namespace korvel::test
