// The frame loop: one pass samples the input, runs a deferred action and the input dispatcher,
// redraws the whole screen (background, page, chrome, cursor), applies the screen effects,
// autosaves when due, presents, opens a pending message box, yields and sleeps.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Platform.h"
#include "ui/Cursor.h"

namespace korvel {

struct Editor;

// What the loop keeps from frame to frame for itself.
struct FrameLoopState {
    int32_t frameNumber = 0;       // active frames presented
    int32_t framesThisSecond = 0;  // since the last whole-second sample
    float framesPerSecond = 0;     // the rate the chrome shows
    double fpsNextTime = 0;        // seconds-clock value of the next sample
    uint32_t loopStartTick = 0;    // frameTime counts from this tick
    int32_t prevFrameTime = 0;
    // The raw pointer position the axis lock holds to.
    PointerPos axisLockAnchor;
    // The selection counts, modified state and prompt kind as they were shown last frame.
    int32_t shownSelectedSpriteCount = 0, shownSelectedVertexCount = 0;
    int32_t shownSelectedWallCount = 0, shownSelectedSectorCount = 0;
    int32_t shownSelectedLoopCount = 0;
    uint8_t shownModified = 0;
    int32_t shownPromptKind = 0;
    // The image presented last, kept while the frame blend is on.
    std::vector<uint8_t> previousFrameImage;
};

// One pass of the loop. It does nothing once quitRequested is set.
void runFrame(Editor& ed);
// Passes until quitRequested is set.
void runFrameLoop(Editor& ed);
// The painter of the current page, as the page table names it.
void paintCurrentPage(Editor& ed);
// What the map cross's variant and badges depend on: the tool, the drag, the modifiers, the
// hovered objects and whether each is selected.
MapCursorInputs mapCursorInputs(const Editor& ed);
// The software cursor in the shape and colour the input dispatcher chose, at the mouse.
void drawEditorCursor(Editor& ed);
// The grid step that follows a zoom of z map units per pixel: a power of two, 1 to 2^30.
int32_t autoGridSpacing(double z);
// The sleep the loop makes after an active frame, by limitcpu; frameDelay is taken within
// 0..1000 ms so that no setting stops the program.
uint32_t frameSleep(uint8_t limitCpu, int32_t frameDelay, int32_t frameInterval);

}  // namespace korvel
