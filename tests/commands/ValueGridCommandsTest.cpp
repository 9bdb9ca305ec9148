#include "commands/ValueGridCommands.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "map/Selection.h"
#include "map/UndoSnapshot.h"
#include "platform/VirtualKeys.h"
#include "support/EditCommandRig.h"
#include "support/MapInvariants.h"
#include "ui/Toolbar.h"

namespace korvel {
namespace {

using test::EditCommandRig;

TEST(ValueCommands, MinusAndPlusPerTool) {
    struct Case {
        Tool tool;
        bool minus;
        int32_t before, want;
        int32_t message;  // 0: nothing shown
    };
    const Case cases[] = {
        {Tool::DrawPolygon, true, 3, 2, 131},
        {Tool::DrawPolygon, true, 2, 2, 0},
        {Tool::DrawPolygon, false, 2, 3, 131},
        {Tool::RegularPolygon, true, 3, 3, 133},
        {Tool::EllipsePolygon, true, 4, 3, 133},
        {Tool::Circle, true, 2, 2, 133},
        {Tool::DivideWall, true, 3, 2, 133},
        {Tool::Stroke, true, 1, 1, 133},
        {Tool::ProfileRevolve, true, 3, 3, 133},
        {Tool::CurveShape, false, INT_MAX, INT_MAX, 133},
        {Tool::CurveWall, true, 2, 2, 0},
        {Tool::CurveWall, true, 3, 2, 134},
        {Tool::ShadeFromLight, true, 128, 128, 1202},
        {Tool::ShadeFromLight, false, 0, 0, 1202},
        {Tool::ShadeFromLight, true, 5, 6, 1202},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.tool) << (c.minus ? " minus " : " plus ") << c.before);
        EditCommandRig r;
        ToolState& t = r.ed->tool;
        t.currentTool = c.tool;
        int32_t& v = c.tool == Tool::DrawPolygon || c.tool == Tool::CurveWall ? t.toolSecDetail
                     : c.tool == Tool::ShadeFromLight                         ? t.shadeLightHeight
                                                                              : t.toolDetail;
        v = c.before;
        (c.minus ? minusKeyCommand : plusKeyCommand)(*r.ed);
        EXPECT_EQ(v, c.want);
        EXPECT_EQ(r.ed->app.statusText,
                  c.message ? r.msg(c.message, {std::to_string(c.want)}) : "");
        EXPECT_EQ(r.map.undoState, UndoState::Nothing);
        EXPECT_TRUE(r.cues().empty());
    }
}

TEST(ValueCommands, LockedDrawingValueStaysPut) {
    EditCommandRig r;
    r.ed->tool.currentTool = Tool::DrawPolygon;
    r.ed->tool.toolDetailLocked = 1;
    r.ed->tool.toolSecDetail = 9;
    plusKeyCommand(*r.ed);
    minusKeyCommand(*r.ed);
    EXPECT_EQ(r.ed->tool.toolSecDetail, 9);
}

TEST(ValueCommands, ShadesWrapOnEachTargetKind) {
    EditCommandRig r;
    r.twoRooms();
    test::MapBuilder(r.map).addSprite(10, 10, 0, 0);
    r.ed->hover.hoveredSprite = 0;
    r.map.sprites[0].shade = 127;
    minusKeyCommand(*r.ed);
    EXPECT_EQ(r.map.sprites[0].shade, -128);
    EXPECT_EQ(r.ed->app.statusText, r.msg(137, {"0", "-128"}));
    r.ed->hover.hoveredSprite = -1;
    r.ed->hover.hoveredSector = 1;
    r.ed->settings.ceilingView = 1;
    plusKeyCommand(*r.ed);
    EXPECT_EQ(r.map.sectors[1].ceilingshade, -1);
    EXPECT_EQ(r.ed->app.statusText, r.msg(139, {"1", "-1"}));
    r.selectSector(0);
    r.selectSector(1);
    plusKeyCommand(*r.ed);
    EXPECT_EQ(r.map.sectors[0].ceilingshade, -1);
    EXPECT_EQ(r.map.sectors[1].ceilingshade, -2);
    EXPECT_EQ(r.ed->app.statusText, r.msg(145));
    deselectSectors(r.map);
    r.ed->hover.hoveredSector = -1;
    r.sideViewOnWall(2, 0);
    minusKeyCommand(*r.ed);
    EXPECT_EQ(r.map.walls[2].shade, 1);
    EXPECT_EQ(r.ed->app.statusText, r.msg(140, {"2", "1"}));
}

