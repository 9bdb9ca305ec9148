#include "app/MapFileCommands.h"

#include "app/Editor.h"
#include "map/Mainm.h"
#include "map/MapFile.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace korvel {

namespace {

constexpr int32_t kPlanViewPage = 0;
constexpr int32_t kUnsupportedMapVersionBox = 8;
constexpr int32_t kFireworkParticles = 256;
constexpr int32_t kCueFlags = kSoundAsync | kSoundNoDefault;

// What the map model reports while these commands run: status messages go to the status line,
// cues to the platform's player, particles onto the screen.
class MapFileEvents : public SilentMapEvents {
public:
    explicit MapFileEvents(Editor& ed) : ed_(ed) {}

    void statusMessage(int32_t number, std::vector<std::string> args, int32_t count) override {
        args.resize(4);
        ed_.app.statusText =
            getMessage4(number, ed_.langs, args[0], args[1], args[2], args[3], count);
    }
    void playCue(const std::string& cue) override {
        Platform* platform = ed_.app.platform;
        if (platform == nullptr) return;
        const std::string dataFolder = joinPath(platform->programFolder(), "KorvelD");
        platform->playSound(joinPath(dataFolder, cue + ".wav"), kCueFlags);
    }
    void addParticle(int32_t x, int32_t y, int32_t kind) override {
        korvel::addParticle(ed_.particles, ed_.random, true, x, y, kind);
    }

private:
    Editor& ed_;
};

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
        ed.app.statusText = getMessage(1309, ed.langs);
        return false;
    }
    ed.app.statusText = getMessage(252, ed.langs);
    showMapCaption(ed);
    return true;
}

}  // namespace

void showMapCaption(Editor& ed) {
    if (ed.app.platform != nullptr)
        ed.app.platform->setCaption(getMessage(1308, ed.langs, ed.mapFile.mapTitle));
}

void loadMap(Editor& ed, const std::string& path, bool silent) {
    FileSystem* fs = fileSystemOf(ed);
    if (fs == nullptr) {
        ed.mapFile.mapLoadFailed = 1;
        return;
    }
    const MapLoadResult r = loadMap(ed.map, ed.mapFile, ed.view, *fs, path, silent);
    if (!r.loaded) return;
    if (r.unknownVersion) ed.app.pendingMessageBox = kUnsupportedMapVersionBox;
    showMapCaption(ed);
    ed.fileBrowser.browserFolder = getPathFolder(path);
    ed.app.currentPage = kPlanViewPage;
    if (ed.mapFile.mapLoadNotice != 0)
        ed.app.statusText = getMessage(ed.mapFile.mapLoadNotice, ed.langs, getPathFileName(path));
}

void reportMapLoad(Editor& ed) {
    if (ed.mapFile.mapLoadFailed != 0)
        ed.app.statusText = getMessage(314, ed.langs);
    else if (ed.mapFile.mapLoadNotice != 0)
        ed.app.statusText =
            getMessage(ed.mapFile.mapLoadNotice, ed.langs, getPathFileName(ed.mapFile.mapPath));
    else
        ed.app.statusText = getMessage(315, ed.langs, std::to_string(ed.map.auxResult));
}

bool saveMap(Editor& ed, const std::string& path, bool autosaveMode) {
    FileSystem* fs = fileSystemOf(ed);
    if (fs == nullptr) return false;
    return saveMap(ed.map, ed.mapFile, *fs, path, autosaveMode,
                   joinPath(programFolderOf(ed), "TrashBin"));
}

void insertMapFile(Editor& ed, const std::string& path) {
    FileSystem* fs = fileSystemOf(ed);
    if (fs == nullptr) {
        ed.mapFile.mapLoadFailed = 1;
        return;
    }
    MapFileEvents events(ed);
    const MapLoadResult r =
        insertMapFile(ed.map, ed.clipboard, ed.undo, ed.mapFile, ed.view, *fs, events, path);
    if (!r.loaded) return;
    if (r.unknownVersion) ed.app.pendingMessageBox = kUnsupportedMapVersionBox;
    if (ed.mapFile.mapLoadNotice != 0)
        ed.app.statusText = getMessage(ed.mapFile.mapLoadNotice, ed.langs, getPathFileName(path));
}

void saveCurrentMap(Editor& ed) {
    saveToOwnFile(ed);
}

void promptSaveMapAs(Editor& ed) {
    ed.prompt.promptKind = int32_t(ValuePromptKind::MapFileName);
    ed.prompt.promptNegative = 0;
    ed.prompt.promptInput = ed.mapFile.mapTitle;
    ed.prompt.promptText = getMessage(604, ed.langs);
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
        ed.app.statusText = getMessage(1309, ed.langs);
        return;
    }
    file.nextAutoSaveNumber = nextAutoSaveNumber(file.nextAutoSaveNumber, file.maxAutosaves);
    if (ed.prompt.promptKind == 0) ed.app.statusText = getMessage(603, ed.langs, name);
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
    MapFileEvents events(ed);
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
        events.addParticle(safeFloor(randomSingle(ed.random) * 800.0), 4, 0);
    events.playCue("pyro");
}

}  // namespace korvel
