// The calls whose order is part of what the program does: the steps of start-up, the steps of a
// frame with the page painters and the screen effects that draw from the random generator, each
// in the order it runs. The program uses the real functions; a test puts a recording fake in
// place of any entry to see what runs and in which order. Every other call is a direct one.
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
    // The cue that ends start-up.
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
    // The 3D page's picture, rendered into preview3dImage, and the overlay of what the mouse
    // points at in it, given the frame number.
    Step renderFrame;
    std::function<void(Editor&, int32_t frameNumber)> draw3DHoverInfo;
    Step drawFrameChrome;
    Step drawCursor;
    Step drawTooltip;
    Step refreshBookmarkHiddenFlags;
    Step autoSave;
    std::function<void(Editor&, const std::string& text)> pushHistoryEntry;
    std::function<void(Editor&, float angle)> rotateScreenImage;
    std::function<void(Editor&, int32_t dx, int32_t dy)> scrollScreenImage;

    // What a page change and the deferred actions call of the pages, the map check, the
    // statistics and the scripts.
    Step pushPage;
    Step drawModePanel;
    Step checkMap;
    Step computeMapStatistics;
    // Centre, radius, thickness, split angle (65536 per turn) and the two colours.
    std::function<void(Editor&, int32_t cx, int32_t cy, int32_t r, int32_t t, int32_t a,
                       uint8_t c1, uint8_t c2)>
        drawPieChart;
    std::function<void(Editor&, int32_t mode)> saveScript;
    std::function<void(Editor&, const std::string& name, int32_t topLevel)> runScript;
    // The side view's section through the map, made again for its subject.
    Step buildSideViewSlices;
    // Work the page panels and the page mouse start: the 3D view's data, the help topic, the
    // script text, the document page, the 3D hover and pick, and switching scripts.
    Step build3dView;
    Step renderHelpTopic;
    Step drawScriptText;
    Step redrawDocumentPage;
    Step update3dPick;
    std::function<bool(Editor&)> loadScript;

    // The real functions.
    EditorCalls();
};

}  // namespace korvel
