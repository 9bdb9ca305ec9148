#include "app/DeferredActions.h"

#include <span>
#include <vector>

#include "app/Editor.h"
#include "app/Sound.h"
#include "app/Startup.h"
#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "geometry/SpritePrimitives.h"
#include "geometry/WallLinks.h"
#include "map/MapEdit.h"
#include "map/ProgressScope.h"
#include "map/SectorSearch.h"
#include "pages/ProblemList.h"
#include "resources/ColorTableBuild.h"
#include "resources/TileLists.h"
#include "script/ScriptFiles.h"
#include "script/ScriptRun.h"

namespace korvel {

namespace {

void arrowCursor(Editor& ed) {
    ed.cursor.cursorShape = CursorShape::Arrow;
}

// Asked for by the textured-sectors button while the tiles were not loaded.
void texturedPlanView(Editor& ed) {
    loadArtTiles(ed);
    ed.settings.sectorsFull = 1;
    arrowCursor(ed);
    rebuildToolbar(ed);
    ed.app.statusText = getMessage(kMsgTilesLoadedTextured, ed.langs);
    playSound(ed, "beep2");
}

// Saves the current script and runs it; the cue and message say how the run ended.
void runScriptAction(Editor& ed) {
    ed.cursor.cursorShape = CursorShape::Arrow;
    if (!saveScript(ed, false)) return;
    const ScriptRunEnd end = runScript(ed, ed.pages.scriptEditor.scriptName, true);
    if (end == ScriptRunEnd::Asked) return;
    if (end == ScriptRunEnd::Finished) {
        playSound(ed, "command");
        ed.app.statusText = getMessage(kMsgScriptFinished, ed.langs);
        return;
    }
    const int32_t message = end == ScriptRunEnd::StepBudget ? kMsgScriptStepLimit
                            : end == ScriptRunEnd::Aborted  ? kMsgScriptAborted
                                                            : kMsgScriptTooLong;
    playSound(ed, "beep2");
    ed.app.statusText = getMessage(message, ed.langs);
}

template <typename Record, typename Field>
std::vector<int16_t> picnums(std::span<const Record> records, Field field) {
    std::vector<int16_t> out;
    out.reserve(records.size());
    for (const Record& r : records) out.push_back(r.*field);
    return out;
}

// The tile picker for the object under the mouse when the command was given: a sprite, else a
// wall (its masked texture with Shift), else without Shift the sector's floor or ceiling.
void tilePickerForHovered(Editor& ed) {
    loadArtTiles(ed);
    ed.app.currentPage = Page::TilePicker;
    arrowCursor(ed);
    ValuePromptState& p = ed.prompt;
    TilePickerState& tp = ed.pages.tilePicker;
    TileCatalog& cat = ed.tileCatalog;
    const MapStore& m = ed.map;
    const HoverState& h = ed.hover;
    const bool shift = ed.dispatch.shiftHeld != 0;
    p.targetSector = p.targetSprite = p.targetWall = -1;

    int32_t tile = -1;
    bool targeted = true;
    const std::span<const SpriteRecord> sprites(&m.sprites[0], size_t(m.spriteCount));
    const std::span<const WallRecord> walls(&m.walls[0], size_t(m.wallCount));
    const std::span<const SectorRecord> sectors(&m.sectors[0], size_t(m.sectorCount));
    if (isSprite(m, h.hoveredSprite) && !shift) {
        p.targetSprite = h.hoveredSprite;
        tile = m.sprites[h.hoveredSprite].picnum;
        listUsedSpriteTiles(cat, picnums(sprites, &SpriteRecord::picnum));
    } else if (isWall(m, h.hoveredWall)) {
        p.targetWall = h.hoveredWall;
        tp.targetOverpicnum = shift ? 1 : 0;
        if (shift) {
            tile = m.walls[h.hoveredWall].overpicnum;
            listUsedMaskedWallTiles(cat, picnums(walls, &WallRecord::overpicnum));
        } else {
            tile = m.walls[h.hoveredWall].picnum;
            listUsedWallTiles(cat, picnums(walls, &WallRecord::picnum));
        }
    } else if (!shift && isSector(m, h.hoveredSector)) {
        p.targetSector = h.hoveredSector;
        if (ed.settings.ceilingView) {
            tile = m.sectors[h.hoveredSector].ceilingpicnum;
            listUsedCeilingTiles(cat, picnums(sectors, &SectorRecord::ceilingpicnum));
        } else {
            tile = m.sectors[h.hoveredSector].floorpicnum;
            listUsedFloorTiles(cat, picnums(sectors, &SectorRecord::floorpicnum));
        }
    } else {
        targeted = false;
    }

    tp.tilePickerShowAll = 0;
    if (targeted) {
        // A tile the list leaves out (one outside the tiles) puts the cursor on the first entry.
        tp.tilePickerCursor = 0;
        const std::vector<int32_t>& list = cat.tileList;
        for (size_t i = 0; i < list.size() && list[i] != -1; ++i)
            if (list[i] == tile) {
                tp.tilePickerCursor = int32_t(i);
                break;
            }
    }
    playSound(ed, "beep2");
    ed.app.redrawRequest = 1;
    updateSelectionLayerMask(ed.tool);
    rebuildToolbar(ed);
}

// The batch repairs: one undo snapshot for the whole pass, the progress bar while it runs.
// The progress bar is cleared at the end, whatever the pass left.
template <typename Pass>
void batchRepair(Editor& ed, Pass pass) {
    MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
    arrowCursor(ed);
    pass(edit.events());
    edit.commit();
    ed.bootLogState.progressShown = 0;
    ed.menus.openMenu = 0;
    playSound(ed, "beep2");
}

void repairLinks(Editor& ed) {
    updateWallSectnums(ed.map);
    batchRepair(ed, [&](MapEvents& events) { repairWallLinks(ed.map, events); });
    ed.app.statusText = getMessage(kMsgWallLinksRepaired, ed.langs);
}

void deleteZeroLengthWalls(Editor& ed) {
    int32_t removed = 0;
    batchRepair(ed, [&](MapEvents& events) {
        MapStore& m = ed.map;
        ProgressScope progress(events, m.wallCount);
        for (int32_t i = m.wallCount; i != 0;) {
            --i;
            if (m.wallIgnored[i] != 0) continue;
            if (checkZeroWall(m, events, i)) ++removed;
            if (m.wallCount < i) i = m.wallCount;
            progress.step();
        }
    });
    ed.app.statusText = getMessage(kMsgZeroWallsDeleted, ed.langs, std::to_string(removed));
}

void refindSpriteSectors(Editor& ed) {
    batchRepair(ed, [&](MapEvents& events) {
        MapStore& m = ed.map;
        ProgressScope progress(events, m.spriteCount);
        const SectorSearch search(m);
        const int32_t count = m.spriteCount;
        for (int32_t i = 0; i < count; ++i) {
            if (m.spriteIgnored[i] != 0) continue;
            updateSpriteSectnum(m, search, i);
            progress.step();
        }
    });
    ed.app.statusText = getMessage(kMsgSpriteSectorsFound, ed.langs);
}

}  // namespace

void runDeferredAction(Editor& ed) {
    AppState& a = ed.app;
    switch (a.deferredAction) {
        case DeferredAction::None:
            return;
        case DeferredAction::TexturedPlanView:
            texturedPlanView(ed);
            break;
        case DeferredAction::TilePickerForHovered:
            tilePickerForHovered(ed);
            break;
        case DeferredAction::RebuildGammaRemap:
            arrowCursor(ed);
            buildGammaRemap(ed.colorTables, ed.settings.textureGamma,
                            ed.settings.alternatePalette != 0);
            playSound(ed, "beep2");
            break;
        case DeferredAction::ComputeStatistics:
            arrowCursor(ed);
            ed.calls.computeMapStatistics(ed);
            ed.calls.drawPieChart(ed, 400, 216, 64, 12,
                                  safeFloor(a.statMapFileSize / double(kFullMapFileSize) * 65536), 120,
                                  216);
            playSound(ed, "beep2");
            break;
        case DeferredAction::CheckMap:
            arrowCursor(ed);
            ed.calls.checkMap(ed);
            playSound(ed, "beep2");
            break;
        case DeferredAction::RepairWallLinks:
            repairLinks(ed);
            break;
        case DeferredAction::DeleteZeroLengthWalls:
            deleteZeroLengthWalls(ed);
            break;
        case DeferredAction::RefindSpriteSectors:
            refindSpriteSectors(ed);
            break;
        case DeferredAction::ShowDrivePicker:
            // The drive picker's panel, drawn by the page change of this frame, sets the arrow.
            a.currentPage = Page::DrivePicker;
            break;
        case DeferredAction::RunScript:
            runScriptAction(ed);
            break;
        default:
            break;
    }
    a.deferredAction = DeferredAction::None;
}

}  // namespace korvel
