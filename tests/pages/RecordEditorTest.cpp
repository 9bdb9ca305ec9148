#include "pages/RecordEditor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "commands/AttributeCommands.h"
#include "commands/CommandTable.h"
#include "map/UndoSnapshot.h"
#include "pages/RecordFields.h"
#include "support/EditCommandRig.h"
#include "support/MapInvariants.h"
#include "ui/FrameBuffer.h"

namespace korvel {
namespace {

using test::EditCommandRig;
constexpr int32_t kAll = 0xFFFFFF;

struct RecordRig : EditCommandRig {
    RecordRig() {
        twoRooms();
        test::MapBuilder b(map);
        for (int32_t i = 0; i < 3; ++i) b.addSprite(32 + 16 * i, 32, 0, 0, 5);
        ed->hover.panelSubject = PanelSubject::None;
    }
    RecordEditorState& re() { return ed->pages.recordEditor; }
    void open(PanelSubject s) {
        ed->hover.panelSubject = s;
        ed->app.currentPage = Page::PlanView;
        openRecordEditor(*ed, 0);
    }
};

TEST(RecordFields, RowsFollowTheTablesAndWrapOnWrite) {
    // Sector row 10 is floorz, row 11 floorstat; wall rows stop at 17.
    EXPECT_EQ(recordRow(RecordKind::Sector, 10).offset, offsetof(SectorRecord, floorz));
    EXPECT_EQ(recordRow(RecordKind::Sector, 11).offset, offsetof(SectorRecord, floorstat));
    EXPECT_EQ(recordRow(RecordKind::Sector, 4).offset, offsetof(SectorRecord, ceilingpicnum));
    EXPECT_EQ(recordRowCount(RecordKind::Wall), 17);
    EXPECT_EQ(recordRow(RecordKind::Sprite, 22).offset, offsetof(SpriteRecord, extra));

    struct Case {
        RecordKind kind;
        int32_t row;
        int32_t written;
        int32_t readBack;
    };
    const Case cases[] = {
        {RecordKind::Sprite, 6, 300, 44},         // pal, B
        {RecordKind::Sprite, 5, -1, -1},          // shade, S
        {RecordKind::Sprite, 4, -1, -1},          // picnum, I
        {RecordKind::Sprite, 4, 65535, -1},       // picnum, I
        {RecordKind::Sprite, 20, 40000, 40000},   // lotag, U
        {RecordKind::Sector, 3, 65535, 65535},    // ceilingstat, U
        {RecordKind::Wall, 0, -2000000000, -2000000000},
        {RecordKind::Wall, 9, -1, 255},           // pal, B
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind) * 100 + c.row);
        MapStore map;
        map.sectorCount = map.wallCount = map.spriteCount = 1;
        uint8_t* r = recordOf(map, c.kind, 0);
        writeField(r, recordRow(c.kind, c.row), c.written);
        EXPECT_EQ(readField(r, recordRow(c.kind, c.row)), c.readBack);
    }
    MapStore map;
    EXPECT_EQ(recordOf(map, RecordKind::Wall, 0), nullptr);
}

TEST(RecordEditor, SelectionLoadMarksDifferingRowsAndAppliesDeltas) {
    RecordRig r;
    Editor& ed = *r.ed;
    const uint8_t pals[3] = {1, 1, 2};
    for (int32_t i = 0; i < 3; ++i) {
        r.map.sprites[size_t(i)].pal = pals[i];
        r.selectSprite(i);
    }
    r.open(PanelSubject::SelectedSprites);
    EXPECT_EQ(ed.app.currentPage, Page::RecordEditor);
    EXPECT_EQ(RecordEditorSubject(r.re().recordEditorSubject), RecordEditorSubject::SelectedSprites);
    EXPECT_EQ(r.re().propertyState[6], 1);
    EXPECT_EQ(r.re().propertyState[4], 0);
    EXPECT_EQ(r.re().propertyValues[4], 5);
    EXPECT_EQ(ed.pages.search.searchFromProperties, 1);

    r.re().propertyDeltas[6] = 3;
    applyRecordEditor(ed);
    EXPECT_EQ(r.map.sprites[0].pal, 4);
    EXPECT_EQ(r.map.sprites[1].pal, 4);
    EXPECT_EQ(r.map.sprites[2].pal, 5);
    EXPECT_EQ(r.re().propertyDeltas[6], 0);
    EXPECT_EQ(r.map.undoState, UndoState::Snapshot);

    // A value typed into the blank row goes to all three.
    r.re().propertyValues[6] = 7;
    r.re().propertyState[6] = 0;
    applyRecordEditor(ed);
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(r.map.sprites[size_t(i)].pal, 7);
    EXPECT_EQ(r.re().propertyState[6], 0);
}

