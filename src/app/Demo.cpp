#include "app/Demo.h"

#include <algorithm>

#include "app/Editor.h"
#include "app/EditorEvents.h"
#include "app/EditorInit.h"
#include "app/InputSampling.h"
#include "app/MapFileCommands.h"
#include "app/PanelBackground.h"
#include "app/Sound.h"
#include "base/FileSystem.h"
#include "base/MessageNumbers.h"
#include "base/PathNames.h"
#include "pages/FileBrowser.h"
#include "pages/MessageBox.h"
#include "platform/Platform.h"
#include "ui/Menus.h"

namespace korvel {

namespace {

constexpr size_t kDemoGrowth = 8192;
constexpr int32_t kFirstLiveKeyFrame = 65;
constexpr const char* kTrashFolder = "TrashBin";
constexpr int32_t kMsgDemoNamePrompt = 1299;

void report(Editor& ed, int32_t message, const std::string& argument = {}) {
    ed.events.statusMessage(message, {argument}, 0);
}

void freshDemoArrays(DemoState& d) {
    d.demoFrames.assign(kDemoGrowth, DemoFrame{});
    d.demoKeys.assign(kDemoGrowth, 0);
}

// The start map of a demo is never the map's own file: Ctrl+S during a demo must not overwrite
// it, and the top bar must read the same in the recording and the playback.
void leaveMapUnnamed(Editor& ed) {
    ed.mapFile.mapPath.clear();
    ed.mapFile.mapTitle = getMessage(kMsgUntitled, ed.langs);
    setMapCaption(ed);
}

// Moves a file into the trash folder beside the program, replacing an older copy there.
bool moveToTrash(FileSystem& fs, const std::string& programFolder, const std::string& path) {
    const std::string trash = joinPath(programFolder, kTrashFolder);
    if (!fs.folderExists(trash) && !fs.makeFolder(trash)) return false;
    return fs.moveFile(path, joinPath(trash, getPathFileName(path)));
}

UserSettingsCopy userSettingsOf(const Editor& ed) {
    return {ed.settings, ed.colorSettings, ed.langs.languageIndex};
}

// A menu left open as a demo ends offers its demo rows as they now are, not as they were.
void refreshOpenMenu(Editor& ed) {
    if (ed.menus.openMenu != 0) drawOpenMenu(ed);
}

void applyExtras(Settings& s, const DemoExtras& x) {
    s.showSparks = x.showSparks;
    s.sparkMode = x.sparkMode;
    s.layoutSwitchKeys = x.layoutSwitchKeys;
}

}  // namespace

bool demoPlaying(const DemoState& d) {
    return d.demoRecording == 0 && d.demoFrameIndex >= 0;
}

void storeDemoSettings(const Editor& ed, DemoHeader& header) {
    storeDemoSettings(header, ed.random.randomState, ed.settings);
}

void applyDemoSettings(Editor& ed, const DemoHeader& header) {
    ed.demo.demoSeed = applyDemoSettings(header, ed.settings);
}

void recordDemoFrame(Editor& ed) {
    DemoState& d = ed.demo;
    const int32_t i = d.demoFrameIndex;
    if (i < 0) return;
    if (size_t(i) >= d.demoFrames.size()) d.demoFrames.resize(d.demoFrames.size() + kDemoGrowth);
    DemoFrame& f = d.demoFrames[size_t(i)];
    if (i > 0) {
        f.prevKeyCount = d.demoFrames[size_t(i) - 1].keyCount;
        d.demoKeyPos += f.prevKeyCount;
    } else {
        f.prevKeyCount = 0;
    }
    f.keyCount = 0;
    const InputState& in = ed.input;
    for (size_t k = 0; k < 256; ++k) {
        if (keyIsDown(in.keyStates[k]) == keyIsDown(in.keyStates[256 + k])) continue;
        const size_t pos = size_t(d.demoKeyPos) + size_t(f.keyCount);
        if (pos >= d.demoKeys.size()) d.demoKeys.resize(d.demoKeys.size() + kDemoGrowth);
        d.demoKeys[pos] = uint8_t(k);
        ++f.keyCount;
    }
    f.x = int16_t(uint16_t(uint32_t(in.mouseX) & 0xFFFF));
    f.y = int16_t(uint16_t(uint32_t(in.mouseY) & 0xFFFF));
    f.time = in.frameTime;
    d.demoFrameIndex = i + 1;
    d.demoFrameKeyBytes = f.keyCount;
    if (d.demoFrameIndex >= kMaxDemoFrames) {
        stopDemoRecording(ed);
        report(ed, kMsgDemoTooLong);
    }
}

void replayDemoFrame(Editor& ed) {
    DemoState& d = ed.demo;
    const int32_t i = d.demoFrameIndex;
    if (i < 0) return;
    if (i >= kFirstLiveKeyFrame && ed.app.platform != nullptr) {
        Platform& p = *ed.app.platform;
        for (int k = 0; k < 256; ++k)
            if (keyIsDown(p.keyState(k)) && !isModifierKey(k)) {
                stopDemoPlayback(ed);
                return;
            }
    }
    // The file was checked whole when it was read; a state that does not fit ends the demo.
    if (size_t(i) >= d.demoFrames.size() || i >= d.demoFrameCount) {
        stopDemoPlayback(ed);
        return;
    }
    const DemoFrame& f = d.demoFrames[size_t(i)];
    const size_t first = size_t(std::max(d.demoKeyPos, 0));
    const size_t last = std::min(d.demoKeys.size(), first + size_t(std::max<int16_t>(f.keyCount, 0)));

    InputState& in = ed.input;
    in.frameTime = f.time;
    in.keyPressedThisFrame = 0;
    std::array<int16_t, 256> states;
    std::copy_n(in.keyStates.begin(), 256, states.begin());
    for (size_t pos = first; pos < last; ++pos) {
        int16_t& s = states[d.demoKeys[pos]];
        s = keyIsDown(s) ? int16_t(0) : int16_t(-32768);
    }
    for (int k = 0; k < 256; ++k)
        sampleKey(in, k, states[size_t(k)], ed.settings.repeatStart, ed.settings.repeatDelay);

    in.prevMouseX2 = in.prevMouseX;
    in.prevMouseY2 = in.prevMouseY;
    in.prevMouseX = in.mouseX;
    in.prevMouseY = in.mouseY;
    in.mouseX = f.x;
    in.mouseY = f.y;

    d.demoFrameIndex = i + 1;
    if (i + 1 < d.demoFrameCount && size_t(i) + 1 < d.demoFrames.size())
        d.demoKeyPos += d.demoFrames[size_t(i) + 1].prevKeyCount;
    else
        stopDemoPlayback(ed);
}

void startDemoFrame(Editor& ed) {
    DemoState& d = ed.demo;
    d.demoFrameIndex = 0;
    d.demoKeyPos = 0;
    d.demoFrameKeyBytes = 0;
    ed.random.randomState = d.demoSeed;
    d.demoStartPending = 0;

    InputState& in = ed.input;
    in.keyStates.fill(0);
    in.keyPressed.fill(0);
    in.keyDownTime.fill(0);
    in.keyRepeatTime.fill(0);
    in.keyRepeatCount.fill(0);
    in.keyPressedThisFrame = 0;
    in.mouseX = in.prevMouseX = in.prevMouseX2 = 400;
    in.mouseY = in.prevMouseY = in.prevMouseY2 = 300;
    ed.loop.frameNumber = 0;

    ed.particles.particleCount = 0;
    ed.particles.screenEffectFrame = 200;
    AppState& a = ed.app;
    a.frameBlend = 0;
    a.screenSmearEffect = 0;
    a.screenShakeEffect = 0;
    a.screenSwingState = -1;
    a.screenSwingSpeed = 0;
    a.screenSwingAngle = 0;
    a.hiddenWord7Progress = a.hiddenWord8Progress = 0;
    a.hiddenWord12Progress = a.hiddenWord14Progress = 0;

    if (a.platform != nullptr && !ed.tiles.artLoaded)
        ensureArtLoaded(ed.tiles, a.grpPath, a.platform->programFolder(),
                        a.platform->fileSystem(), ed.events);

    ed.tool.currentTool = ed.tool.previousTool = Tool::Idle;
    ed.drawVertices.toolPointCount = 0;
    ed.menus.openMenu = 0;
    ed.prompt.promptKind = 0;
    // Work left for this frame by the editor before the demo (statistics of another page, say)
    // would draw and consume random numbers the recording never saw.
    a.deferredAction = DeferredAction::None;
    // So would modifiers, drags, hovering and the pointer's shape carried over from live input.
    ed.dispatch = DispatchState{};
    ed.drag = DragState{};
    ed.hover = HoverState{};
    ed.cursor = CursorState{};

    // The panels are drawn afresh after the seed, so their random dither is part of the demo;
    // and at once, on a cleared background, so that the first frame does not show what the
    // editor showed before.
    a.currentPage = a.previousPage = Page::PlanView;
    a.modeStackDepth = 0;
    std::fill(ed.frameBuffer.background.begin(), ed.frameBuffer.background.end(), uint8_t(0));
    a.redrawAfterModeChange = 1;
    ed.calls.onPageChanged(ed);
    a.redrawAfterModeChange = 0;
    a.redrawRequest = 2;
    rebuildBackground(ed);
    a.redrawRequest = 2;
    a.statusText.clear();
    a.lastLoggedStatus.clear();
}

void startDemoRecording(Editor& ed) {
    if (ed.app.platform == nullptr) return;
    Platform& p = *ed.app.platform;
    FileSystem& fs = p.fileSystem();
    const std::string folder = p.programFolder();
    const std::string startMap = joinPath(folder, kDemoStartMapName);
    const MapStore& m = ed.map;
    if (m.sectorCount > 0 || m.wallCount > 0 || m.spriteCount > 0) {
        if (!saveMap(ed, startMap, true)) {
            playSound(ed, "beep2");
            report(ed, kMsgDemoStartMapNotWritten, startMap);
            return;
        }
    } else if (fs.fileExists(startMap) && !moveToTrash(fs, folder, startMap) &&
               !fs.deleteFile(startMap)) {
        // An older start map would replace the empty one this recording starts from.
        playSound(ed, "beep2");
        report(ed, kMsgDemoStartMapNotWritten, startMap);
        return;
    }
    saveConfig(ed);
    loadConfigAndInit(ed);
    DemoState& d = ed.demo;
    freshDemoArrays(d);
    if (fs.fileExists(startMap)) {
        loadMap(ed, startMap, true);
        leaveMapUnnamed(ed);
    }
    ed.calls.rebuildToolbar(ed);
    d.demoRecording = 1;
    d.demoStartPending = 1;
    d.demoFrameIndex = -1;
    storeDemoSettings(ed, d.demoHeader);
    d.demoSeed = ed.random.randomState;
    d.demoExtras = {ed.settings.showSparks, ed.settings.sparkMode, ed.settings.layoutSwitchKeys};
    playSound(ed, "beep2");
}

void cancelDemoRecording(Editor& ed) {
    DemoState& d = ed.demo;
    d.demoRecording = 0;
    d.demoFrameIndex = -1;
    d.demoStartPending = 0;
    refreshOpenMenu(ed);
}

void stopDemoRecording(Editor& ed) {
    DemoState& d = ed.demo;
    if (!d.demoRecording) return;
    // Stopped before a frame was recorded: there is nothing to keep.
    if (d.demoStartPending || d.demoFrameIndex < 1) {
        cancelDemoRecording(ed);
        return;
    }
    d.demoHeaderFrames = d.demoFrameIndex;
    d.demoHeaderKeyEvents = d.demoKeyPos + d.demoFrameKeyBytes;
    d.demoRecording = 0;
    d.demoFrameIndex = -1;
    refreshOpenMenu(ed);
    ValuePromptState& p = ed.prompt;
    p.promptKind = int32_t(ValuePromptKind::DemoFileName);
    p.promptNegative = 0;
    p.promptInput = getMessage(kMsgUntitled, ed.langs);
    p.promptText = getMessage(kMsgDemoNamePrompt, ed.langs);
    playSound(ed, "command");
}

DemoSaveResult saveDemo(const DemoState& demo, const Languages& langs, FileSystem& fs,
                        const std::string& programFolder, const std::string& path) {
    const int32_t frames = demo.demoHeaderFrames, keys = demo.demoHeaderKeyEvents;
    if (frames < 1 || keys < 0 || size_t(frames) > demo.demoFrames.size() ||
        size_t(keys) > demo.demoKeys.size())
        return DemoSaveResult::NotWritten;
    DemoFileData data;
    data.header = demo.demoHeader;
    if (langs.currentLanguage < langs.languages.size())
        data.languageName = langs.languages[langs.currentLanguage].name;
    data.frames.assign(demo.demoFrames.begin(), demo.demoFrames.begin() + frames);
    data.keys.assign(demo.demoKeys.begin(), demo.demoKeys.begin() + keys);
    data.extras = demo.demoExtras;
    const std::string bytes = serializeDemoFile(data);

    const std::string startMap = joinPath(programFolder, kDemoStartMapName);
    const std::string companion = joinPath(programFolder, getPathFileName(path) + ".map");
    // An older demo's companion of the same name would be replayed as this one's start map.
    const bool oldCompanion = fs.fileExists(companion);
    const std::string trashed =
        joinPath(joinPath(programFolder, kTrashFolder), getPathFileName(companion));
    if (oldCompanion && !moveToTrash(fs, programFolder, companion))
        return DemoSaveResult::NotWritten;
    if (!fs.writeAtomic(path, bytes)) {
        if (oldCompanion) fs.moveFile(trashed, companion);
        return DemoSaveResult::NotWritten;
    }
    if (fs.fileExists(startMap) && !fs.moveFile(startMap, companion))
        return DemoSaveResult::StartMapNotPlaced;
    return DemoSaveResult::Saved;
}

bool saveDemoAndReport(Editor& ed, const std::string& path) {
    if (ed.app.platform == nullptr) return false;
    Platform& p = *ed.app.platform;
    const DemoSaveResult r = saveDemo(ed.demo, ed.langs, p.fileSystem(), p.programFolder(), path);
    if (r == DemoSaveResult::Saved) return true;
    playSound(ed, "beep2");
    if (r == DemoSaveResult::NotWritten)
        report(ed, kMsgDemoNotSaved, path);
    else
        report(ed, kMsgDemoStartMapNotPlaced,
               joinPath(p.programFolder(), getPathFileName(path) + ".map"));
    return false;
}

bool playDemo(Editor& ed, const std::string& path) {
    if (ed.app.platform == nullptr) return false;
    Platform& p = *ed.app.platform;
    FileSystem& fs = p.fileSystem();
    // The whole file is checked before anything of the editor changes.
    const auto bytes = fs.readAll(path);
    auto data = bytes ? parseDemoFile(*bytes) : std::nullopt;
    if (!data) {
        playSound(ed, "beep2");
        report(ed, kMsgFileNotUsed, getPathFileName(path));
        return false;
    }
    DemoState& d = ed.demo;
    storeDemoSettings(ed, d.savedUserSettings);
    d.savedLanguage = ed.langs.languageIndex;
    // A playback started from a playback keeps the user's own settings, not the first demo's.
    if (!d.userSettings) d.userSettings = userSettingsOf(ed);
    saveConfig(ed);
    loadConfigAndInit(ed);
    leaveMapUnnamed(ed);
    d.demoStartPending = 1;
    ed.calls.rebuildToolbar(ed);
    ed.calls.refreshScriptList(ed, false);

    d.demoHeader = data->header;
    d.demoFrameCount = int32_t(data->frames.size());
    d.demoFrames = std::move(data->frames);
    d.demoKeys = std::move(data->keys);
    Languages& l = ed.langs;
    for (size_t i = 0; i < l.languages.size(); ++i) {
        if (l.languages[i].name != data->languageName) continue;
        l.languageIndex = int32_t(i);
        l.currentLanguage = uint8_t(i);
        ed.help.modePanelDirty = 1;
        ed.calls.layoutWidgets(ed);
        break;
    }
    d.demoRecording = 0;
    const std::string companion =
        joinPath(p.programFolder(), getPathFileName(path) + ".map");
    if (fs.fileExists(companion)) {
        loadMap(ed, companion, true);
        leaveMapUnnamed(ed);
    }
    applyDemoSettings(ed, d.demoHeader);
    if (data->extras) applyExtras(ed.settings, *data->extras);
    playSound(ed, "beep2");
    return true;
}

void stopDemoPlayback(Editor& ed) {
    DemoState& d = ed.demo;
    d.demoFrameIndex = -1;
    if (ed.app.platform != nullptr) {
        const auto now = int32_t(ed.app.platform->ticks() - ed.loop.loopStartTick);
        ed.input.frameTime = now;
        ed.loop.prevFrameTime = now;
    }
    applyDemoSettings(ed, d.savedUserSettings);
    // Every setting the demo may have changed comes back, not only those of the header.
    if (d.userSettings) {
        const uint32_t seed = d.demoSeed;
        ed.settings = d.userSettings->settings;
        ed.colorSettings = d.userSettings->colors;
        d.demoSeed = seed;
        d.userSettings.reset();
    }
    Languages& l = ed.langs;
    l.languageIndex = d.savedLanguage;
    l.currentLanguage = uint8_t(uint32_t(d.savedLanguage) & 0xFF);
    ed.help.modePanelDirty = 1;
    ed.calls.layoutWidgets(ed);
    ed.app.redrawRequest = 2;
    refreshOpenMenu(ed);
}

bool canStartDemo(const Editor& ed) {
    return ed.demo.demoRecording == 0 && !demoPlaying(ed.demo);
}

bool recordingRuns(const Editor& ed) {
    return ed.demo.demoRecording != 0;
}

void startRecordingCommand(Editor& ed) {
    if (!canStartDemo(ed)) return;
    if (ed.map.mapModified != MapModifiedState::Unmodified) {
        openMessageBox(ed, MessageBoxKind::SaveBeforeRecording);
        return;
    }
    startDemoRecording(ed);
}

void cancelRecordingCommand(Editor& ed) {
    if (!recordingRuns(ed)) return;
    cancelDemoRecording(ed);
    playSound(ed, "command");
}

void playDemoCommand(Editor& ed) {
    if (demoPlaying(ed.demo) || ed.app.currentPage == Page::FileBrowser) return;
    if (ed.app.platform == nullptr) return;
    // The demo replaces the map: a modified one is asked about first, unless this is the answer
    // "do not save" to that very question.
    if (ed.map.mapModified != MapModifiedState::Unmodified &&
        ed.app.hoveredWidget != MessageBoxResult::Second) {
        openMessageBox(ed, MessageBoxKind::SaveBeforePlayDemo);
        return;
    }
    ed.app.currentPage = Page::FileBrowser;
    ed.pages.fileBrowser.browserPurpose = FileBrowserPurpose::PlayDemo;
    fillFileDialogLists(ed.pages.fileBrowser, ed.app.platform->fileSystem(),
                        ed.app.platform->programFolder());
    playSound(ed, "command");
}

}  // namespace korvel
