// The calls that start-up, the frame loop, the message box and the exit make into the rest of the
// program, gathered in one table. The program uses the real functions; a test puts a recording
// fake in place of any entry to see what runs and in which order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace korvel {

struct Editor;

struct EditorCalls {
    using Step = std::function<void(Editor&)>;

    // Start-up, in the order it runs them.
    std::function<bool(Editor&)> loadStartScreen;
    Step seedRandom;
    Step loadConfigAndInit;
    Step getDisplayMode;
    std::function<bool(Editor&)> tryFullScreen;
    Step showWindow;
    Step hookWindow;
    Step loadFontSheets;
    std::function<void(Editor&, const std::string& text, uint8_t colour)> bootLog;
    Step loadLanguages;
    Step rebuildToolbar;
    Step layoutWidgets;
    Step loadMenus;
    Step loadSkin;
    Step loadGlyphWidths;
    // Whether the palette file was read.
    std::function<bool(Editor&)> loadDisplayPalette;
    std::function<bool(Editor&)> loadGamePalette;
    std::function<void(Editor&, bool keepText)> refreshScriptList;
    std::function<void(Editor&, const std::string& path, bool silent)> loadMap;
    Step loadArtTiles;
    Step loadTileSets;
    Step loadNamesAndSounds;
    Step loadHelpFile;
    // Gets whether dukepal.pal was read.
    std::function<void(Editor&, bool gamePaletteRead)> loadColorTables;
    std::function<void(Editor&, const std::string& cue, int32_t flags)> playSound;

    // The frame loop, in the order it runs them.
    Step recordDemoFrame;
    Step replayDemoFrame;
    Step runDeferredAction;
    Step processFrameInput;
    Step onPageChanged;
    Step convertSelection;
    // rebuildToolbar as above
    // The page painters: the page table (pages/PageTable.h) names the one of each page. The two
    // map views' painters get the frame number.
    Step draw2DView;
    Step drawSideView;
    Step drawRecordEditor;
    Step drawReportPage;
    Step drawLightingOrExportPage;
    Step drawBrowserPage;
    Step stepSparks;
    Step drawOptionsPage;
    Step draw3DViewPage;
    Step drawSearchPage;
    Step drawSpriteArrayDialog;
    Step drawDocumentViewer;
    Step drawTilePicker;
    Step drawTileViewPage;
    Step drawReelToolPage;
    Step drawArchToolPage;
    Step drawSphereToolPage;
    Step drawProfileEditor;
    Step drawColorSchemeEditor;
    Step drawScriptEditor;
    Step drawMessageBox;
    Step drawFrameChrome;
    Step drawCursor;
    Step drawTooltip;
    Step refreshBookmarkHiddenFlags;
    Step autoSave;
    std::function<void(Editor&, const std::string& text)> pushHistoryEntry;
    std::function<void(Editor&, float angle)> rotateScreenImage;
    std::function<void(Editor&, int32_t dx, int32_t dy)> scrollScreenImage;

    // What the answers of the message box carry out.
    Step popPage;
    Step saveCurrentMap;
    Step resetMap;
    std::function<bool(Editor&, const std::string& path, bool autosaveMode)> saveMap;
    Step openMapBrowser;
    Step restoreAutosave;
    std::function<void(Editor&, const std::string& path)> saveDemo;
    Step startDemoRecording;
    Step deleteScript;

    // The input dispatcher's calls into the parts it routes input to, in the order it makes
    // them.
    Step hitTestToolbarAndMenu;
    std::function<bool(Editor&, int32_t index)> valueFieldVisible;
    Step releaseUiItem;
    Step quitCommand;
    // Whether the configuration file was written.
    std::function<bool(Editor&)> saveConfig;
    Step releasePageButton;
    Step processPanelMouse;
    Step editProfilePanel;
    Step hoverSideView;
    Step hoverPlanView;
    Step updatePanelSubject;
    Step pressInMap;
    Step drawOpenMenu;
    Step pressPropertyBox;
    Step runMenuCommand;
    // Whether the item's code acted on the press.
    std::function<bool(Editor&, int32_t slot)> pressUiItem;
    Step dragToolHandles;
    Step dragHeightSlider;
    Step dragWindowByTitle;
    Step buildToolPreview;
    Step commitDrag;
    Step stepViewMotion;
    Step typeIntoFocusedField;
    std::function<void(Editor&, std::string& text)> readTypedText;
    Step selectByArea;
    Step valuePromptKeys;
    Step processKeys;
    Step stepViewGlide;

    // The real functions.
    EditorCalls();
};

}  // namespace korvel
