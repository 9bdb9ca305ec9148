// The sparks page: a toy of shaded balls that push, pull and bounce inside the map view and are
// drawn to the mouse while its left button is held.
#pragma once

#include "pages/ToolPanels.h"

#include <array>
#include <cstdint>

#include "ui/FrameBuffer.h"
#include "ui/Sparks.h"

namespace korvel {

struct Editor;

constexpr int32_t kSparkCapacity = kMaxSparks;

struct SparksToyState : Sparks {
    SparkShadeImage sparkShadeImage{};  // the picture of one spark, made by the page's panel
    int32_t sparkCount = 7;
    uint8_t sparkInteraction = 0;  // the sparks attract and repel each other
    uint8_t sparkDamping = 0;      // their speeds shrink each step
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
