// Sprites linked by their tags: W centres the view on the next one.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// Whether sprite p answers sprite q through their tiles' categories and their tags. Not
// symmetric; indices out of range answer nothing.
bool areSpritesLinked(const Editor& ed, int32_t p, int32_t q);

void jumpToLinkedSprite(Editor& ed);

}  // namespace korvel
