// Sprite pictures under the plan-view markers, and the tile animation every view draws tiles by.
#pragma once

#include <cstdint>

namespace korvel {

struct PlanFrame;
struct TileStore;

// The tile to draw for tile p at time t (milliseconds) by p's animation word: p itself, or a
// later (earlier, for backward animation) tile. Not clamped: callers clamp where they index.
int32_t getTileAnimFrame(const TileStore& tiles, int32_t p, int32_t t);

// Draws the pictures of the sprites in the plan view's draw list, under their markers.
// Sorts the list by height first (the markers and labels keep that order): in floor view the
// highest sprite is drawn last, in ceiling view the lowest.
void drawSpritePictures2D(PlanFrame& pf, int32_t frameNumber);

}  // namespace korvel