TEST(ValueCommands, OtherPages) {
    EditCommandRig r;
    int restarts = 0;
    r.ed->operations.initSparks = [&](Editor&) { ++restarts; };
    r.ed->app.currentPage = Page::SparksToy;
    r.ed->pages.sparksToy.sparkCount = 512;
    plusKeyCommand(*r.ed);
    EXPECT_EQ(restarts, 0);
    minusKeyCommand(*r.ed);
    EXPECT_EQ(r.ed->pages.sparksToy.sparkCount, 511);
    EXPECT_EQ(r.ed->app.statusText, r.msg(135, {"511"}));
    EXPECT_EQ(restarts, 1);
    r.ed->pages.sparksToy.sparkCount = 1;
    minusKeyCommand(*r.ed);
    EXPECT_EQ(r.ed->pages.sparksToy.sparkCount, 1);

    r.ed->app.currentPage = Page::TileZoom;
    float& z = r.ed->pages.tileZoom.tilePreviewZoom;
    z = 1;
    minusKeyCommand(*r.ed);
    plusKeyCommand(*r.ed);
    EXPECT_EQ(z, 1.0f);  // snapped back to exactly 1
    EXPECT_EQ(r.ed->app.statusText, r.msg(136, {"1"}));
}

TEST(GridCommands, GridStepsAndTheAffineStep) {
    EditCommandRig r;
    Settings& s = r.ed->settings;
    s.autoGrid = 1;
    s.gridSpacing = 512;
    gridFiner(*r.ed);
    EXPECT_EQ(s.gridSpacing, 512);
    EXPECT_EQ(r.ed->app.statusText, r.msg(77, {"512"}));
    s.autoGrid = 0;
    gridFiner(*r.ed);
    EXPECT_EQ(s.gridSpacing, 256);
    EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
    s.gridSpacing = 1;
    r.ed->app.statusText.clear();
    gridFiner(*r.ed);
    EXPECT_EQ(s.gridSpacing, 1);
    EXPECT_EQ(r.ed->app.statusText, "");
    s.gridSpacing = 1048576;
    gridCoarser(*r.ed);
    EXPECT_EQ(s.gridSpacing, 1048576);
    s.gridSpacing = -1073741824;  // from the configuration
    gridCoarser(*r.ed);
    gridCoarser(*r.ed);
    EXPECT_EQ(s.gridSpacing, INT_MIN);

    s.affineGridMode = 1;
    r.ed->tool.affineGridStep = 1;
    for (int i = 0; i < 20; ++i) gridFiner(*r.ed);
    EXPECT_EQ(r.ed->tool.affineGridStep, 0.00006103515625);
    EXPECT_EQ(r.ed->app.statusText, r.msg(1180, {"6.103515625e-05"}));
    r.ed->tool.currentTool = Tool::AffineGrid;  // the tool's own step is the plain grid's
    gridCoarser(*r.ed);
    EXPECT_EQ(r.ed->tool.affineGridStep, 0.00006103515625);
}

