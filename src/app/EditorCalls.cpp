#include "app/EditorCalls.h"

#include "app/DeferredActions.h"
#include "app/Demo.h"
#include "app/DisplayMode.h"
#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "app/EditorInit.h"
#include "app/FrameChrome.h"
#include "app/FrameLoop.h"
#include "app/MapFileCommands.h"
#include "app/PageChanges.h"
#include "app/Sound.h"
#include "app/Startup.h"
#include "commands/PageStack.h"
#include "commands/SelectionCommands.h"
#include "editing/InputDispatcher.h"
#include "pages/ArchSetup.h"
#include "pages/ArrayTool.h"
#include "pages/ColorSchemeEditor.h"
#include "pages/DisplayOptions.h"
#include "pages/FileBrowser.h"
#include "pages/HelpViewer.h"
#include "pages/MessageBox.h"
#include "pages/ModePanel.h"
#include "pages/ProblemList.h"
#include "pages/ProfileEditor.h"
#include "pages/RecordEditor.h"
#include "pages/ReelSetup.h"
#include "pages/ScriptEditor.h"
#include "script/ScriptFiles.h"
#include "script/ScriptRun.h"
#include "views/PieChart.h"
#include "view3d/HitQueries3d.h"
#include "view3d/View3dScene.h"
#include "script/ScriptLayout.h"
#include "commands/PageCommands.h"
#include "pages/Search.h"
#include "pages/SparksToy.h"
#include "pages/SphereSetup.h"
#include "pages/TilePicker.h"
#include "pages/TileZoom.h"
#include "pages/View3D.h"
#include "pages/WallLighting.h"
#include "script/ScriptFiles.h"
#include "ui/HelpText.h"
#include "ui/Menus.h"
#include "ui/MessageHistory.h"
#include "ui/ScreenEffects.h"
#include "ui/Toolbar.h"
#include "ui/Widgets.h"
#include "views/PlanView.h"
#include "views/SideView.h"
#include "views/ViewBookmarks.h"
#include "view3d/HoverInfo3d.h"
#include "view3d/HitQueries3d.h"
#include "view3d/View3dScene.h"

