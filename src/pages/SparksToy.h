// The sparks page: a toy of sparks that fly and fall.
#pragma once

#include "pages/ToolPanels.h"

#include <cstdint>

namespace korvel {

struct Editor;

struct SparksToyState {
    SparkShadeImage sparkShadeImage{};  // the picture of one spark, made by the page's panel
    int32_t sparkCount = 7;
    uint8_t sparkInteraction = 0;  // the sparks attract and repel each other
    uint8_t sparkDamping = 0;      // their speeds shrink each step
    uint8_t sparkColorCycle = 0;   // which of the eight colourings the sparks take
};

// One frame of the page: moves and draws the sparks.
void stepSparks(Editor& ed);

}  // namespace korvel
