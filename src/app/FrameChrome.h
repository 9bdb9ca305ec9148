// The frame chrome drawn over every page: top bar, toolbar faces, status line, coordinates,
// counters, bottom panel information, widgets, open menu, background rebuilds, message history,
// corner texts, particles and the firework show, then, after the cursor, the tooltip.
#pragma once

namespace korvel {

struct Editor;

// Everything of the chrome that comes before the software cursor.
void drawFrameChrome(Editor& ed);
// The tooltip beside the cursor, the last item of a frame.
void drawTooltip(Editor& ed);

}  // namespace korvel
