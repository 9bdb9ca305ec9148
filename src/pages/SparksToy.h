// The sparks page: a toy of shaded balls that push, pull and bounce inside the map view and are
// drawn to the mouse while its left button is held.
#pragma once

#include "pages/ToolPanels.h"

#include <array>
#include <cstdint>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Editor;

constexpr int32_t kSparkCapacity = 512;

struct SparksToyState {
    SparkShadeImage sparkShadeImage{};  // the picture of one spark, made by the page's panel
    int32_t sparkCount = 7;
    uint8_t sparkInteraction = 0;  // the sparks attract and repel each other
    uint8_t sparkDamping = 0;      // their speeds shrink each step
    uint8_t sparkColorCycle = 0;   // the page's colour step 0..7: the kind of balls set up
    // Per ball, entries 0..sparkCount - 1 in use; positions in screen pixels, rows from the bottom.
    std::array<double, kSparkCapacity> sparkX{}, sparkY{};
    std::array<double, kSparkCapacity> sparkVelX{}, sparkVelY{};
    std::array<double, kSparkCapacity> sparkForceX{}, sparkForceY{};
    std::array<double, kSparkCapacity> sparkMass{};  // negative for the repelling kind
    // The square root of the mass as set up; the page draws and bounds the ball with this
    // diameter in pixels.
    std::array<double, kSparkCapacity> sparkRadius{};
    std::array<uint8_t, kSparkCapacity> sparkColors{};  // colour band: 12 x this is added
};

// The mouse as the step reads it.
struct SparkPointer {
    int32_t x = 0, y = 0;
    bool leftHeld = false;
    bool shiftHeld = false;
};

// One physics step of every ball and its drawing onto the screen.
void stepSparkBalls(const Canvas& cv, SparksToyState& s, const SparkPointer& mouse);
// One frame of the page: moves and draws the sparks.
void stepSparks(Editor& ed);

}  // namespace korvel
