#include "app/FrameLoop.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "app/InputSampling.h"
#include "map/MapFile.h"
#include "pages/MessageBox.h"
#include "pages/PageTable.h"
#include "platform/Platform.h"

namespace korvel {

namespace {

constexpr int32_t kMaxSleep = 1000;

void measureFrameRate(Editor& ed) {
    FrameLoopState& loop = ed.loop;
    if (ed.settings.alternateFps) {
        const int64_t dt = int64_t(ed.input.frameTime) - loop.prevFrameTime;
        const float rate = dt < 1 ? 1000.0f : float(1000.0 / double(dt));
        loop.framesPerSecond += (rate - loop.framesPerSecond) * 0.1f;
        return;
    }
    const double now = ed.app.platform->secondsClock();
    // The seconds clock starts again at midnight; so does the count.
    if (now >= loop.fpsNextTime || now < loop.fpsNextTime - 1.0) {
        loop.framesPerSecond = float(loop.framesThisSecond);
        loop.framesThisSecond = 0;
        loop.fpsNextTime = now + 1;
    }
}

void checkSelectionMode(Editor& ed) {
    ToolState& t = ed.tool;
    if (t.selectionMode == t.previousSelectionMode) return;
    ed.calls.convertSelection(ed);
    if (t.previousSelectionMode == SelectionMode::BooleanTarget &&
        t.selectionMode != SelectionMode::BooleanTarget) {
        t.currentTool = Tool::Idle;
        ed.app.helpPopupStep = -1;
    }
    if (ed.app.redrawRequest == 0) ed.app.redrawRequest = 1;
}

void checkToolbarInputs(Editor& ed) {
    const MapStore& m = ed.map;
    const FrameLoopState& l = ed.loop;
    const bool changed =
        (m.selectedSpriteCount != 0) != (l.shownSelectedSpriteCount != 0) ||
        m.selectedVertexCount != l.shownSelectedVertexCount ||
        m.selectedWallCount != l.shownSelectedWallCount ||
        m.selectedSectorCount != l.shownSelectedSectorCount ||
        m.selectedLoopCount != l.shownSelectedLoopCount ||
        (m.mapModified != MapModifiedState::Unmodified) != (l.shownModified != 0) ||
        ed.tool.currentTool != ed.tool.previousTool;
    if (!changed) return;
    ed.calls.rebuildToolbar(ed);
    if (ed.app.redrawRequest == 0) ed.app.redrawRequest = 1;
}

// The new pixel where blending the previous frame's pixel over it changes nothing visible.
void blendWithPreviousFrame(Editor& ed) {
    const SurfaceView s = screenView(ed.frameBuffer);
    const auto& blend = ed.colorTables.blendTable;
    const std::vector<uint8_t>& prev = ed.loop.previousFrameImage;
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = 0; x < kScreenWidth; ++x) {
            uint8_t& n = s.at(x, y);
            const uint8_t p = prev[size_t(y) * kScreenWidth + size_t(x)];
            const uint8_t b = blend[size_t(n) * 256 + p];
            if (b != p) n = b;
        }
}

void keepPreviousFrame(Editor& ed) {
    std::vector<uint8_t>& prev = ed.loop.previousFrameImage;
    prev.resize(size_t(kScreenWidth) * kScreenHeight);
    const SurfaceView s = screenView(ed.frameBuffer);
    for (int32_t y = 0; y < kScreenHeight; ++y)
        std::memcpy(&prev[size_t(y) * kScreenWidth], &s.at(0, y), kScreenWidth);
}

void autoSaveWhenDue(Editor& ed) {
    const Settings& s = ed.settings;
    // A playback's autosaves would push the user's own out of their slots.
    if (demoPlaying(ed.demo)) return;
    if (autoSaveDue(ed.input.frameTime, ed.mapFile.lastAutoSaveTime, s.autosaveDelay,
                    ed.map.mapModified, s.maxAutosaves))
        ed.calls.autoSave(ed);
}

void updateShownCopies(Editor& ed) {
    FrameLoopState& l = ed.loop;
    const MapStore& m = ed.map;
    ed.app.previousPage = ed.app.currentPage;
    ed.tool.previousSelectionMode = ed.tool.selectionMode;
    l.shownSelectedSpriteCount = m.selectedSpriteCount;
    l.shownSelectedVertexCount = m.selectedVertexCount;
    l.shownSelectedWallCount = m.selectedWallCount;
    l.shownSelectedSectorCount = m.selectedSectorCount;
    l.shownSelectedLoopCount = m.selectedLoopCount;
    l.shownModified = uint8_t(m.mapModified);
    ed.tool.previousTool = ed.tool.currentTool;
    l.shownPromptKind = ed.prompt.promptKind;
}

void swingScreen(Editor& ed) {
    AppState& a = ed.app;
    ed.calls.rotateScreenImage(ed, float(3.14159265358979 / 2 - a.screenSwingAngle));
    if (a.screenSwingSpeed >= 0.0003f)
        a.screenSwingSpeed -= 0.0003f;
    else if (a.screenSwingSpeed > -0.0003f)
        a.screenSwingSpeed = 0;
    else
        a.screenSwingSpeed += 0.0003f;
    if (a.screenSwingState == 0) {
        a.screenSwingSpeed = (a.screenSwingSpeed + 0.004f) / 1.01f;
        if (randomSingle(ed.random) < 0.01f) a.screenSwingState = 1;
    } else if (a.screenSwingState == 1) {
        a.screenSwingSpeed = a.screenSwingSpeed / 1.01f;
    }
    a.screenSwingAngle += a.screenSwingSpeed;
}

void smearScreen(Editor& ed) {
    const SurfaceView s = screenView(ed.frameBuffer);
    for (int32_t y = 0; y < kScreenHeight; ++y) {
        uint8_t* row = &s.at(0, y);
        std::memmove(row + 1, row, kScreenWidth - 1);
        row[0] = 0;
    }
}

void shakeScreen(Editor& ed) {
    const int32_t dx = int32_t(std::floor(randomSingle(ed.random) * 33.0)) - 16;
    const int32_t dy = int32_t(std::floor(randomSingle(ed.random) * 33.0)) - 16;
    ed.calls.scrollScreenImage(ed, dx, dy);
}

void paintAndFinish(Editor& ed) {
    AppState& a = ed.app;
    EditorCalls& c = ed.calls;
    ViewState& v = ed.view;

    a.panelHasMouse = 0;
    if (ed.settings.autoGrid &&
        (a.currentPage == Page::PlanView || a.currentPage == Page::SideView))
        ed.settings.gridSpacing =
            autoGridSpacing(a.currentPage == Page::PlanView ? v.viewZoom : v.sideViewScale);
    if (a.currentPage != a.previousPage) c.onPageChanged(ed);
    checkSelectionMode(ed);
    checkToolbarInputs(ed);

    if (a.frameBlend) keepPreviousFrame(ed);
    copyBackgroundToScreen(ed.frameBuffer);
    paintCurrentPage(ed);
    c.drawFrameChrome(ed);
    c.drawCursor(ed);
    c.drawTooltip(ed);
    if (a.frameBlend && !ed.loop.previousFrameImage.empty()) blendWithPreviousFrame(ed);

    if (a.objectsRenumbered) {
        a.objectsRenumbered = 0;
        c.refreshBookmarkHiddenFlags(ed);
    }
    autoSaveWhenDue(ed);
    updateShownCopies(ed);
    if (a.statusText != a.lastLoggedStatus) {
        c.pushHistoryEntry(ed, a.statusText);
        a.lastLoggedStatus = a.statusText;
    }
    if (a.screenSwingState >= 0) swingScreen(ed);
    if (a.screenSmearEffect) smearScreen(ed);
    if (a.screenShakeEffect) shakeScreen(ed);

    presentScreen(ed.frameBuffer, *a.platform);
    ++ed.loop.frameNumber;
    ++ed.loop.framesThisSecond;
    if (a.pendingMessageBox) {
        openMessageBox(ed, *a.pendingMessageBox);
        a.pendingMessageBox.reset();
    }
}

}  // namespace

