// Sprites in the side view: the draw list of the sprites the view shows (at their height, and
// along the subject's line), their pictures at real size, their markers, the sound radius of
// effectors and their labels.
#pragma once

#include <cstdint>

namespace korvel {

struct SideFrame;

// Fills the shared sprite draw list with the side view's items.
void buildSideSpriteList(const SideFrame& sf);
// The sprite layer: the list, the pictures when wanted, then markers and labels.
void drawSideViewSprites(const SideFrame& sf, int32_t frameNumber);

}  // namespace korvel
