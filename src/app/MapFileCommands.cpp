#include "app/MapFileCommands.h"

#include "app/Editor.h"
#include "app/EditorEvents.h"
#include "base/FileSystem.h"
#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "geometry/MapMerge.h"
#include "map/MapFile.h"
#include "platform/Platform.h"
#include "base/Cp1251.h"

namespace korvel {

namespace {

constexpr int32_t kFireworkParticles = 256;
FileSystem* fileSystemOf(Editor& ed) {
    return ed.app.platform != nullptr ? &ed.app.platform->fileSystem() : nullptr;
}

std::string programFolderOf(Editor& ed) {
    return ed.app.platform != nullptr ? ed.app.platform->programFolder() : std::string();
}

// The save behind Ctrl+S and the menus: to the map's own file, reported in the status line and
// the caption. False when nothing was saved (no file yet, or the write failed).
bool saveToOwnFile(Editor& ed) {
    if (ed.mapFile.mapPath.empty()) {
        promptSaveMapAs(ed);
        return false;
    }
    if (!saveMap(ed, ed.mapFile.mapPath, false)) {
        reportSaveFailure(ed);
        return false;
    }
    ed.app.statusText = getMessage(kMsgMapSaved, ed.langs);
    setMapCaption(ed);
    return true;
}

}  // namespace

void loadMap(Editor& ed, const std::string& path, bool silent) {
    FileSystem* fs = fileSystemOf(ed);
    if (fs == nullptr) {
        ed.mapFile.mapLoadFailed = 1;
        ed.mapFile.mapLoadNotice = 0;
        return;
    }
    const MapLoadResult r = loadMap(ed.map, ed.mapFile, *fs, path, silent);
    if (!r.loaded) {
        // A refused file says why on its own, before any caller reports.
        if (ed.mapFile.mapLoadNotice != 0)
            ed.app.statusText = getMessage(ed.mapFile.mapLoadNotice, ed.langs,
                                           shownPathText(getPathFileName(path)));
        return;
    }
    // The plan view opens on the start position.
    ed.view.viewOriginX = float(-int64_t(ed.map.startX));
    ed.view.viewOriginY = float(ed.map.startY);
    if (r.unknownVersion) ed.app.pendingMessageBox = MessageBoxKind::UnsupportedMapVersion;
    setMapCaption(ed);
    ed.pages.fileBrowser.browserFolder = getPathFolder(path);
    ed.app.currentPage = Page::PlanView;
    if (ed.mapFile.mapLoadNotice != 0)
        ed.app.statusText =
            getMessage(ed.mapFile.mapLoadNotice, ed.langs, shownPathText(getPathFileName(path)));
}

void reportMapLoad(Editor& ed) {
    if (ed.mapFile.mapLoadFailed != 0 && ed.mapFile.mapLoadNotice != 0)
        return;  // the refusal's own message, which loadMap showed, says more than 314
    if (ed.mapFile.mapLoadFailed != 0)
        ed.app.statusText = getMessage(kMsgMapNotLoaded, ed.langs);
    else if (ed.mapFile.mapLoadNotice != 0)
        ed.app.statusText = getMessage(ed.mapFile.mapLoadNotice, ed.langs,
                                       shownPathText(getPathFileName(ed.mapFile.mapPath)));
    else
        ed.app.statusText =
            getMessage(kMsgMapLoaded, ed.langs, std::to_string(ed.mapFile.mapVersionByte));
}

void reportSaveFailure(Editor& ed) {
    const std::string& kept = ed.mapFile.keptNewFile;
    ed.app.statusText = kept.empty() ? getMessage(kMsgMapNotSaved, ed.langs)
                                     : getMessage(kMsgSaveKeptNewFile, ed.langs, kept);
}

bool saveMap(Editor& ed, const std::string& path, bool autosaveMode) {
    FileSystem* fs = fileSystemOf(ed);
    if (fs == nullptr) return false;
    return saveMap(ed.map, ed.mapFile, *fs, path, autosaveMode,
                   joinPath(programFolderOf(ed), "TrashBin"));
}

void resetMap(Editor& ed) {
    resetMap(ed.map, ed.events);
    ed.view.viewOriginX = ed.view.viewOriginY = 0;
    ed.view.viewZoom = 16;
}

void insertMapFile(Editor& ed, const std::string& path) {
    FileSystem* fs = fileSystemOf(ed);
    if (fs == nullptr) {
        ed.mapFile.mapLoadFailed = 1;
        return;
    }
    const MapLoadResult r =
        insertMapFile(ed.map, ed.clipboard, ed.undo, ed.mapFile, *fs, ed.events, path);
    if (!r.loaded) return;
    if (r.unknownVersion) ed.app.pendingMessageBox = MessageBoxKind::UnsupportedMapVersion;
    if (ed.mapFile.mapLoadNotice != 0)
        ed.app.statusText =
            getMessage(ed.mapFile.mapLoadNotice, ed.langs, shownPathText(getPathFileName(path)));
}

void saveCurrentMap(Editor& ed) {
    saveToOwnFile(ed);
}

void promptSaveMapAs(Editor& ed) {
    ed.prompt.promptKind = int32_t(ValuePromptKind::MapFileName);
    ed.prompt.promptNegative = 0;
    ed.prompt.promptInput = ed.mapFile.mapTitle;
    ed.prompt.promptText = getMessage(kMsgSaveMapAs, ed.langs);
}

void autoSave(Editor& ed) {
    MapFileState& file = ed.mapFile;
    if (file.nextAutoSaveNumber < 0) file.nextAutoSaveNumber = 0;
    const std::string name = autoSaveFileName(file.nextAutoSaveNumber);
    const bool saved = saveMap(ed, joinPath(programFolderOf(ed), name), true);
    // A failed autosave waits for the next interval like a written one, rather than trying
    // again every frame; it keeps its number, so the files stay in sequence without a gap.
    file.lastAutoSaveTime = ed.input.frameTime;
    if (!saved) {
        reportSaveFailure(ed);
        return;
    }
    file.nextAutoSaveNumber = nextAutoSaveNumber(file.nextAutoSaveNumber, ed.settings.maxAutosaves);
    if (ed.prompt.promptKind == 0) ed.app.statusText = getMessage(kMsgAutosavedAs, ed.langs, name);
}

void loadLatestAutoSave(Editor& ed) {
    FileSystem* fs = fileSystemOf(ed);
    if (fs == nullptr) return;
    const auto path = findLatestAutoSave(*fs, programFolderOf(ed));
    if (!path) return;
    loadMap(ed, *path, false);
    reportMapLoad(ed);
}

void saveMapFromKey(Editor& ed) {
    if (ed.map.mapModified == MapModifiedState::Unmodified) return;
    MapEvents& events = ed.events;
    if (ed.mapFile.mapPath.empty()) {
        promptSaveMapAs(ed);
        events.playCue("command");
        return;
    }
    if (!saveToOwnFile(ed)) {
        events.playCue("beep2");
        return;
    }
    for (int32_t i = 0; i < kFireworkParticles; ++i)
        addParticle(ed.particles, ed.random, ed.settings.showSparks != 0,
                    safeFloor(randomSingle(ed.random) * 800.0), 4, 0);
    events.playCue("pyro");
}

}  // namespace korvel