int32_t autoGridSpacing(double z) {
    if (!(z > 0) || std::isinf(z)) return 1;
    const double n = std::floor(std::log2(z) + 4.999);
    return int32_t(1) << int32_t(std::clamp(n, 0.0, 30.0));
}

uint32_t frameSleep(uint8_t limitCpu, int32_t frameDelay, int32_t frameInterval) {
    const auto delay = uint32_t(std::clamp(frameDelay, 0, kMaxSleep));
    switch (CpuLimitMode(limitCpu)) {
        case CpuLimitMode::Always:
            return delay;
        case CpuLimitMode::WhenFast:
            return frameInterval < 17 ? delay : 0;
        default:
            return 0;
    }
}

void paintCurrentPage(Editor& ed) {
    if (const auto paint = pageEntry(ed.app.currentPage).paint) (ed.calls.*paint)(ed);
}

MapCursorInputs mapCursorInputs(const Editor& ed) {
    const MapStore& m = ed.map;
    const HoverState& h = ed.hover;
    MapCursorInputs map;
    map.currentPage = ed.app.currentPage;
    map.currentTool = ed.tool.currentTool;
    map.selectionMode = ed.tool.selectionMode;
    map.draggedSprite = ed.tool.draggedSprite;
    map.movedWallCount = m.movedWallCount;
    map.dragKind = ed.tool.dragKind;
    map.shiftHeld = ed.dispatch.shiftHeld != 0;
    map.ctrlHeld = ed.dispatch.ctrlHeld != 0;
    map.areaSelectLatch = ed.dispatch.areaSelectLatch != 0;
    map.hoveredSprite = h.hoveredSprite;
    map.hoveredVertex = h.hoveredVertex;
    map.hoveredSector = h.hoveredSector;
    map.hoveredWall = h.hoveredWall;
    map.hoveredSpriteSelected = isSprite(m, h.hoveredSprite) && m.spriteSelected[h.hoveredSprite];
    map.hoveredVertexSelected = isWall(m, h.hoveredVertex) && m.vertexSelected[h.hoveredVertex];
    map.hoveredSectorSelected = isSector(m, h.hoveredSector) && m.sectorSelected[h.hoveredSector];
    map.hoveredWallSelected = isWall(m, h.hoveredWall) && m.wallSelected[h.hoveredWall];
    map.selectedSpriteCount = m.selectedSpriteCount;
    map.selectedVertexCount = m.selectedVertexCount;
    map.selectedSectorCount = m.selectedSectorCount;
    map.selectedLoopCount = m.selectedLoopCount;
    return map;
}

