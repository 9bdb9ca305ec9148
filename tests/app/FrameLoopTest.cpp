#include "app/FrameLoop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/DisplayMode.h"
#include "pages/MessageBox.h"
#include "support/EditorRig.h"

namespace korvel {
namespace {

using test::EditorRig;
using test::recordOnly;
using test::Trace;

// An editor ready for the loop, every call it makes into other parts recorded.
struct LoopRig : EditorRig {
    Trace trace;

    LoopRig() : EditorRig("", false) {
        EditorCalls& c = ed->calls;
        for (const auto& [call, name] :
             std::initializer_list<std::pair<EditorCalls::Step*, const char*>>{
                 {&c.recordDemoFrame, "recordDemoFrame"},
                 {&c.replayDemoFrame, "replayDemoFrame"},
                 {&c.runDeferredAction, "runDeferredAction"},
                 {&c.processFrameInput, "processFrameInput"},
                 {&c.onPageChanged, "onPageChanged"},
                 {&c.convertSelection, "convertSelection"},
                 {&c.rebuildToolbar, "rebuildToolbar"},
                 {&c.drawRecordEditor, "drawRecordEditor"},
                 {&c.drawReportPage, "drawReportPage"},
                 {&c.drawLightingOrExportPage, "drawLightingOrExportPage"},
                 {&c.drawBrowserPage, "drawBrowserPage"},
                 {&c.stepSparks, "stepSparks"},
                 {&c.drawOptionsPage, "drawOptionsPage"},
                 {&c.draw3DViewPage, "draw3DViewPage"},
                 {&c.drawSearchPage, "drawSearchPage"},
                 {&c.drawSpriteArrayDialog, "drawSpriteArrayDialog"},
                 {&c.drawDocumentViewer, "drawDocumentViewer"},
                 {&c.drawTilePicker, "drawTilePicker"},
                 {&c.drawTileViewPage, "drawTileViewPage"},
                 {&c.drawReelToolPage, "drawReelToolPage"},
                 {&c.drawArchToolPage, "drawArchToolPage"},
                 {&c.drawSphereToolPage, "drawSphereToolPage"},
                 {&c.drawProfileEditor, "drawProfileEditor"},
                 {&c.drawColorSchemeEditor, "drawColorSchemeEditor"},
                 {&c.drawScriptEditor, "drawScriptEditor"},
                 {&c.drawMessageBox, "drawMessageBox"},
                 {&c.drawFrameChrome, "drawFrameChrome"},
                 {&c.drawCursor, "drawCursor"},
                 {&c.drawTooltip, "drawTooltip"},
                 {&c.refreshBookmarkHiddenFlags, "refreshBookmarkHiddenFlags"},
                 {&c.autoSave, "autoSave"},
             })
            recordOnly(*call, trace, name);
        c.draw2DView = [this](Editor& e) {
            trace.push_back("draw2DView " + std::to_string(e.loop.frameNumber));
        };
        c.drawSideView = [this](Editor& e) {
            trace.push_back("drawSideView " + std::to_string(e.loop.frameNumber));
        };
        c.pushHistoryEntry = [this](Editor&, const std::string& t) {
            trace.push_back("history " + t);
        };
        ed->loop.loopStartTick = 0;
    }
    Trace frame() {
        trace.clear();
        runFrame(*ed);
        return trace;
    }
};

TEST(FrameLoop, OneFrameCallsItsPartsInOrder) {
    LoopRig r;
    r.frame();
    // Everything that changed since the last frame shows up once; then nothing does.
    r.ed->app.currentPage = Page::SideView;
    r.ed->tool.selectionMode = SelectionMode::Walls;
    r.ed->map.selectedSectorCount = 3;
    r.ed->app.objectsRenumbered = 1;
    r.ed->app.statusText = "Done";
    r.ed->app.pendingMessageBox = MessageBoxKind::FullScreenFailed;
    EXPECT_EQ(r.frame(),
              (Trace{"runDeferredAction", "processFrameInput", "onPageChanged", "convertSelection",
                     "rebuildToolbar", "drawSideView 1", "drawFrameChrome", "drawCursor",
                     "drawTooltip", "refreshBookmarkHiddenFlags", "history Done"}));
    // The box opens after the frame was painted for the page before it.
    EXPECT_EQ(r.ed->app.currentPage, Page::MessageBox);
    EXPECT_FALSE(r.ed->app.pendingMessageBox);
    EXPECT_EQ(r.platform->playedCues(), std::vector<std::string>{"message1.wav"});
    EXPECT_EQ(r.frame(), (Trace{"runDeferredAction", "processFrameInput", "onPageChanged",
                                "drawMessageBox", "drawFrameChrome", "drawCursor", "drawTooltip"}));
    EXPECT_EQ(r.platform->presentCount(), 3);
    EXPECT_EQ(r.ed->loop.frameNumber, 3);
}

TEST(FrameLoop, EachPageHasItsPainter) {
    struct Case {
        Page page;
        const char* painter;  // nullptr: nothing but background and chrome
    };
    const Case cases[] = {
        {Page::PlanView, "draw2DView 0"},
        {Page::SideView, "drawSideView 0"},
        {Page::RecordEditor, "drawRecordEditor"},
        {Page::ProblemList, "drawReportPage"},
        {Page::Statistics, "drawReportPage"},
        {Page::WallLighting, "drawLightingOrExportPage"},
        {Page::ImageExport, "drawLightingOrExportPage"},
        {Page::DrivePicker, "drawBrowserPage"},
        {Page::FileBrowser, "drawBrowserPage"},
        {Page::SparksToy, "stepSparks"},
        {Page::DisplayOptions, "drawOptionsPage"},
        {Page::GeneralOptions, "drawOptionsPage"},
        {Page::View3D, "draw3DViewPage"},
        {Page::Search, "drawSearchPage"},
        {Page::ArrayTool, "drawSpriteArrayDialog"},
        {Page::HelpViewer, "drawDocumentViewer"},
        {Page::About, nullptr},
        {Page::TerrainSetup, nullptr},
        {Page::TilePicker, "drawTilePicker"},
        {Page::TileZoom, "drawTileViewPage"},
        {Page::TileFilter, "drawTileViewPage"},
        {Page::ReelSetup, "drawReelToolPage"},
        {Page::ArchSetup, "drawArchToolPage"},
        {Page::SphereSetup, "drawSphereToolPage"},
        {Page::ProfileEditor, "drawProfileEditor"},
        {Page::ColorSchemeEditor, "drawColorSchemeEditor"},
        {Page::ScriptEditor, "drawScriptEditor"},
        {Page::MessageBox, "drawMessageBox"},
        {Page(27), nullptr},
        {Page(254), nullptr},
        {Page(-1), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.page));
        LoopRig r;
        r.ed->app.currentPage = r.ed->app.previousPage = c.page;
        const Trace t = r.frame();
        const auto chrome = std::find(t.begin(), t.end(), "drawFrameChrome");
        ASSERT_NE(chrome, t.end());
        const Trace before(t.begin() + 2, chrome);
        EXPECT_EQ(before, c.painter ? Trace{c.painter} : Trace{});
    }
}

TEST(FrameLoop, ThePlanViewIsPaintedFromTheStoredViewLeftAsItIs) {
    LoopRig r;
    r.ed->view.viewOriginX = 100;
    r.ed->view.viewOriginY = -50;
    r.ed->view.viewZoom = 2;
    float seenX = 0, seenY = 0;
    r.ed->calls.draw2DView = [&](Editor& ed) {
        seenX = ed.view.viewOriginX;
        seenY = ed.view.viewOriginY;
    };
    r.frame();
    EXPECT_EQ(seenX, 100);
    EXPECT_EQ(seenY, -50);
    EXPECT_EQ(r.ed->view.viewOriginX, 100);
    EXPECT_EQ(r.ed->view.viewOriginY, -50);
}

TEST(FrameLoop, ToolbarRebuildsOnlyWhenItsInputsChange) {
    struct Case {
        const char* name;
        std::function<void(Editor&)> before, change;
        bool rebuild;
    };
    const Case cases[] = {
        {"modified 1 to 2", [](Editor& e) { e.map.mapModified = MapModifiedState::Modified; },
         [](Editor& e) { e.map.mapModified = MapModifiedState::AutoSaved; }, false},
        {"modified 0 to 1", [](Editor&) {},
         [](Editor& e) { e.map.mapModified = MapModifiedState::Modified; }, true},
        {"sprites 3 to 4", [](Editor& e) { e.map.selectedSpriteCount = 3; },
         [](Editor& e) { e.map.selectedSpriteCount = 4; }, false},
        {"sprites 0 to 1", [](Editor&) {}, [](Editor& e) { e.map.selectedSpriteCount = 1; }, true},
        {"walls 3 to 4", [](Editor& e) { e.map.selectedWallCount = 3; },
         [](Editor& e) { e.map.selectedWallCount = 4; }, true},
        {"tool", [](Editor&) {}, [](Editor& e) { e.tool.currentTool = Tool::IntersectSectors; },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoopRig r;
        c.before(*r.ed);
        r.frame();
        c.change(*r.ed);
        r.ed->app.redrawRequest = 0;
        const Trace t = r.frame();
        EXPECT_EQ(std::count(t.begin(), t.end(), "rebuildToolbar"), c.rebuild ? 1 : 0);
        EXPECT_EQ(r.ed->app.redrawRequest, c.rebuild ? 1 : 0);
    }
}

TEST(FrameLoop, LeavingTheBooleanTargetModeResetsTheTool) {
    LoopRig r;
    r.ed->tool.selectionMode = r.ed->tool.previousSelectionMode = SelectionMode::BooleanTarget;
    r.ed->tool.currentTool = r.ed->tool.previousTool = Tool::Rectangle;
    r.ed->app.helpPopupStep = 3;
    r.frame();
    r.ed->tool.selectionMode = SelectionMode::Sectors;
    r.frame();
    EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
    EXPECT_EQ(r.ed->app.helpPopupStep, -1);
}

TEST(FrameLoop, AutosavesWhenDueAndOnlyAModifiedMap) {
    struct Case {
        const char* name;
        int32_t delay, maxAutosaves, lastTime, now;
        MapModifiedState modified;
        bool saves;
    };
    const Case cases[] = {
        {"due", 300, 5, 0, 300001, MapModifiedState::Modified, true},
        {"exactly at the interval", 300, 5, 0, 300000, MapModifiedState::Modified, false},
        {"autosaved already", 300, 5, 0, 400000, MapModifiedState::AutoSaved, false},
        {"saved", 300, 5, 0, 400000, MapModifiedState::Unmodified, false},
        {"autosave off", 0, 5, 0, 400000, MapModifiedState::Modified, false},
        {"no slots", 300, 0, 0, 400000, MapModifiedState::Modified, false},
        {"an interval past 32 bits", 3000000, 5, 0, 2000000000, MapModifiedState::Modified, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoopRig r;
        r.ed->settings.autosaveDelay = c.delay;
        r.ed->settings.maxAutosaves = c.maxAutosaves;
        r.ed->mapFile.lastAutoSaveTime = c.lastTime;
        r.ed->map.mapModified = c.modified;
        r.platform->setClock(uint32_t(c.now));
        const Trace t = r.frame();
        EXPECT_EQ(std::count(t.begin(), t.end(), "autoSave"), c.saves ? 1 : 0);
    }
}

TEST(FrameLoop, InactiveWindowOnlyProcessesEventsAndSleeps) {
    LoopRig r;
    r.ed->settings.frameDelay = 25;
    hookWindow(*r.ed);
    r.platform->queueActivation(false);
    r.frame();  // the deactivation arrives in this frame's event pass
    ASSERT_EQ(r.ed->app.appInactive, 1);
    const int presents = r.platform->presentCount(), passes = r.platform->eventPasses();
    const uint32_t slept = r.platform->totalSlept();
    r.platform->setKeyDown('A', true);
    EXPECT_TRUE(r.frame().empty());
    EXPECT_EQ(r.platform->presentCount(), presents);
    EXPECT_EQ(r.platform->eventPasses(), passes + 1);
    EXPECT_EQ(r.platform->totalSlept(), slept + 25);
    EXPECT_EQ(r.ed->input.keyPressed['A'], 0) << "no input is sampled";

    r.ed->settings.frameDelay = 0;
    r.frame();
    EXPECT_GT(r.platform->totalSlept(), slept + 25) << "an idle window never spins";
    r.platform->queueActivation(true);
    r.frame();
    EXPECT_EQ(r.ed->app.appInactive, 0);
    EXPECT_EQ(r.frame().front(), "runDeferredAction");
    EXPECT_EQ(r.ed->input.keyPressed['A'], 1)
        << "what changed meanwhile is seen by the first active frame";
}

TEST(FrameLoop, SleepFollowsTheCpuLimit) {
    struct Case {
        uint8_t limit;
        int32_t delay, interval;
        uint32_t sleep;
    };
    const Case cases[] = {
        {0, 10, 5, 0},  {1, 10, 5, 10}, {1, 10, 50, 10}, {2, 10, 16, 10},
        {2, 10, 17, 0}, {9, 10, 5, 0},  {1, -5, 5, 0},   {1, 2000000000, 5, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.limit) << " " << c.delay << " " << c.interval);
        EXPECT_EQ(frameSleep(c.limit, c.delay, c.interval), c.sleep);
    }
    // An idle loop with the default settings sleeps every frame.
    LoopRig r;
    for (int i = 0; i < 10; ++i) r.frame();
    EXPECT_EQ(r.platform->totalSlept(), 10u * 10);
}

TEST(FrameLoop, AutomaticGridStep) {
    EXPECT_EQ(autoGridSpacing(16), 256);
    EXPECT_EQ(autoGridSpacing(0.005), 1);
    EXPECT_EQ(autoGridSpacing(1), 16);
    EXPECT_EQ(autoGridSpacing(0), 1);
    EXPECT_EQ(autoGridSpacing(-3), 1);
    EXPECT_EQ(autoGridSpacing(1e30), 1 << 30);
    EXPECT_EQ(autoGridSpacing(std::nan("")), 1);

    LoopRig r;
    r.ed->settings.autoGrid = 1;
    r.ed->view.sideViewScale = 1;
    r.ed->app.currentPage = r.ed->app.previousPage = Page::SideView;
    r.frame();
    EXPECT_EQ(r.ed->settings.gridSpacing, 16);
    r.ed->app.currentPage = r.ed->app.previousPage = Page::RecordEditor;
    r.ed->settings.gridSpacing = 77;
    r.frame();
    EXPECT_EQ(r.ed->settings.gridSpacing, 77);
}

TEST(FrameLoop, FrameRate) {
    LoopRig r;
    r.ed->settings.alternateFps = 1;
    r.ed->settings.limitCpu = 0;
    r.frame();  // frames within the same millisecond count as 1000 per second
    EXPECT_FLOAT_EQ(r.ed->loop.framesPerSecond, 100);
    r.ed->settings.alternateFps = 0;
    r.ed->loop.framesPerSecond = 0;
    r.ed->loop.framesThisSecond = 0;
    r.ed->loop.fpsNextTime = r.platform->secondsClock() + 1;
    for (int i = 0; i < 5; ++i) r.frame();
    r.platform->advanceClock(1000);
    r.frame();
    EXPECT_FLOAT_EQ(r.ed->loop.framesPerSecond, 5);
}

TEST(FrameLoop, ScreenEffectsDrawFromTheRandomGenerator) {
    LoopRig r;
    std::vector<std::pair<int32_t, int32_t>> shifts;
    r.ed->calls.scrollScreenImage = [&](Editor&, int32_t dx, int32_t dy) {
        shifts.push_back({dx, dy});
    };
    r.ed->app.screenShakeEffect = 1;
    r.ed->random.randomState = 42;
    Random expected{42};
    r.frame();
    ASSERT_EQ(shifts.size(), 1u);
    EXPECT_EQ(shifts[0].first, int32_t(std::floor(randomSingle(expected) * 33)) - 16);
    EXPECT_EQ(shifts[0].second, int32_t(std::floor(randomSingle(expected) * 33)) - 16);

    r.ed->app.screenShakeEffect = 0;
    r.ed->app.screenSmearEffect = 1;
    r.ed->calls.drawFrameChrome = [](Editor& ed) {
        for (int y = 0; y < 600; ++y) screenView(ed.frameBuffer).at(0, y) = 9;
    };
    r.frame();
    EXPECT_EQ(r.platform->framePixel(0, 300), 0);
    EXPECT_EQ(r.platform->framePixel(1, 300), 9);
}

TEST(FrameLoop, DemoStartTakesTheDemoSeed) {
    LoopRig r;
    r.ed->demo.demoStartPending = 1;
    r.ed->demo.demoSeed = 1234;
    const Trace t = r.frame();
    EXPECT_EQ(r.ed->demo.demoFrameIndex, 0);
    EXPECT_EQ(r.ed->demo.demoStartPending, 0);
    // The panels are redrawn after the seed is set, before the demo's first input.
    ASSERT_GE(t.size(), 2u);
    EXPECT_EQ(t[0], "onPageChanged");
    EXPECT_EQ(t[1], "replayDemoFrame");
    r.ed->demo.demoRecording = 1;
    EXPECT_EQ(r.frame().front(), "recordDemoFrame");
}

// The map cross follows the dispatcher's modifier bytes and area latch and the hovered objects;
// a hovered index that names no object counts as not selected.
TEST(FrameLoop, TheMapCursorSeesTheHoveredObjectsAndTheirSelection) {
    LoopRig r;
    Editor& e = *r.ed;
    e.map.spriteCount = 2;
    e.map.sectorCount = 1;
    e.map.wallCount = 4;
    e.map.spriteSelected[1] = 1;
    e.map.vertexSelected[3] = 1;
    e.map.sectorSelected[0] = 0;
    e.map.wallSelected[2] = 1;
    e.hover.hoveredSprite = 1;
    e.hover.hoveredVertex = 3;
    e.hover.hoveredSector = 0;
    e.hover.hoveredWall = 2;
    e.dispatch.shiftHeld = 1;
    e.dispatch.areaSelectLatch = 1;
    MapCursorInputs in = mapCursorInputs(e);
    EXPECT_TRUE(in.shiftHeld);
    EXPECT_FALSE(in.ctrlHeld);
    EXPECT_TRUE(in.areaSelectLatch);
    EXPECT_EQ(in.hoveredSprite, 1);
    EXPECT_TRUE(in.hoveredSpriteSelected);
    EXPECT_TRUE(in.hoveredVertexSelected);
    EXPECT_FALSE(in.hoveredSectorSelected);
    EXPECT_TRUE(in.hoveredWallSelected);

    e.map.spriteSelected[5] = 1;  // beyond the sprite count
    e.hover.hoveredSprite = 5;
    e.hover.hoveredVertex = 40000;
    e.hover.hoveredSector = -7;
    e.hover.hoveredWall = 4;
    in = mapCursorInputs(e);
    EXPECT_FALSE(in.hoveredSpriteSelected);
    EXPECT_FALSE(in.hoveredVertexSelected);
    EXPECT_FALSE(in.hoveredSectorSelected);
    EXPECT_FALSE(in.hoveredWallSelected);
}

}  // namespace
}  // namespace korvel