TEST(GridCommands, AffineAxesNormaliseAndSquare) {
    EditCommandRig r;
    Settings& s = r.ed->settings;
    r.ed->tool.currentTool = Tool::AffineGrid;
    s.gridSpacing = 100;
    s.affineGridXx = 300;
    s.affineGridYx = 400;
    s.affineGridXy = 0;
    s.affineGridYy = 0;
    normaliseAffineGrid(*r.ed);
    EXPECT_EQ(s.affineGridXx, 60);
    EXPECT_EQ(s.affineGridYx, 80);
    EXPECT_EQ(s.affineGridXy, 0);

    // The view at zoom 1 around the origin: map (x, y) is at column x + 400, row 300 - y.
    r.ed->view.viewZoom = 1;
    s.affineGridX1 = s.affineGridY1 = 0;
    s.affineGridXx = 100;
    s.affineGridYx = 0;
    s.affineGridXy = 10;
    s.affineGridYy = 30;
    r.ed->input.mouseX = 500;  // at the end of u
    r.ed->input.mouseY = 300;
    squareAffineGrid(*r.ed);
    EXPECT_EQ(s.affineGridXy, 0);
    EXPECT_EQ(s.affineGridYy, -100);
    r.ed->input.mouseX = 400;
    squareAffineGrid(*r.ed);
    EXPECT_EQ(r.ed->app.statusText, r.msg(1179));
}

TEST(GridCommands, StrokeWidthStepsByTheFasterKey) {
    EditCommandRig r;
    r.ed->tool.currentTool = Tool::Stroke;
    r.ed->tool.lineWidth = 10;
    r.holdKey(vk::Minus, 1);
    r.holdKey(vk::PadMinus, 4);
    decreaseToolParam(*r.ed);
    EXPECT_EQ(r.ed->tool.lineWidth, 5);
    decreaseToolParam(*r.ed);
    EXPECT_EQ(r.ed->tool.lineWidth, 2);
    EXPECT_EQ(r.ed->app.statusText, r.msg(251, {"2"}));
    r.ed->tool.lineWidth = INT_MAX - 1;
    increaseToolParam(*r.ed);
    EXPECT_EQ(r.ed->tool.lineWidth, INT_MAX);
}

// --- Nudges ---

struct Grid : EditCommandRig {
    Grid() {
        test::MapBuilder b(map);
        b.addGrid(0, 0, 3, 3, 512);
        b.link();
        for (int32_t s = 0; s < map.sectorCount; ++s) {
            map.sectors[size_t(s)].ceilingz = -8192;
            b.addSprite(512 * (s % 3) + 100, 512 * (s / 3) + 100, 0, s);
        }
        ed->settings.gridSpacing = 64;
    }
    int32_t linksBetween(int32_t a, int32_t b) const {
        int32_t n = 0;
        for (int32_t w = 0; w < map.wallCount; ++w)
            if (map.wallSector[size_t(w)] == a && map.walls[size_t(w)].nextsector == b) ++n;
        return n;
    }
};

TEST(Nudge, CutsTheSelectionLooseAndMovesItsSprites) {
    Grid r;
    r.selectSector(4);
    r.selectSector(5);
    r.ed->settings.autoTextureMove = 1;
    std::vector<int32_t> shifted;
    r.ed->operations.shiftSectorTile = [&](Editor&, int32_t s, int32_t c, int32_t dx, int32_t dy) {
        shifted.push_back(s * 10 - c);
        EXPECT_EQ(dx, 64);
        EXPECT_EQ(dy, 0);
    };
    r.map.mapModified = MapModifiedState::Unmodified;
    const auto before = std::make_unique<MapStore>(r.map);
    nudgeSelectionRight(*r.ed);
    EXPECT_EQ(test::describeViolations(test::checkMapInvariants(r.map)), "");
    EXPECT_EQ(r.linksBetween(4, 5), 1);  // two moved neighbours stay linked
    EXPECT_EQ(r.linksBetween(4, 3), 0);  // cut from those left behind, both ways
    EXPECT_EQ(r.linksBetween(3, 4), 0);
    EXPECT_EQ(r.linksBetween(4, 1), 0);
    EXPECT_EQ(r.map.sprites[4].x, 512 + 100 + 64);  // in a selected sector, not selected
    EXPECT_EQ(r.map.sprites[4].sectnum, 4);
    EXPECT_EQ(r.map.sprites[3].x, 100);
    EXPECT_EQ(shifted, (std::vector<int32_t>{40, 41, 50, 51}));  // each side of each sector once
    EXPECT_EQ(r.map.mapModified, MapModifiedState::Modified);
    EXPECT_TRUE(r.cues().empty());
    restoreUndo(r.map, r.ed->undo, r.ed->clipboard, r.ed->tool.selectionMode, r.ed->events);
    EXPECT_EQ(test::recordDifference(*before, r.map), "");
    // The nudge marks the map modified before its snapshot.
    EXPECT_EQ(r.map.mapModified, MapModifiedState::Modified);
}

