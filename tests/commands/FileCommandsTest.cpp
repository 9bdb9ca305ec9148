#include "commands/FileCommands.h"

#include <gtest/gtest.h>

#include "app/DataFolder.h"
#include "app/Editor.h"
#include "map/MapFile.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"
#include "support/MapInvariants.h"
#include "support/NumberedMessages.h"

namespace korvel::test {
namespace {

// Three linked rooms in a row with a sprite in each, messages "#<number>".
struct ClipRig : EditorRig {
    ClipRig() : EditorRig("", false) {
        ed->langs = numberedMessages();
        MapBuilder b(ed->map);
        b.addGrid(0, 0, 3, 1, 256);
        b.link();
        for (int32_t s = 0; s < 3; ++s) b.addSprite(128 + 256 * s, 128, 0, s, int16_t(10 + s));
        tagObjects(ed->map, 100);
        ed->app.currentPage = Page::PlanView;
    }
    MapStore& map() { return ed->map; }
    std::string bytes() const { return serializeMap(ed->map); }
};

TEST(FileCommands, CutThenUndoGivesTheMapBackByteForByte) {
    for (const bool sectors : {true, false}) {
        ClipRig r;
        MapStore& m = r.map();
        const std::string before = r.bytes();
        if (sectors) {
            m.sectorSelected[0] = m.sectorSelected[2] = 1;
            m.selectedSectorCount = 2;
        } else {
            m.spriteSelected[1] = 1;
            m.selectedSpriteCount = 1;
        }
        cutCommand(*r.ed);
        SCOPED_TRACE(sectors ? "sectors" : "sprites");
        EXPECT_EQ(m.sectorCount, sectors ? 1 : 3);
        EXPECT_EQ(m.spriteCount, sectors ? 1 : 2) << "a cut sector takes its sprites";
        EXPECT_EQ(r.ed->clipboard.clipSpriteCount, sectors ? 2 : 1);
        EXPECT_EQ(r.ed->clipboard.clipSectorCount, sectors ? 2 : 0);
        EXPECT_EQ(r.ed->app.statusText, sectors ? "#236" : "#237");
        EXPECT_TRUE(checkMapInvariants(m).empty()) << describeViolations(checkMapInvariants(m));
        undoCommand(*r.ed);
        EXPECT_EQ(r.bytes(), before);
        EXPECT_EQ(r.ed->app.statusText, "#217");
    }
}

TEST(FileCommands, CopyAndPasteAtTheCursorOrInPlace) {
    ClipRig r;
    MapStore& m = r.map();
    copyCommand(*r.ed);
    EXPECT_EQ(r.ed->clipboard.clipSectorCount, 0) << "nothing selected";
    m.sectorSelected[1] = 1;
    m.selectedSectorCount = 1;
    const std::string before = r.bytes();
    copyCommand(*r.ed);
    EXPECT_EQ(r.bytes(), before) << "copying leaves the map";
    EXPECT_EQ(m.undoState, UndoState::Nothing);
    EXPECT_EQ(r.ed->app.statusText, "#234");

    // In place: over the copied sector's own walls.
    r.ed->cursor.cursorShape = CursorShape::Arrow;
    pasteCommand(*r.ed);
    ASSERT_EQ(m.sectorCount, 4);
    EXPECT_EQ(m.walls[m.sectors[3].wallptr].x, 256);
    EXPECT_EQ(r.ed->app.statusText, "#238");
    // At the cursor: the clipboard's origin goes to the hit point.
    r.ed->cursor.cursorShape = CursorShape::MapCross;
    r.ed->hover.hitPointX = 2048;
    r.ed->hover.hitPointY = 4096;
    pasteCommand(*r.ed);
    ASSERT_EQ(m.sectorCount, 5);
    int32_t minX = 1 << 30, minY = 1 << 30;
    for (int32_t w = m.sectors[4].wallptr; w < m.sectors[4].wallptr + m.sectors[4].wallnum; ++w) {
        minX = std::min(minX, m.walls[w].x);
        minY = std::min(minY, m.walls[w].y);
    }
    EXPECT_EQ(minX, 2048);
    EXPECT_EQ(minY, 4096);
    EXPECT_TRUE(checkMapInvariants(m).empty()) << describeViolations(checkMapInvariants(m));
    // Undo takes back only the last paste.
    undoCommand(*r.ed);
    EXPECT_EQ(m.sectorCount, 4);

    // In the tile picker Ctrl+C copies the tile number, not the map.
    r.ed->app.currentPage = Page::TilePicker;
    r.ed->tileCatalog.tileList[3] = 77;
    r.ed->pages.tilePicker.tilePickerCursor = 3;
    const int32_t clipSectors = r.ed->clipboard.clipSectorCount;
    copyCommand(*r.ed);
    EXPECT_EQ(r.ed->prompt.valueClipboard, 77);
    EXPECT_EQ(r.ed->clipboard.clipSectorCount, clipSectors);
}

TEST(FileCommands, SwapThenUndoSwapsBack) {
    ClipRig r;
    MapStore& m = r.map();
    m.spriteSelected[0] = 1;
    m.selectedSpriteCount = 1;
    copyCommand(*r.ed);
    m.spriteSelected[0] = 0;
    m.selectedSpriteCount = 0;
    const std::string before = r.bytes();
    swapClipboardCommand(*r.ed);
    EXPECT_EQ(m.sectorCount, 0);
    EXPECT_EQ(m.spriteCount, 1);
    undoCommand(*r.ed);
    EXPECT_EQ(r.bytes(), before);
}

TEST(FileCommands, UndoOnTheScriptPage) {
    for (const bool scriptCopy : {true, false}) {
        ClipRig r;
        Editor& ed = *r.ed;
        ScriptState& s = ed.pages.scriptEditor;
        s.scriptText = "new";
        s.scriptUndoText = "old";
        s.scriptUndoAvailable = scriptCopy ? 1 : 0;
        ed.map.sectors[0].lotag = 5;
        saveUndo(ed.map, ed.undo);
        ed.map.sectors[0].lotag = 6;
        ed.app.currentPage = Page::ScriptEditor;
        undoCommand(ed);
        EXPECT_EQ(s.scriptText, scriptCopy ? "old" : "new");
        EXPECT_EQ(ed.map.sectors[0].lotag, scriptCopy ? 6 : 5);
    }
}

TEST(FileCommands, QuestionsBeforeLosingChanges) {
    const struct {
        void (*key)(Editor&);
        MapModifiedState modified;
        bool hasPath;
        int32_t hovered;
        std::optional<MessageBoxKind> box;
        Page page;
    } cases[] = {
        {newMapCommand, MapModifiedState::Modified, true, 0, MessageBoxKind::SaveBeforeNewMap,
         Page::MessageBox},
        {newMapCommand, MapModifiedState::Unmodified, true, 0, std::nullopt, Page::PlanView},
        {openMapBrowser, MapModifiedState::Modified, true, 0, MessageBoxKind::SaveBeforeOpenMap,
         Page::MessageBox},
        {openMapBrowser, MapModifiedState::Modified, true, MessageBoxResult::Second, std::nullopt,
         Page::FileBrowser},
        {reloadMapCommand, MapModifiedState::Unmodified, true, 0, MessageBoxKind::ConfirmRevert,
         Page::MessageBox},
        {reloadMapCommand, MapModifiedState::Modified, false, 0, std::nullopt, Page::PlanView},
        {restoreAutosave, MapModifiedState::AutoSaved, true, 0,
         MessageBoxKind::SaveBeforeRestoreAutosave, Page::MessageBox},
        {restoreAutosave, MapModifiedState::Modified, true, MessageBoxResult::Second, std::nullopt,
         Page::PlanView},
        {quitCommand, MapModifiedState::Modified, true, 0, MessageBoxKind::SaveBeforeQuit,
         Page::MessageBox},
        {quitCommand, MapModifiedState::Unmodified, true, 0, MessageBoxKind::ConfirmQuit,
         Page::MessageBox},
    };
    int i = 0;
    for (const auto& c : cases) {
        ClipRig r;
        Editor& ed = *r.ed;
        ed.map.mapModified = c.modified;
        ed.mapFile.mapPath = c.hasPath ? r.dir.file("room.map") : "";
        ed.app.hoveredWidget = c.hovered;
        c.key(ed);
        SCOPED_TRACE(i++);
        EXPECT_EQ(ed.app.currentPage, c.page);
        if (c.box) EXPECT_EQ(ed.pages.messageBox.messageBoxKind, *c.box);
        if (c.key == newMapCommand && !c.box) EXPECT_EQ(ed.map.sectorCount, 0);
    }
}

TEST(FileCommands, ScriptRunsOnlyWhenItsFileExists) {
    ClipRig r;
    Editor& ed = *r.ed;
    ed.pages.scriptEditor.scriptName = "walls";
    runCurrentScript(ed);
    EXPECT_EQ(ed.app.deferredAction, DeferredAction::None);
    r.dir.write("KorvelD/walls.kvs", "x=1\r\n");
    runCurrentScript(ed);
    EXPECT_EQ(ed.app.deferredAction, DeferredAction::RunScript);
    EXPECT_EQ(ed.cursor.cursorShape, CursorShape::Busy);
}

TEST(FileCommands, ScreenshotAndStopRecordingReportWhatHappened) {
    ClipRig r;
    Editor& ed = *r.ed;
    takeScreenshot(ed);
    EXPECT_EQ(ed.app.statusText, "#83") << "the picture was written";

    stopRecordingCommand(ed);
    EXPECT_EQ(ed.prompt.promptKind, 0) << "no recording";
    ed.demo.demoRecording = 1;
    ed.demo.demoFrameIndex = 120;
    ed.demo.demoKeyPos = 40;
    ed.demo.demoFrameKeyBytes = 3;
    stopRecordingCommand(ed);
    EXPECT_EQ(ed.demo.demoHeaderFrames, 120);
    EXPECT_EQ(ed.demo.demoHeaderKeyEvents, 43);
    EXPECT_EQ(ed.demo.demoRecording, 0);
    EXPECT_EQ(ed.demo.demoFrameIndex, -1);
    EXPECT_EQ(ed.prompt.promptKind, int32_t(ValuePromptKind::DemoFileName));
    EXPECT_EQ(ed.prompt.promptText, "#1299");
    EXPECT_EQ(ed.prompt.promptInput, "#325");
}

}  // namespace
}  // namespace korvel::test
