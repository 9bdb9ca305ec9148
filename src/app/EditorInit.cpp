#include "app/EditorInit.h"

#include <cmath>
#include <utility>

#include "app/ConfigFile.h"
#include "app/DataFolder.h"
#include "app/Editor.h"
#include "geometry/Lighting.h"

namespace korvel {

ConfigTarget configTarget(Editor& ed) {
    return {ed.settings, ed.colorSettings, ed.langs};
}

void loadConfigAndInit(Editor& ed) {
    Platform& p = *ed.app.platform;
    readConfigFile(configTarget(ed), ed.mapFile.recentFiles, p.fileSystem(), dataFolder(p));
    initEditorState(ed);
}

bool saveConfig(Editor& ed) {
    Platform& p = *ed.app.platform;
    // While a demo plays the settings are the demo's; the file keeps the user's own.
    std::optional<UserSettingsCopy>& user = ed.demo.userSettings;
    if (!user)
        return writeConfigFile(configTarget(ed), ed.mapFile.recentFiles, p.fileSystem(),
                               dataFolder(p));
    std::swap(ed.settings, user->settings);
    std::swap(ed.colorSettings, user->colors);
    std::swap(ed.langs.languageIndex, user->languageIndex);
    const bool written =
        writeConfigFile(configTarget(ed), ed.mapFile.recentFiles, p.fileSystem(), dataFolder(p));
    std::swap(ed.settings, user->settings);
    std::swap(ed.colorSettings, user->colors);
    std::swap(ed.langs.languageIndex, user->languageIndex);
    return written;
}

namespace {

// Unlike a new map, a fresh editor also forgets the tables a map leaves behind its counts.
void clearMap(MapStore& map) {
    clearMapRecords(map);
    resetMapState(map);
    map.wallSector.fill(0);
    map.wallMoveState.fill(0);
    map.spriteStackCount.fill(0);
    map.mostUsedSpriteTile = 0;
}

void clearClipboardArrays(MapClipboard& clip) {
    clip.clipSectors.fill({});
    clip.clipWalls.fill({});
    clip.clipWallSector.fill(0);
    clip.clipSprites.fill({});
    clip.clipSectorCount = clip.clipWallCount = clip.clipSpriteCount = 0;
    clip.clipOriginX = clip.clipOriginY = 0;
}

// Every tool and dialog page's parameters back to a fresh start's; the last array step is not
// one of them. The lists, the colour editor and the message box keep theirs.
void resetPageParameters(Pages& p, const std::string& programFolder) {
    const int32_t lastArrayStep = p.arrayTool.arraySteps.back();
    p.arrayTool = ArrayToolState{};
    p.arrayTool.arraySteps.back() = lastArrayStep;
    p.wallLighting = WallLightingState{};
    p.wallLighting.shadeBrightness = shadeBrightnessTable();
    p.reelSetup = ReelSetupState{};
    p.archSetup = ArchSetupState{};
    p.sphereSetup = SphereSetupState{};
    p.profileEditor = ProfileEditorState{};
    p.terrainSetup = TerrainSetupState{};
    p.imageExport = ImageExportState{};
    p.problemList = ProblemListState{};
    p.tileFilter = TileFilterState{};
    p.tileZoom = TileZoomState{};
    p.search = SearchState{};
    p.recordEditor = RecordEditorState{};
    p.sparksToy = SparksToyState{};
    p.view3d = View3DState{};
    p.fileBrowser.browserFolder = programFolder;
}

}  // namespace

void initEditorState(Editor& ed) {
    Settings& s = ed.settings;
    ed.langs.currentLanguage = uint8_t(uint32_t(ed.langs.languageIndex) & 0xFF);
    s.repeatStartEdit = s.repeatStart;
    s.repeatDelayEdit = s.repeatDelay;

    clearMap(ed.map);
    clearClipboardArrays(ed.clipboard);
    ed.app.objectsRenumbered = 0;

    AppState& a = ed.app;
    a.currentPage = Page::PlanView;
    a.modeStackDepth = 0;
    a.redrawRequest = 2;
    a.focusedField = -1;
    a.helpPopupStep = -1;
    a.messageLogAnim = -1;
    a.caretBlinkTime = -1;
    a.frameBlend = 0;
    a.screenSwingState = -1;
    a.hiddenWord12Progress = a.hiddenWord14Progress = 0;
    a.hiddenWord7Progress = a.hiddenWord8Progress = 0;
    a.useWindowHook = 1;
    a.screenshotCounter = 0;
    a.grpPath.clear();

    ed.view.viewOriginX = ed.view.viewOriginY = 0;
    ed.view.viewZoom = 16;
    ed.view.sideViewOriginX = ed.view.sideViewOriginZ = 0;
    ed.view.sideViewScale = 16;
    ed.view.exportLeft = ed.view.exportBottom = ed.view.exportRight = ed.view.exportTop = 0;
    ed.view.exportScale = 16000;
    ed.view.exportGridSpacing = 256;
    ed.view.exportOptionA = 1;
    ed.view.exportOptionB = 0;

    ed.tool = ToolState{};
    ed.sound.batchDepth = 0;
    ed.sound.batchFinished = 1;
    ed.demo.demoFrameIndex = -1;
    ed.mapFile.nextAutoSaveNumber = 0;
    // A stale autosave time would make the first autosave after a re-initialisation wait for
    // the old interval, or fall due at once.
    ed.mapFile.lastAutoSaveTime = 0;

    resetPageParameters(ed.pages, a.platform ? a.platform->programFolder() : std::string());
    ed.viewMotion = ViewMotionState{};
    ed.input.cyrillicKeyboard = 0;

    ScriptState& sc = ed.pages.scriptEditor;
    sc.scriptName.clear();
    sc.scriptText.clear();
    sc.scriptCount = sc.scriptIndex = sc.scriptListTop = sc.scriptCursor = sc.scriptAnchor = 0;
    sc.scriptLineCount = sc.scriptTopLine = sc.scriptShownLine = sc.scriptUndoAvailable = 0;
    sc.scriptTextChanged = sc.scriptCaretTime = 0;
    sc.scriptOverwrite = 0;

    // The particle list starts over with room for 4096; the count must follow, or particles of
    // the old run would be stepped from cleared slots.
    ed.particles.particles.assign(4096, Particle{});
    ed.particles.particleCount = 0;

    ed.loop.loopStartTick = a.platform ? a.platform->ticks() : 0;
    ed.input.frameTime = 0;
    ed.loop.prevFrameTime = 0;
}

}  // namespace korvel