TEST(Nudge, APointReachedSeveralWaysMovesOnce) {
    Grid r;
    r.selectSector(0);
    const int32_t w = r.map.sectors[0].wallptr;
    r.map.vertexSelected[size_t(w)] = 1;
    r.map.selectedVertexCount = 1;
    r.selectWall(w);
    const int32_t x = r.map.walls[size_t(w)].x;
    nudgeSelectionDown(*r.ed);
    EXPECT_EQ(r.map.walls[size_t(w)].x, x);
    EXPECT_EQ(r.map.walls[size_t(w)].y, 64);
}

TEST(Nudge, NothingSelectedOrAnotherPageChangesNothing) {
    Grid r;
    const auto before = std::make_unique<MapStore>(r.map);
    nudgeSelectionLeft(*r.ed);
    r.selectSprite(0);
    r.ed->app.currentPage = Page::SideView;
    nudgeSelectionLeft(*r.ed);
    r.map.selectedSpriteCount = 0;
    r.map.spriteSelected[0] = 0;
    EXPECT_EQ(test::contentDifference(*before, r.map), "");
}

// Seeded sequences of selections, nudges and undos keep the map sound.
TEST(Nudge, RandomSequencesKeepTheMapSound) {
    Grid r;
    const auto start = std::make_unique<MapStore>(r.map);
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        r.map = *start;
        std::mt19937 rng(seed);
        for (int step = 0; step < 6; ++step) {
            switch (rng() % 5) {
                case 0:
                    r.map.sectorSelected[size_t(rng() % 9)] ^= 1;
                    recountSelection(r.map);
                    break;
                case 1:
                    r.map.vertexSelected[size_t(rng() % uint32_t(r.map.wallCount))] ^= 1;
                    recountSelection(r.map);
                    break;
                case 2:
                    r.map.spriteSelected[size_t(rng() % 9)] ^= 1;
                    recountSelection(r.map);
                    break;
                case 3:
                    restoreUndo(r.map, r.ed->undo, r.ed->clipboard, r.ed->tool.selectionMode,
                                r.ed->events);
                    break;
                default: {
                    void (*nudges[4])(Editor&) = {nudgeSelectionLeft, nudgeSelectionRight,
                                                  nudgeSelectionUp, nudgeSelectionDown};
                    nudges[rng() % 4](*r.ed);
                    break;
                }
            }
            const std::string v = test::describeViolations(test::checkMapInvariants(r.map));
            ASSERT_EQ(v, "") << "step " << step;
        }
    }
}

TEST(Nudge, CtrlArrowsPressTheRecordEditorActionsOnEveryPage) {
    // Toolbar slots 0 to 2 carry the three record editor actions, shown everywhere.
    EditCommandRig r;
    for (int32_t i = 0; i < 3; ++i) {
        ToolbarButton& b = r.ed->toolbar.toolbarButtons[size_t(i)];
        b.code = int16_t(160 + i);
        b.enabled = 1;
        b.context = kContextAlways;
    }
    const struct {
        void (*run)(Editor&);
        int32_t slot;  // -1: nothing pressed
    } keys[] = {{nudgeSelectionLeft, 0},
                {nudgeSelectionRight, 1},
                {nudgeSelectionUp, 2},
                {nudgeSelectionDown, -1}};
    for (const Page page : {Page::PlanView, Page::SideView, Page::RecordEditor, Page::TileZoom})
        for (const auto& k : keys) {
            r.ed->app.currentPage = page;
            r.ed->dispatch.pendingClick = 0;
            r.ed->dispatch.pendingClickId = -1;
            k.run(*r.ed);
            EXPECT_EQ(r.ed->dispatch.pendingClick, k.slot >= 0 ? 1 : 0);
            EXPECT_EQ(r.ed->dispatch.pendingClickId, k.slot);
        }
}

}  // namespace
}  // namespace korvel
