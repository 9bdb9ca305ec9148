#include "app/EditorCalls.h"

#include "app/DeferredActions.h"
#include "app/Demo.h"
#include "app/DisplayMode.h"
#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "app/EditorInit.h"
#include "app/FrameChrome.h"
#include "app/FrameLoop.h"
#include "app/LoopPages.h"
#include "app/MapFileCommands.h"
#include "app/MessageBox.h"
#include "app/PageChanges.h"
#include "app/Sound.h"
#include "app/Startup.h"
#include "commands/FileCommands.h"
#include "commands/PageStack.h"
#include "commands/SearchPage.h"
#include "commands/SelectionCommands.h"
#include "editing/DragCommit.h"
#include "editing/HoverPicking.h"
#include "editing/InputDispatcher.h"
#include "editing/KeyboardDispatcher.h"
#include "editing/MapPress.h"
#include "editing/MenuCommands.h"
#include "editing/ProfilePane.h"
#include "editing/SelectionInput.h"
#include "editing/TypedValues.h"
#include "editing/UiItemActions.h"
#include "editing/ValuePrompt.h"
#include "editing/ViewNavigation.h"
#include "editing/WindowChrome.h"
#include "pages/PagePainters.h"
#include "pages/PanelMouse.h"
#include "script/ScriptEditor.h"
#include "script/ScriptFiles.h"
#include "ui/HelpText.h"
#include "ui/Menus.h"
#include "ui/MessageHistory.h"
#include "ui/ScreenEffects.h"
#include "ui/Toolbar.h"
#include "ui/TypedText.h"
#include "ui/Widgets.h"
#include "views/PlanView.h"
#include "views/SideView.h"
#include "views/ToolPreview.h"
#include "views/ViewBookmarks.h"

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
    draw2DView = &korvel::draw2DView;
    drawSideView = &korvel::drawSideView;
    drawRecordEditor = &korvel::drawRecordEditor;
    drawReportPage = &korvel::drawReportPage;
    drawLightingOrExportPage = &korvel::drawLightingOrExportPage;
    drawBrowserPage = &korvel::drawBrowserPage;
    stepSparks = &korvel::stepSparks;
    drawOptionsPage = &korvel::drawOptionsPage;
    draw3DViewPage = &korvel::draw3DViewPage;
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
                                      ed.colorEditor, ed.input.frameTime);
    };
    drawScriptEditor = &korvel::drawScriptEditor;
    drawMessageBox = &korvel::drawMessageBox;
    drawFrameChrome = &korvel::drawFrameChrome;
    drawCursor = &drawEditorCursor;
    drawTooltip = &korvel::drawTooltip;
    refreshBookmarkHiddenFlags = &korvel::refreshBookmarkHiddenFlags;
    autoSave = &korvel::autoSave;
    pushHistoryEntry = &korvel::pushHistoryEntry;
    rotateScreenImage = &korvel::rotateScreenImage;
    scrollScreenImage = &korvel::scrollScreenImage;

    popPage = &korvel::popPage;
    saveCurrentMap = &korvel::saveCurrentMap;
    resetMap = [](Editor& ed) {
        korvel::resetMap(ed.map, ed.events);
        // A new map is seen from its centre at the first zoom.
        ed.view.viewOriginX = ed.view.viewOriginY = 0;
        ed.view.viewZoom = 16;
    };
    saveMap = &korvel::saveMap;
    openMapBrowser = &korvel::openMapBrowser;
    restoreAutosave = &korvel::restoreAutosave;
    saveDemo = &korvel::saveDemo;
    startDemoRecording = &korvel::startDemoRecording;
    deleteScript = &korvel::deleteScript;

    hitTestToolbarAndMenu = &korvel::hitTestToolbarAndMenu;
    valueFieldVisible = &korvel::valueFieldVisible;
    releaseUiItem = &korvel::releaseUiItem;
    quitCommand = &korvel::quitCommand;
    saveConfig = &korvel::saveConfig;
    releasePageButton = &korvel::releasePageButton;
    processPanelMouse = &korvel::processPanelMouse;
    editProfilePanel = &korvel::editProfilePanel;
    hoverSideView = &korvel::hoverSideView;
    hoverPlanView = &korvel::hoverPlanView;
    updatePanelSubject = &korvel::updatePanelSubject;
    pressInMap = &korvel::pressInMap;
    drawOpenMenu = &korvel::drawOpenMenu;
    pressPropertyBox = &korvel::pressPropertyBox;
    runMenuCommand = &korvel::runMenuCommand;
    pressUiItem = &korvel::pressUiItem;
    dragToolHandles = &korvel::dragToolHandles;
    dragHeightSlider = &korvel::dragHeightSlider;
    dragWindowByTitle = &korvel::dragWindowByTitle;
    buildToolPreview = &korvel::buildToolPreview;
    commitDrag = &korvel::commitDrag;
    stepViewMotion = &korvel::stepViewMotion;
    typeIntoFocusedField = &korvel::typeIntoFocusedField;
    readTypedText = &korvel::readTypedText;
    selectByArea = &korvel::selectByArea;
    valuePromptKeys = &korvel::valuePromptKeys;
    processKeys = &korvel::processKeys;
    stepViewGlide = &korvel::stepViewGlide;
}

}  // namespace korvel