TEST(RecordEditor, MixedStatBitsKeepEachObjectsOwnBit) {
    RecordRig r;
    r.map.walls[0].cstat = 0x20;
    r.map.walls[1].cstat = 0x20 | 16;
    r.selectWall(0);
    r.selectWall(1);
    r.open(PanelSubject::SelectedWalls);
    RecordEditorState& re = r.re();
    EXPECT_EQ(re.propertyState[5], 1);
    EXPECT_EQ(re.propertyValues[5], 0x20);
    for (int32_t b = 0; b < 16; ++b) EXPECT_EQ(re.propertyStatBits[size_t(b)], b == 4 ? 1 : 0) << b;
    re.propertyValues[5] |= 1;  // tick bit 0
    applyRecordEditor(*r.ed);
    EXPECT_EQ(r.map.walls[0].cstat, 0x21);
    EXPECT_EQ(r.map.walls[1].cstat, 0x21 | 16);
}

TEST(RecordEditor, LoadThenApplyWithoutEditsLeavesEveryRecordAsItWas) {
    struct Case {
        PanelSubject subject;
        bool select;
    };
    const Case cases[] = {
        {PanelSubject::HoveredSector, false}, {PanelSubject::HoveredWall, false},
        {PanelSubject::HoveredSprite, false}, {PanelSubject::SelectedSectors, true},
        {PanelSubject::SelectedWalls, true},  {PanelSubject::SelectedSprites, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.subject));
        RecordRig r;
        // Odd values in every field, the stat fields differing between the selected objects.
        for (int32_t i = 0; i < r.map.spriteCount; ++i) {
            SpriteRecord& k = r.map.sprites[size_t(i)];
            k.shade = int8_t(-5 - i);
            k.cstat = uint16_t(0x8001 + 2 * i);
            k.lotag = int16_t(-2 - i);
            k.xoffset = -7;
        }
        for (int32_t w = 0; w < r.map.wallCount; ++w) {
            r.map.walls[size_t(w)].cstat = uint16_t(0xF000 | w);
            r.map.walls[size_t(w)].shade = -100;
        }
        r.map.sectors[0].ceilingstat = 0xFFFF;
        r.map.sectors[1].floorstat = 0x8002;
        r.map.sectors[1].floorshade = -128;
        r.ed->hover.hoveredSector = 1;
        r.ed->hover.hoveredWall = 3;
        r.ed->hover.hoveredSprite = 2;
        if (c.select) {
            r.selectSector(0);
            r.selectSector(1);
            r.selectWall(1);
            r.selectWall(4);
            r.selectWall(6);
            for (int32_t i = 0; i < 3; ++i) r.selectSprite(i);
        }
        const auto before = std::make_unique<MapStore>(r.map);
        r.open(c.subject);
        applyRecordEditor(*r.ed);
        EXPECT_EQ(test::recordDifference(*before, r.map), "");
    }
}

