// The side view of a wall: the wall seen from its front with the textures of its parts (lower,
// upper and masked of a two-sided wall, the whole of a one-sided one), and later in the frame
// its outline, which shows the floor or ceiling line under the pointer.
#pragma once

#include <cstdint>

namespace korvel {

struct SideFrame;

// Nothing for a wall the map no longer has (or whose sector is unknown), nor for one narrower
// than a pixel. frameNumber's parity alternates the dither of the colour pairs.
void drawTexturedWall(const SideFrame& sf, int32_t frameNumber);
void drawWallOutline(const SideFrame& sf);

}  // namespace korvel
