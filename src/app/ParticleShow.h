// The moving overlays at the end of a frame: the particles (moved and drawn as short streaks in
// the look of the spark mode), the 200-frame firework show and the tooltip box beside the cursor.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// The colour a particle is drawn in by spark mode 0, from its life.
int32_t lifeColour(int32_t life);
// ... by spark mode 2, from its speed.
int32_t speedColour(float vx, float vy);

// Moves and draws every particle; one that falls below row 1 is removed.
void stepParticles(Editor& ed);
// Adds this frame's particles of the show while it runs.
void stepFireworkShow(Editor& ed);

// The tooltip box: its corners for a text of width w beside the mouse, kept on the screen.
struct TooltipBox {
    int32_t left, bottom, right, top;
};
TooltipBox tooltipBox(int32_t mouseX, int32_t mouseY, int32_t w);

}  // namespace korvel