// The toolbar's record steps, run through the command table as the toolbar runs them: the page
// is written into the record it showed, then the neighbour (when there is one) is loaded.
TEST(RecordEditor, ToolbarStepsApplyThenLoadTheNeighbour) {
    struct Case {
        PanelSubject subject;
        int32_t start;  // hovered index; -2 selects every object of the kind
        int32_t action;
        int32_t target;  // the target afterwards
    };
    const Case cases[] = {
        {PanelSubject::HoveredSprite, 1, 161, 2},  {PanelSubject::HoveredSprite, 2, 161, 2},
        {PanelSubject::HoveredSprite, 1, 160, 0},  {PanelSubject::HoveredSprite, 0, 160, 0},
        {PanelSubject::HoveredWall, 7, 161, 7},    {PanelSubject::HoveredWall, 3, 160, 2},
        {PanelSubject::HoveredSector, 0, 161, 1},  {PanelSubject::HoveredSector, 1, 162, -1},
        {PanelSubject::SelectedSprites, -2, 161, kAll},
        {PanelSubject::SelectedSprites, -2, 162, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(int(c.subject)) + "/" + std::to_string(c.start) + "/" +
                     std::to_string(c.action));
        RecordRig r;
        Editor& ed = *r.ed;
        const bool all = c.start == -2;
        const RecordKind kind = c.subject == PanelSubject::HoveredSector ? RecordKind::Sector
                                : c.subject == PanelSubject::HoveredWall ? RecordKind::Wall
                                                                         : RecordKind::Sprite;
        if (all)
            for (int32_t i = 0; i < 3; ++i) r.selectSprite(i);
        ed.hover.hoveredSprite = ed.hover.hoveredWall = ed.hover.hoveredSector = c.start;
        r.open(c.subject);
        r.cues();
        r.re().propertyValues[6] = 77;
        r.re().propertyState[6] = 0;
        const CommandRow* row = findUiAction(c.action);
        ASSERT_NE(row, nullptr);
        ASSERT_TRUE(commandApplies(*row, ed));
        row->run(ed);

        // Written into the record (or records) shown before the step.
        const RowField f = recordRow(kind, 6);
        for (int32_t i = 0; i < objectCount(r.map, kind); ++i)
            EXPECT_EQ(readField(recordOf(r.map, kind, i), f) == 77, all || i == c.start) << i;
        const int32_t target = kind == RecordKind::Sector ? ed.prompt.targetSector
                               : kind == RecordKind::Wall ? ed.prompt.targetWall
                                                          : ed.prompt.targetSprite;
        EXPECT_EQ(target, c.target);
        if (c.target >= 0 && c.target != kAll)
            EXPECT_EQ(r.re().propertyValues[6], readField(recordOf(r.map, kind, c.target), f));
        if (c.action == 162) {
            EXPECT_EQ(ed.prompt.targetSprite, -1);
            EXPECT_EQ(ed.prompt.targetWall, -1);
            EXPECT_EQ(RecordEditorSubject(r.re().recordEditorSubject),
                      RecordEditorSubject::Nothing);
        }
        EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
    }
}

TEST(RecordEditor, ToolbarStepsLeaveAStaleTargetAlone) {
    RecordRig r;
    Editor& ed = *r.ed;
    ed.hover.hoveredSprite = 2;
    r.open(PanelSubject::HoveredSprite);
    ed.prompt.targetSprite = 3;  // the last sprite went away under the page
    const auto before = std::make_unique<MapStore>(r.map);
    for (const int32_t action : {160, 161}) {
        findUiAction(action)->run(ed);
        EXPECT_EQ(ed.prompt.targetSprite, 3);
    }
    EXPECT_EQ(test::recordDifference(*before, r.map), "");
}

TEST(RecordEditor, EmptySelectionAndNothingSubject) {
    RecordRig r;
    r.open(PanelSubject::SelectedSectors);
    for (int32_t i = 0; i < kPropertyColumns; ++i) EXPECT_EQ(r.re().propertyState[size_t(i)], 2);
    const auto before = std::make_unique<MapStore>(r.map);
    r.map.mapModified = MapModifiedState::Unmodified;
    applyRecordEditor(*r.ed);
    EXPECT_EQ(test::recordDifference(*before, r.map), "");
    EXPECT_NE(r.map.mapModified, MapModifiedState::Unmodified);

    r.open(PanelSubject::None);
    EXPECT_EQ(RecordEditorSubject(r.re().recordEditorSubject), RecordEditorSubject::Nothing);
    r.ed->app.focusedField = 7;
    nextRecordEditorField(*r.ed);
    EXPECT_EQ(r.ed->app.focusedField, 7);
}

