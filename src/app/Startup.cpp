#include "app/Startup.h"

#include <algorithm>
#include <cctype>

#include "app/ConfigFile.h"
#include "app/DataFolder.h"
#include "app/DisplayMode.h"
#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "app/EditorInit.h"
#include "app/ExitTransition.h"
#include "base/MessageNumbers.h"
#include "base/ZeroedBlock.h"
#include "commands/CommandTable.h"
#include "pages/MessageBox.h"
#include "resources/ColorTableBuild.h"
#include "resources/Palettes.h"
#include "ui/StartScreen.h"

namespace korvel {

namespace {

constexpr uint8_t kLogColour = 83;
constexpr uint8_t kLanguageNameColour = 106;
constexpr uint8_t kReadyColour = 44;

BootLogSink logSink(Editor& ed) {
    return [&ed](const std::string& text, uint8_t colour) { ed.calls.bootLog(ed, text, colour); };
}

FileSystem& fsOf(Editor& ed) {
    return ed.app.platform->fileSystem();
}
std::string dataOf(Editor& ed) {
    return dataFolder(*ed.app.platform);
}

void logMessage(int32_t number, Editor& ed, uint8_t colour) {
    ed.calls.bootLog(ed, getMessage(number, ed.langs), colour);
}

// The name of the languages entry at the configured index (not the language's file number).
std::string configuredLanguageName(const Editor& ed) {
    const int32_t i = ed.langs.languageIndex;
    return i >= 0 && i < ed.langs.languageCount() ? ed.langs.languages[size_t(i)].name : "";
}

bool startsStepByStep(const std::string& text) {
    return text.compare(0, 4, "-sbs") == 0;
}

}  // namespace

void InitSplash(Platform& platform) {
    platform.showSplash("Initializing Korvel...");
    platform.processEvents();
    platform.closeSplash();
}

CommandLineRequest parseCommandLine(const std::string& text) {
    CommandLineRequest r;
    std::string t = text;
    if (startsStepByStep(t)) {
        r.stepByStep = true;
        t.erase(0, 5);
    }
    if (!t.empty() && t.front() == '"') t.erase(0, 1);
    if (!t.empty() && t.back() == '"') t.pop_back();
    if (t.size() < 3) return r;
    std::string last = t.substr(t.size() - 3);
    for (char& c : last) c = char(std::toupper(static_cast<unsigned char>(c)));
    if (last == "GRP") r.kind = CommandLineRequest::Kind::Archive;
    if (last == "MAP") r.kind = CommandLineRequest::Kind::Map;
    if (r.kind != CommandLineRequest::Kind::None) r.path = t;
    return r;
}

void interpretCommandLine(Editor& ed, const std::string& text) {
    const CommandLineRequest r = parseCommandLine(text);
    if (r.stepByStep) ed.bootLogState.stepByStepBoot = 1;
    switch (r.kind) {
        case CommandLineRequest::Kind::Archive:
            ed.app.grpPath = r.path;
            break;
        case CommandLineRequest::Kind::Map:
            logMessage(kMsgLoadingMap, ed, kLogColour);
            ed.calls.loadMap(ed, r.path, false);
            break;
        case CommandLineRequest::Kind::None:
            ed.mapFile.mapTitle = getMessage(kMsgUntitled, ed.langs);
            setMapCaption(ed);
            break;
    }
}

bool loadStartScreen(Editor& ed) {
    const std::string path = findNoCase(fsOf(ed), dataOf(ed), "mainscr.gif");
    const StartScreenResult r = loadStartScreen(ed.frameBuffer, fsOf(ed), path);
    if (!r.ok) {
        // The start image comes before the languages; its message is worded from the language
        // only when one is there.
        std::string text = ed.langs.languageCount() > 0
                               ? getMessage(kMsgStartImageMissing, ed.langs, r.error)
                               : kStartImageMissingFallback;
        if (ed.langs.languageCount() == 0) text.replace(text.find("&1"), 2, r.error);
        ed.app.platform->showError(text);
    }
    if (r.ok) {  // kept for the information page
        FrameBuffer& fb = ed.frameBuffer;
        fb.startupScreen.assign(size_t(kScreenWidth) * kMapViewRows, 0);
        for (int32_t y = 0; y < kMapViewRows; ++y)
            std::copy_n(fb.screen.begin() + ptrdiff_t(y + kMapViewBottom) * fb.screenRowLength,
                        kScreenWidth, fb.startupScreen.begin() + ptrdiff_t(y) * kScreenWidth);
    }
    return r.ok;
}

void seedRandom(Editor& ed) {
    Platform& p = *ed.app.platform;
    const auto micros = uint64_t(p.secondsClock() * 1e6);
    seedRandom(ed.random, micros ^ (uint64_t(p.ticks()) << 32));
}

void showEditorWindow(Editor& ed) {
    Platform& p = *ed.app.platform;
    presentScreen(ed.frameBuffer, p);
    p.showWindow();
    p.processEvents();
}

void loadFontSheets(Editor& ed) {
    ed.app.fontSheetStatus = loadFontSheets(ed.fonts, fsOf(ed), dataOf(ed));
}

void logLine(Editor& ed, const std::string& text, uint8_t colour) {
    bootLog(ed.bootLogState, canvasOf(ed), ed.fonts, ed.input, *ed.app.platform, text, colour);
}

void loadLanguages(Editor& ed) {
    loadLanguages(ed.langs, fsOf(ed), dataOf(ed), ed.app.platform->commandLine(), ed.random,
                  ed.app.statusText);
}

void loadSkin(Editor& ed) {
    loadSkinFile(ed.skin, fsOf(ed), dataOf(ed), ed.langs, logSink(ed));
}

void loadGlyphWidths(Editor& ed) {
    loadGlyphWidthFiles(ed.fonts, fsOf(ed), dataOf(ed), ed.langs, logSink(ed));
}

bool loadDisplayPalette(Editor& ed) {
    return loadDisplayPalette(ed.colorTables, fsOf(ed), ed.events, dataOf(ed));
}

bool loadGamePalette(Editor& ed) {
    return loadGamePalette(ed.colorTables, fsOf(ed), ed.events, dataOf(ed));
}

void loadArtTiles(Editor& ed) {
    loadArtTiles(ed.tiles, ed.app.grpPath, ed.app.platform->programFolder(), fsOf(ed), ed.events);
}

void loadTileSets(Editor& ed) {
    loadTileSets(ed.tileCatalog, fsOf(ed), dataOf(ed));
}

void loadNamesAndSounds(Editor& ed) {
    loadNamesAndSounds(ed.tileCatalog, fsOf(ed), ed.app.platform->programFolder());
}

void loadColorTables(Editor& ed, bool gamePaletteRead) {
    ColorTableInputs in;
    in.dataFolder = dataOf(ed);
    in.programFolder = ed.app.platform->programFolder();
    in.grpPath = ed.app.grpPath;
    in.gamePaletteRead = gamePaletteRead;
    in.textureGamma = ed.settings.textureGamma;
    in.alternatePalette = ed.settings.alternatePalette != 0;
    in.colorUiTintBase = ed.colorSettings.colorUiTintBase;
    loadColorTables(ed.colorTables, fsOf(ed), ed.events, in);
}

bool startup(Editor& ed) {
    Platform& p = *ed.app.platform;
    EditorCalls& c = ed.calls;
    p.setCloseHandler([&ed] { runCommand(ed, CommandId::QuitByWindow); });

    if (!c.loadStartScreen(ed)) return false;
    c.seedRandom(ed);
    // What no configuration file names keeps the value of a first start.
    applyBuiltInDefaults(configTarget(ed));
    c.loadConfigAndInit(ed);
    // The switch is read with the rest of the command line further down, but it concerns every
    // line of the log, so it takes effect before the first one.
    if (startsStepByStep(p.commandLine())) ed.bootLogState.stepByStepBoot = 1;
    c.getDisplayMode(ed);
    if (ed.settings.fullScreen == 1) {
        if (!c.tryFullScreen(ed)) ed.app.pendingMessageBox = MessageBoxKind::FullScreenFailed;
        presentScreen(ed.frameBuffer, p);
        p.processEvents();
    }
    c.showWindow(ed);
    c.hookWindow(ed);

    c.loadFontSheets(ed);
    c.bootLog(ed, "Loading languages...", kLogColour);
    c.loadLanguages(ed);
    c.rebuildToolbar(ed);
    c.layoutWidgets(ed);
    c.loadMenus(ed);
    reportFontSheets(ed.app.fontSheetStatus, ed.langs, logSink(ed));
    c.bootLog(ed, configuredLanguageName(ed), kLanguageNameColour);
    logMessage(kMsgLanguageLoaded, ed, kLogColour);
    logMessage(kMsgMenusLoaded, ed, kLogColour);

    c.loadSkin(ed);
    logMessage(kMsgSkinLoaded, ed, kLogColour);
    c.loadGlyphWidths(ed);
    c.loadDisplayPalette(ed);
    const bool gamePaletteRead = c.loadGamePalette(ed);
    c.refreshScriptList(ed, false);
    interpretCommandLine(ed, p.commandLine());

    if (ed.settings.loadTilesOnInit) {
        logMessage(kMsgLoadingTiles, ed, kLogColour);
        c.loadArtTiles(ed);
    }
    logMessage(kMsgLoadingTileSets, ed, kLogColour);
    c.loadTileSets(ed);
    logMessage(kMsgLoadingNames, ed, kLogColour);
    c.loadNamesAndSounds(ed);
    logMessage(kMsgLoadingHelp, ed, kLogColour);
    c.loadHelpFile(ed);
    logMessage(kMsgLoadingColorTables, ed, kLogColour);
    c.loadColorTables(ed, gamePaletteRead);
    logMessage(kMsgReady, ed, kReadyColour);
    showBootLog(ed.bootLogState, canvasOf(ed), p);
    c.playSound(ed, "beep2", kCueFlags);
    // Loading leaves freed buffers in the heap that the frames do not need.
    releaseFreeHeapPages();

    ed.loop.fpsNextTime = p.secondsClock() + 1;
    ed.loop.loopStartTick = p.ticks();
    return true;
}

bool shutdown(Editor& ed) {
    const bool saved = playExitTransition(ed);
    unhookWindow(ed);
    return saved;
}

bool Form_Load(Editor& ed) {
    if (!startup(ed)) return false;
    runFrameLoop(ed);
    if (!shutdown(ed))
        ed.app.platform->showError(getMessage(kMsgSettingsNotSaved, ed.langs));
    return true;
}

void Form_Unload(Editor& ed) {
    Platform* p = ed.app.platform;
    if (!p) return;
    if (ed.settings.fullScreen == 1) restoreDisplayMode(ed);
    p->setCloseHandler(nullptr);
    p->setActivationHandler(nullptr);
}

}  // namespace korvel
