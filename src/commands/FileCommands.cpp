#include "commands/FileCommands.h"

#include <utility>

#include "app/DataFolder.h"
#include "app/Editor.h"
#include "app/MapFileCommands.h"
#include "app/Screenshot.h"
#include "app/Sound.h"
#include "base/MessageNumbers.h"
#include "view3d/View3dScene.h"
#include "geometry/ClipboardPaste.h"
#include "geometry/SectorDeletion.h"
#include "geometry/SpriteTools.h"
#include "map/MapEdit.h"
#include "map/Selection.h"
#include "pages/MessageBox.h"
#include "script/ScriptLayout.h"
#include "ui/Languages.h"
#include "ui/Toolbar.h"
#include "views/SideView.h"

namespace korvel {

namespace {

constexpr int32_t kMsgScreenshotSaved = 83;
constexpr int32_t kMsgUndone = 217;
constexpr int32_t kMsgSectorsCopied = 234, kMsgSpritesCopied = 235;
constexpr int32_t kMsgSectorsCut = 236, kMsgSpritesCut = 237;
constexpr int32_t kMsgPasted = 238;
constexpr int32_t kMsgSwapped = 309;
constexpr int32_t kMsgTileNumberCopied = 1303;

void status(Editor& ed, int32_t n) { ed.events.statusMessage(n, {}, 0); }

bool onMapPages(const Editor& ed) {
    return ed.app.currentPage == Page::PlanView || ed.app.currentPage == Page::SideView;
}

bool repeatedFromSecondAnswer(const Editor& ed) {
    return ed.app.hoveredWidget == MessageBoxResult::Second;
}

void clipboardChanged(Editor& ed, int32_t message) {
    balanceClipboard(ed.clipboard);
    rebuildToolbar(ed);
    ed.app.redrawRequest = std::max(ed.app.redrawRequest, 1);
    status(ed, message);
    playSound(ed, "command");
}

// Copies the selected sectors (with their sprites) or else the selected sprites; with `cut`
// each is deleted right after it is taken. Whether anything was selected.
bool takeSelection(Editor& ed, bool cut) {
    MapStore& m = ed.map;
    MapClipboard& clip = ed.clipboard;
    const bool sectors = m.selectedSectorCount > 0;
    if (!sectors && m.selectedSpriteCount <= 0) return false;
    clearClipboard(clip);
    // Cutting writes the map: the snapshot lets Ctrl+Z bring back exactly what was cut.
    std::optional<MapEdit> edit;
    if (cut) edit.emplace(m, ed.undo, ed.events, EditUndo::Snapshot);
    MapEvents& events = edit ? edit->events() : static_cast<MapEvents&>(ed.events);
    {
    MuteBracket mute(ed.sound, ed.settings);
    const int32_t& count = sectors ? m.sectorCount : m.spriteCount;
    uint8_t* const flags = sectors ? m.sectorSelected.begin() : m.spriteSelected.begin();
    int32_t i = 0;
    while (i < count) {
        if (!flags[i]) {
            ++i;
            continue;
        }
        const bool copied = sectors ? copySectorToClipboard(clip, m, events, i, true)
                                    : copySpriteToClipboard(clip, m, events, i);
        if (!cut || !copied) {
            // Not taken: a cut leaves the object in the map, never deleted without its copy.
            if (cut) flags[i] = 0;
            ++i;
            continue;
        }
        const bool removed = sectors ? deleteSector(m, events, i) : deleteSprite(m, events, i);
        if (!removed) {
            flags[i] = 0;
            ++i;
        }
    }
    }
    if (edit) {
        deselectSectors(m);
        deselectSprites(m);
        edit->commit();
    }
    if (cut)
        clipboardChanged(ed, sectors ? kMsgSectorsCut : kMsgSpritesCut);
    else
        clipboardChanged(ed, sectors ? kMsgSectorsCopied : kMsgSpritesCopied);
    return true;
}

}  // namespace

void copyCommand(Editor& ed) {
    const Page p = ed.app.currentPage;
    if (p == Page::TilePicker || p == Page::TileZoom) {
        const TilePickerState& t = ed.pages.tilePicker;
        const std::vector<int32_t>& list = ed.tileCatalog.tileList;
        int32_t tile = t.tilePickerCursor;
        if (!t.tilePickerShowAll)
            tile = tile >= 0 && tile < int32_t(list.size()) ? list[size_t(tile)] : -1;
        ed.prompt.valueClipboard = tile;
        status(ed, kMsgTileNumberCopied);
        playSound(ed, "command");
        return;
    }
    if (onMapPages(ed)) takeSelection(ed, false);
}

void cutCommand(Editor& ed) {
    if (onMapPages(ed)) takeSelection(ed, true);
}

void pasteCommand(Editor& ed) {
    if (!onMapPages(ed)) return;
    const MapClipboard& clip = ed.clipboard;
    if (clip.clipSectorCount <= 0 && clip.clipWallCount <= 0 && clip.clipSpriteCount <= 0) return;
    MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
    const bool ok = ed.cursor.cursorShape == CursorShape::MapCross
                        ? pasteClipboard(ed.map, clip, edit.events(), ed.hover.hitPointX,
                                         ed.hover.hitPointY)
                        : pasteClipboardInPlace(ed.map, clip, edit.events());
    // A paste refused for room has said why; nothing else is shown.
    if (!edit.finish(ok)) return;
    if (ed.app.currentPage == Page::SideView) buildSideViewSlices(ed);
    status(ed, kMsgPasted);
    playSound(ed, "command");
}

void swapClipboardCommand(Editor& ed) {
    ed.dispatch.areaSelectLatch = 0;
    swapClipboard(ed.map, ed.clipboard);
    status(ed, kMsgSwapped);
    playSound(ed, "command");
}

void undoCommand(Editor& ed) {
    ScriptState& s = ed.pages.scriptEditor;
    if (ed.app.currentPage == Page::ScriptEditor && s.scriptUndoAvailable) {
        std::swap(s.scriptText, s.scriptUndoText);
        s.scriptEdited = 1;
        std::swap(s.scriptCursor, s.scriptUndoCursor);
        std::swap(s.scriptAnchor, s.scriptUndoAnchor);
        scriptEditorKeepCursorVisible(ed);
        rebuildToolbar(ed);
        ed.app.redrawRequest = std::max(ed.app.redrawRequest, 1);
        return;
    }
    if (ed.map.undoState == UndoState::Nothing) return;
    restoreUndo(ed.map, ed.undo, ed.clipboard, ed.tool.selectionMode, ed.events);
    if (ed.app.currentPage == Page::View3D && ed.pages.view3d.view3dState == 0) {
        ed.pages.view3d.view3dValid = 0;
        build3dView(ed);
    }
    status(ed, kMsgUndone);
    playSound(ed, "command");
}

void saveMapAsCommand(Editor& ed) {
    promptSaveMapAs(ed);
    playSound(ed, "command");
}

void newMapCommand(Editor& ed) {
    if (ed.map.mapModified != MapModifiedState::Unmodified) {
        openMessageBox(ed, MessageBoxKind::SaveBeforeNewMap);
        return;
    }
    resetMap(ed);
    playSound(ed, "command");
}

namespace {

void openBrowser(Editor& ed, FileBrowserPurpose purpose) {
    ed.app.currentPage = Page::FileBrowser;
    ed.pages.fileBrowser.browserPurpose = purpose;
    fillFileDialogLists(ed.pages.fileBrowser, ed.app.platform->fileSystem(),
                        ed.app.platform->programFolder());
    playSound(ed, "command");
}

}  // namespace

void openMapBrowser(Editor& ed) {
    if (ed.app.currentPage == Page::FileBrowser) return;
    if (ed.map.mapModified != MapModifiedState::Unmodified && !repeatedFromSecondAnswer(ed)) {
        openMessageBox(ed, MessageBoxKind::SaveBeforeOpenMap);
        return;
    }
    openBrowser(ed, FileBrowserPurpose::OpenMap);
}

void openMergeBrowser(Editor& ed) {
    if (ed.app.currentPage == Page::FileBrowser) return;
    openBrowser(ed, FileBrowserPurpose::MergeMap);
}

void reloadMapCommand(Editor& ed) {
    ed.dispatch.areaSelectLatch = 0;
    if (!ed.mapFile.mapPath.empty()) openMessageBox(ed, MessageBoxKind::ConfirmRevert);
}

void restoreAutosave(Editor& ed) {
    if (!onMapPages(ed)) return;
    if (ed.map.mapModified != MapModifiedState::Unmodified && !repeatedFromSecondAnswer(ed)) {
        openMessageBox(ed, MessageBoxKind::SaveBeforeRestoreAutosave);
        return;
    }
    loadLatestAutoSave(ed);
    playSound(ed, "beep1");
}

// Always asks: whether to save first when the map holds changes, else whether to quit.
void quitCommand(Editor& ed) {
    openMessageBox(ed, ed.map.mapModified != MapModifiedState::Unmodified
                           ? MessageBoxKind::SaveBeforeQuit
                           : MessageBoxKind::ConfirmQuit);
}

void stopRecordingCommand(Editor& ed) {
    stopDemoRecording(ed);
}

void runCurrentScript(Editor& ed) {
    ed.dispatch.areaSelectLatch = 0;
    const std::string& name = ed.pages.scriptEditor.scriptName;
    if (name.empty()) return;
    const std::string path = joinPath(dataFolder(*ed.app.platform), name + ".kvs");
    if (!ed.app.platform->fileSystem().fileExists(path)) return;
    ed.cursor.cursorShape = CursorShape::Busy;
    ed.app.deferredAction = DeferredAction::RunScript;
}

// The cue and the message only when a picture was written.
void takeScreenshot(Editor& ed) {
    if (saveScreenshot(ed)) {
        playSound(ed, "beep2");
        status(ed, kMsgScreenshotSaved);
    } else {
        status(ed, kMsgScreenshotFailed);
    }
}

}  // namespace korvel