namespace korvel {

EditorCalls::EditorCalls() {
    // Several of these names are overloaded for the components they work on: the lambdas pick
    // the editor's own.
    loadStartScreen = [](Editor& ed) { return korvel::loadStartScreen(ed); };
    seedRandom = [](Editor& ed) { korvel::seedRandom(ed); };
    loadConfigAndInit = &korvel::loadConfigAndInit;
    getDisplayMode = &korvel::getDisplayMode;
    tryFullScreen = &korvel::tryFullScreen;
    showWindow = &showEditorWindow;
    hookWindow = &korvel::hookWindow;
    loadFontSheets = [](Editor& ed) { korvel::loadFontSheets(ed); };
    bootLog = &logLine;
    loadLanguages = [](Editor& ed) { korvel::loadLanguages(ed); };
    rebuildToolbar = &korvel::rebuildToolbar;
    layoutWidgets = &korvel::layoutWidgets;
    loadMenus = &korvel::loadMenus;
    loadSkin = [](Editor& ed) { korvel::loadSkin(ed); };
    loadGlyphWidths = [](Editor& ed) { korvel::loadGlyphWidths(ed); };
    loadDisplayPalette = [](Editor& ed) { return korvel::loadDisplayPalette(ed); };
    loadGamePalette = [](Editor& ed) { return korvel::loadGamePalette(ed); };
    refreshScriptList = [](Editor& ed, bool keepText) { korvel::refreshScriptList(ed, keepText); };
    loadMap = &korvel::loadMap;
    loadArtTiles = [](Editor& ed) { korvel::loadArtTiles(ed); };
    loadTileSets = [](Editor& ed) { korvel::loadTileSets(ed); };
    loadNamesAndSounds = [](Editor& ed) { korvel::loadNamesAndSounds(ed); };
    loadHelpFile = &korvel::loadHelpFile;
    loadColorTables = [](Editor& ed, bool read) { korvel::loadColorTables(ed, read); };
    playSound = [](Editor& ed, const std::string& cue, int32_t flags) {
        korvel::playSound(ed, cue, flags);
    };

    recordDemoFrame = &korvel::recordDemoFrame;
    replayDemoFrame = &korvel::replayDemoFrame;
    runDeferredAction = &korvel::runDeferredAction;
    processFrameInput = &korvel::processFrameInput;
    onPageChanged = &korvel::onPageChanged;
    convertSelection = &korvel::convertSelection;
    draw2DView = [](Editor& ed) { korvel::draw2DView(ed, ed.loop.frameNumber); };
    drawSideView = [](Editor& ed) { korvel::drawSideView(ed, ed.loop.frameNumber); };
    drawRecordEditor = &korvel::drawRecordEditor;
    drawReportPage = &korvel::drawReportPage;
    drawLightingOrExportPage = &korvel::drawLightingOrExportPage;
    drawBrowserPage = &korvel::drawBrowserPage;
    stepSparks = &korvel::stepSparks;
    drawOptionsPage = &korvel::drawOptionsPage;
    draw3DViewPage = &korvel::draw3DViewPage;
    renderFrame = &korvel::renderView3d;
    draw3DHoverInfo = &korvel::draw3DHoverInfo;
    drawSearchPage = &korvel::drawSearchPage;
    drawSpriteArrayDialog = &korvel::drawSpriteArrayDialog;
    drawDocumentViewer = &korvel::drawDocumentViewer;
    drawTilePicker = &korvel::drawTilePicker;
    drawTileViewPage = &korvel::drawTileViewPage;
    drawReelToolPage = &korvel::drawReelToolPage;
    drawArchToolPage = &korvel::drawArchToolPage;
    drawSphereToolPage = &korvel::drawSphereToolPage;
    drawProfileEditor = &korvel::drawProfileEditor;
    drawColorSchemeEditor = [](Editor& ed) {
        korvel::drawColorSchemeEditor(canvasOf(ed), ed.fonts, ed.langs, ed.colorSettings,
                                      ed.pages.colorSchemeEditor, ed.input.frameTime);
    };
    drawScriptEditor = &korvel::drawScriptEditor;
    drawMessageBox = &korvel::drawMessageBox;
    drawFrameChrome = &korvel::drawFrameChrome;
    drawCursor = &drawEditorCursor;
    drawTooltip = &korvel::drawTooltip;
    refreshBookmarkHiddenFlags =
        static_cast<void (*)(Editor&)>(&korvel::refreshBookmarkHiddenFlags);
    autoSave = &korvel::autoSave;
    pushHistoryEntry = [](Editor& ed, const std::string& text) {
        korvel::pushHistoryEntry(ed, text);
    };
    rotateScreenImage = [](Editor& ed, float angle) { korvel::rotateScreenImage(ed, angle); };
    scrollScreenImage = [](Editor& ed, int32_t dx, int32_t dy) {
        korvel::scrollScreenImage(ed, dx, dy);
    };
    pushPage = &korvel::pushPage;
    buildSideViewSlices = [](Editor& ed) { korvel::buildSideViewSlices(ed); };
    drawModePanel = [](Editor& ed) { korvel::drawModePanel(ed); };
    build3dView = [](Editor& ed) { korvel::build3dView(ed); };
    renderHelpTopic = [](Editor& ed) { korvel::renderHelpTopic(ed); };
    drawScriptText = [](Editor& ed) { korvel::drawScriptText(ed); };
    redrawDocumentPage = [](Editor& ed) { korvel::redrawDocumentPage(ed); };
    update3dPick = [](Editor& ed) { korvel::update3dPick(ed); };
    loadScript = [](Editor& ed) { return korvel::loadScript(ed); };
    checkMap = [](Editor& ed) { runMapCheck(ed); };
    computeMapStatistics = [](Editor& ed) {
        MapStatistics& st = ed.pages.problemList.statistics;
        korvel::computeMapStatistics(ed.map, ed.tileCatalog.tileCategories, st);
        ed.app.statMapFileSize = st.statMapFileSize;
    };
    drawPieChart = [](Editor& ed, int32_t cx, int32_t cy, int32_t r, int32_t t, int32_t a,
                      uint8_t c1, uint8_t c2) {
        korvel::drawPieChart(canvasOf(ed), ed.random, cx, cy, r, t, a, c1, c2);
    };
    saveScript = [](Editor& ed, int32_t mode) { korvel::saveScript(ed, mode != 0); };
    runScript = [](Editor& ed, const std::string& name, int32_t topLevel) {
        korvel::runScript(ed, name, topLevel != 0);
    };
}

}  // namespace korvel