void drawEditorCursor(Editor& ed) {
    const CursorOptions options{ed.settings.pointerShadow != 0,
                                ed.settings.pointerInterpolation != 0, !demoPlaying(ed.demo)};
    drawCursor(canvasOf(ed), ed.skin, ed.cursor, options, mapCursorInputs(ed), ed.input,
               ed.app.dragStartMouseY, *ed.app.platform);
}

void runFrame(Editor& ed) {
    AppState& a = ed.app;
    if (a.quitRequested) return;
    Platform& p = *a.platform;
    if (!a.appInactive) {
        if (ed.demo.demoStartPending) startDemoFrame(ed);
        sampleInput(ed);
        measureFrameRate(ed);
        ed.calls.runDeferredAction(ed);
        ed.calls.processFrameInput(ed);
        paintAndFinish(ed);
    }
    if (a.appInactive) {
        p.processEvents();
        // Even with no delay configured an idle window must not spin.
        p.sleep(uint32_t(std::clamp(ed.settings.frameDelay, 1, kMaxSleep)));
        return;
    }
    p.processEvents();
    const int32_t interval =
        int32_t(uint32_t(ed.input.frameTime) - uint32_t(ed.loop.prevFrameTime));
    const uint32_t sleep = frameSleep(ed.settings.limitCpu, ed.settings.frameDelay, interval);
    if (sleep > 0) p.sleep(sleep);
    ed.loop.prevFrameTime = ed.input.frameTime;
}

void runFrameLoop(Editor& ed) {
    while (!ed.app.quitRequested) runFrame(ed);
}

}  // namespace korvel
