#include "editing/MenuCommands.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "map/MapFile.h"

#include "pages/MessageBox.h"
#include "support/CommandRig.h"

namespace korvel {
namespace {

using test::CommandRig;
using Want = test::FileOutcome;

TEST(MenuCommands, AChosenItemRunsItsCommandAndClosesTheMenu) {
    struct Case {
        int32_t code;
        Want want;
        bool menuCloses;
    } const cases[] = {
        {770, Want::Saved, true},       // Save map
        {771, Want::NamePrompt, true},  // Save map as
        {790, Want::Nothing, true},     // Quit: asks, once its question arrives
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        CommandRig r;
        r.ed->menus.openMenu = 1;
        r.click(c.code);
        r.expectOutcome(c.want);
        EXPECT_EQ(r.ed->menus.openMenu, c.menuCloses ? 0 : 1);
    }
}

TEST(MenuCommands, EveryKindOfItemByItsEffectCueAndMenu) {
    using Check = std::function<bool(const Editor&)>;
    struct Case {
        int32_t id;
        Check took;
        const char* cue;  // null: none checked
        bool staysOpen;
    } const cases[] = {
        {808, [](const Editor& e) { return e.settings.showSprites == 0; }, "command", true},
        {817, [](const Editor& e) { return e.settings.wallTags == 0; }, "command", true},
        {819, [](const Editor& e) { return e.settings.sectorsFull == 1; }, "command", true},
        {821, [](const Editor& e) { return e.settings.twoColorBlend == 1; }, "command", true},
        {822, [](const Editor& e) { return e.settings.ceilingView == 1; }, "mode1", true},
        {801, [](const Editor& e) { return e.tool.dragKind == DragKind::Rotate; }, "mode3", true},
        {848, [](const Editor& e) { return e.settings.regionSelectMode == 1; }, "mode3", true},
        {850, [](const Editor& e) { return e.tool.selAreaMode == 1; }, "command", true},
        {851, [](const Editor& e) { return e.settings.autoWallSquare == 0; }, "command", true},
        {852, [](const Editor& e) { return e.settings.autoTextureMove == 1; }, "command", true},
        {840,
         [](const Editor& e) {
             return e.app.deferredAction == DeferredAction::RepairWallLinks &&
                    e.cursor.cursorShape == CursorShape::Busy;
         },
         "command", true},
        {804,
         [](const Editor& e) {
             return e.app.currentPage == Page::RecordEditor && e.prompt.targetSector == -1;
         },
         "command", false},
        {805,
         [](const Editor& e) {
             return e.prompt.promptKind == int32_t(ValuePromptKind::GridSize) &&
                    !e.prompt.promptInput.empty();
         },
         "command", false},
        {827, [](const Editor& e) { return e.tool.currentTool == Tool::LinearCut; }, "command",
         false},
        {830,
         [](const Editor& e) {
             return e.tool.currentTool == Tool::IntersectSectors && e.tool.toolTargetSector == -1;
         },
         "command", false},
        {846, [](const Editor& e) { return e.app.currentPage == Page::About; }, "command", false},
        {856, [](const Editor& e) { return e.app.currentPage == Page::ImageExport; }, nullptr,
         false},
        {859, [](const Editor& e) { return e.demo.demoFrameIndex == -1; }, "command", false},
        {862,
         [](const Editor& e) {
             return e.prompt.promptKind == int32_t(ValuePromptKind::Calculator) &&
                    e.prompt.promptInput == "x" && e.prompt.promptText.empty();
         },
         "command", false},
        {863,
         [](const Editor& e) {
             return e.app.currentPage == Page::View3D && e.pages.view3d.view3dState == 0 &&
                    e.pages.view3d.camX == e.map.startX && e.pages.view3d.enter3dPending == 1;
         },
         "command", false},
        {843,
         [](const Editor& e) {
             return e.map.undoState == UndoState::Snapshot && e.map.startSector == 0;
         },
         "command", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        CommandRig r;
        r.ed->settings.autoWallSquare = 1;
        r.ed->settings.autoTextureMove = 0;
        r.ed->tiles.artLoaded = 1;
        r.ed->menus.openMenu = 3;
        if (c.id == 859) r.ed->demo.demoRecording = 1;  // cancelling needs a recording
        r.click(c.id);
        EXPECT_TRUE(c.took(*r.ed));
        if (c.cue) EXPECT_TRUE(r.played(c.cue));
        EXPECT_EQ(r.ed->menus.openMenu, c.staysOpen ? 3 : 0);
    }
}

TEST(MenuCommands, TransformToolsStartWithTheTargetOnTheSource) {
    for (const int32_t id : {832, 833, 834}) {
        SCOPED_TRACE(id);
        CommandRig r;
        r.ed->map.sectorSelected[0] = 1;
        r.ed->map.selectedSectorCount = 1;
        r.ed->tool.selectionMode = SelectionMode::Sectors;
        r.click(id);
        const DrawVertexList& p = r.ed->drawVertices;
        const int32_t n = (id - 832) * 2 + 4;
        ASSERT_EQ(p.toolPointCount, n);
        for (int32_t i = 0; i < n / 2; ++i) {
            EXPECT_EQ(p.toolPointsX[i + n / 2], p.toolPointsX[i]);
            EXPECT_EQ(p.toolPointsY[i + n / 2], p.toolPointsY[i]);
        }
        EXPECT_EQ(p.toolPointsX[0], 0);
        EXPECT_EQ(p.toolPointsY[0], 0);
        EXPECT_EQ(p.toolPointsX[1], 256);
        EXPECT_EQ(r.ed->dispatch.ignoreMousePress, 1) << "the held button stays out of the map";
    }
}

TEST(MenuCommands, ClipboardItemsGoToTheScriptTextWithoutAFocusedField) {
    struct Case {
        int32_t id;
        bool focused;
        const char* text;
    } const cases[] = {
        {795, false, "abdef"},   // delete: the character after the caret
        {792, false, "adef"},    // cut: the selection
        {795, true, "abcdef"},   // with a field focused the script is not touched
        {792, true, "abcdef"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << (c.focused ? " focused" : ""));
        CommandRig r;
        r.ed->app.currentPage = r.ed->app.previousPage = Page::ScriptEditor;
        r.ed->app.focusedField = c.focused ? 26001 : -1;
        ScriptState& s = r.ed->pages.scriptEditor;
        s.scriptText = "abcdef";
        s.scriptCursor = 2;
        s.scriptAnchor = c.id == 792 ? 0 : 2;
        if (c.id == 792) s.scriptCursor = 3, s.scriptAnchor = 1;
        r.click(c.id);
        EXPECT_EQ(s.scriptText, c.text);
        EXPECT_EQ(r.ed->map.sectorCount, 1) << "the map is not the script editor's";
    }
}

TEST(MenuCommands, ARecentFileWhileModifiedAsksThenOpensTheRememberedSlot) {
    CommandRig r;
    auto other = std::make_unique<MapStore>();
    test::MapBuilder(*other).addRoom(0, 0, 64, 64);
    test::MapBuilder(*other).addRoom(64, 0, 128, 64);
    r.ed->mapFile.recentFiles[2] = r.dir.write("other.map", serializeMap(*other));
    r.ed->mapFile.recentFiles[3] = r.dir.write("third.map", serializeMap(*other));
    r.click(777);
    ASSERT_EQ(r.ed->app.currentPage, Page::MessageBox);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxKind, MessageBoxKind::SaveBeforeOpenRecent);
    EXPECT_EQ(r.ed->map.sectorCount, 1) << "nothing opened before the answer";
    answerMessageBox(*r.ed, MessageBoxResult::Second);  // do not save
    EXPECT_EQ(r.ed->map.sectorCount, 2);
    EXPECT_EQ(r.ed->mapFile.mapPath, r.dir.file("other.map"));
}

}  // namespace
}  // namespace korvel