TEST(RecordEditor, OpensOnlyFromTheMapPagesUnlessForced) {
    RecordRig r;
    Editor& ed = *r.ed;
    ed.hover.hoveredSector = 0;
    ed.hover.panelSubject = PanelSubject::HoveredSector;
    ed.app.currentPage = Page::Statistics;
    openRecordEditor(ed, 0);
    EXPECT_EQ(ed.app.currentPage, Page::Statistics);
    openRecordEditor(ed, 1);
    EXPECT_EQ(ed.app.currentPage, Page::RecordEditor);
    EXPECT_EQ(r.cues(), std::vector<std::string>{"mode1"});
}

TEST(RecordEditor, SectorTabFollowsTheCeilingViewAndTheSideViewWallLoads) {
    RecordRig r;
    Editor& ed = *r.ed;
    ed.settings.ceilingView = 1;
    ed.hover.hoveredSector = 0;
    r.open(PanelSubject::HoveredSector);
    EXPECT_EQ(r.re().statPanelShowsFloor, 0);
    ed.settings.ceilingView = 0;
    r.open(PanelSubject::HoveredSector);
    EXPECT_EQ(r.re().statPanelShowsFloor, 1);

    ed.app.previousPage = Page::SideView;
    ed.view.sideViewSubjectKind = SideViewSubjectKind::Wall;
    ed.view.sideViewSubject = 5;
    ed.hover.panelSubject = PanelSubject::None;
    ed.app.currentPage = Page::SideView;
    openRecordEditor(ed, 0);
    EXPECT_EQ(ed.prompt.targetWall, 5);
    EXPECT_EQ(r.re().propertyValues[0], r.map.walls[5].x);
}

TEST(RecordEditor, StaleTargetsWriteNothingAndLoadButtonsRefuseBadNumbers) {
    RecordRig r;
    Editor& ed = *r.ed;
    ed.hover.hoveredWall = 2;
    r.open(PanelSubject::HoveredWall);
    r.re().propertyValues[6] = 1234;
    ed.prompt.targetWall = 9000;  // the map changed under the page
    const auto before = std::make_unique<MapStore>(r.map);
    applyRecordEditor(ed);
    EXPECT_EQ(test::recordDifference(*before, r.map), "");

    struct Case {
        int32_t button;
        int32_t number;
        bool loads;
    };
    const Case cases[] = {
        {2004, 1, true},  {2004, 2, false}, {2005, 7, true},    {2005, 8, false},
        {2006, 2, true},  {2006, 3, false}, {2006, -1, false},  {2004, 1 << 30, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button * 100 + c.number);
        ed.prompt.targetSector = ed.prompt.targetWall = ed.prompt.targetSprite = -1;
        r.re().recordNumberInput = c.number;
        recordEditorButton(ed, c.button);
        const int32_t target = c.button == 2004   ? ed.prompt.targetSector
                               : c.button == 2005 ? ed.prompt.targetWall
                                                  : ed.prompt.targetSprite;
        EXPECT_EQ(target, c.loads ? c.number : -1);
        if (!c.loads) EXPECT_EQ(ed.app.statusText, r.msg(1366, {std::to_string(c.number)}));
    }
}

TEST(RecordEditor, TabOrderPerKind) {
    struct Case {
        PanelSubject subject;
        int32_t from, to;
    };
    const Case cases[] = {
        {PanelSubject::HoveredSprite, 7, 8},  {PanelSubject::HoveredSprite, 29, 30},
        {PanelSubject::HoveredSprite, 52, 7}, {PanelSubject::HoveredWall, 23, 30},
        {PanelSubject::HoveredWall, 46, 7},   {PanelSubject::HoveredWall, 24, 24},
        {PanelSubject::HoveredSector, 56, 56},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        RecordRig r;
        r.ed->hover.hoveredSprite = 0;
        r.ed->hover.hoveredWall = 0;
        r.ed->hover.hoveredSector = 0;
        r.open(c.subject);
        r.ed->app.focusedField = c.from;
        nextFieldOrCopyAttributes(*r.ed);
        EXPECT_EQ(r.ed->app.focusedField, c.to);
    }
}

