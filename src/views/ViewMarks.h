// Marks both map views draw over their content where the user works: the box of an area
// selection being dragged, the crosshair through the pointer, the text beside the pointer and
// the grid-snap mark. All positions are screen pixels (rows from the bottom); everything stays
// inside the map view.
#pragma once

#include <cstdint>
#include <string>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Fonts;
struct Random;

// The box from the anchor A (where the selection began) to the hit point P: noisy colour ramps
// along its four edges, its inside tinted. Nothing when P equals A. Every position along an edge
// inside the view draws one random value, shared by the edge's two lines even when one of them
// lies outside: a demo replays these draws.
void drawAreaSelectBox(const Canvas& cv, Random& random, int32_t anchorX, int32_t anchorY,
                       int32_t hitX, int32_t hitY);
// Tinted lines through (x, y) across the whole view, with a 15-pixel gap around the point.
void drawCrosshair(const Canvas& cv, int32_t x, int32_t y);
// The text beside the pointer with a dark outline: right of it in the left half of the screen,
// above it in the lower half, moved back inside the view where it would leave it. Nothing for
// a text wider than the screen.
void drawPointerText(const Canvas& cv, const Fonts& fonts, const std::string& text, int32_t mouseX,
                     int32_t mouseY, int32_t colour);
// A plus of five pixels (the centre brighter); not drawn on the view's outermost pixels.
void drawSnapMark(const Canvas& cv, int32_t x, int32_t y, int32_t colour);

}  // namespace korvel
