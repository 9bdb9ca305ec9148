// The static parts of the panels kept in the background (the skinned frames, the status strips
// with their dithered shading, the toolbar's normal buttons) and rebuilt only on request, and
// what goes over them on the screen every frame: pressed and highlighted toolbar buttons and the
// open pull-down menu with its title.
#pragma once

#include <cstdint>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Editor;
struct Skin;

// A 22 x 22 toolbar button with its lower left corner at (x, y): the normal or pressed face,
// each pixel plus colourOffset, and icon `icon` (none when negative) over it, in full colour when
// enabled, else in the one colour inactiveColour. Skin colour 255 of the icon is transparent.
// Whatever lies outside the surface is left out.
void drawToolbarButton(const SurfaceView& target, const Skin& skin, int32_t x, int32_t y,
                       int32_t icon, int32_t colourOffset, bool enabled, bool pressed,
                       int32_t inactiveColour);

// Chrome step 4: lit and pressed buttons, then the highlight of the hovered one.
void drawToolbarOverlay(Editor& ed);
// Chrome step 13: the open menu, its highlight and its title band, cut to the screen.
void drawOpenMenuOverlay(Editor& ed);
// Chrome step 14: the rebuild the request asks for (both panels, or the toolbar area).
void rebuildBackground(Editor& ed);

}  // namespace korvel