TEST(RecordEditor, ApplyRebuildsTheWallToSectorTable) {
    RecordRig r;
    r.ed->hover.hoveredSector = 0;
    r.open(PanelSubject::HoveredSector);
    r.map.wallSector[0] = 1;  // out of step until the table is rebuilt
    applyRecordEditor(*r.ed);
    EXPECT_EQ(r.map.wallSector[0], 0);
}

TEST(RecordEditor, EnterAppliesAndLeaves) {
    RecordRig r;
    Editor& ed = *r.ed;
    ed.hover.hoveredSprite = 1;
    r.open(PanelSubject::HoveredSprite);
    r.re().propertyValues[4] = 321;
    r.cues();
    confirmOrPasteAttributes(ed);
    EXPECT_EQ(r.map.sprites[1].picnum, 321);
    EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
}

// Pixel probes of the painter, with a font whose every glyph is a solid block in the ink.
TEST(RecordEditor, PainterDrawsValuesBlanksDeltasAndTheCaret) {
    RecordRig r;
    Editor& ed = *r.ed;
    std::fill(ed.fonts.font7x11.begin(), ed.fonts.font7x11.end(), uint8_t(255));
    ed.colorSettings.colorUiTextBoxText = 200;
    ed.hover.hoveredSprite = 0;
    r.selectSprite(0);
    r.selectSprite(1);
    r.map.sprites[1].pal = 3;  // row 6 differs: blank
    r.open(PanelSubject::SelectedSprites);
    ASSERT_EQ(r.re().propertyState[6], 1);
    const auto inkIn = [&](int32_t x1, int32_t x2, int32_t y1, int32_t y2) {
        const SurfaceView v = screenView(ed.frameBuffer);
        for (int32_t y = y1; y <= y2; ++y)
            for (int32_t x = x1; x <= x2; ++x)
                if (v.at(x, y) == 200) return true;
        return false;
    };
    const auto paint = [&](int32_t frameTime, int32_t focus) {
        std::fill(ed.frameBuffer.screen.begin(), ed.frameBuffer.screen.end(), uint8_t(0));
        ed.input.frameTime = frameTime;
        ed.app.focusedField = focus;
        drawRecordEditor(ed);
    };
    const int32_t y4 = 512 - 16 * 4, y6 = 512 - 16 * 6;
    paint(250, -1);
    EXPECT_TRUE(inkIn(104, 110, y4, y4 + 10)) << "the picnum row's value";
    EXPECT_FALSE(inkIn(104, 190, y6, y6 + 10)) << "the mixed pal row is blank";
    EXPECT_TRUE(inkIn(224, 230, y6, y6 + 10)) << "the delta is always drawn";

    struct Case {
        int32_t frameTime, focus, caretX, y;
        bool caret;
    };
    // picnum 5 has one character: its caret stands at 104 + 8; the blank row's at 104.
    const Case cases[] = {
        {199, 7 + 4, 112, y4, true},  {200, 7 + 4, 112, y4, false},
        {399, 7 + 4, 112, y4, false}, {400, 7 + 4, 112, y4, true},
        {0, 7 + 6, 104, y6, true},    {0, 30 + 6, 232, y6, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frameTime * 100 + c.focus);
        paint(c.frameTime, c.focus);
        EXPECT_EQ(inkIn(c.caretX, c.caretX, c.y, c.y + 10), c.caret);
        EXPECT_EQ(ed.app.panelHasMouse, 1);
        ed.app.panelHasMouse = 0;
    }

    // Subject Nothing draws nothing.
    r.open(PanelSubject::None);
    paint(0, 7);
    EXPECT_FALSE(inkIn(0, 799, 150, 560));
}

}  // namespace
}  // namespace korvel
