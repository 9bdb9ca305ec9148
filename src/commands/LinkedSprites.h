// Sprites linked by their tags: W centres the view on the next one.
#pragma once

namespace korvel {

struct Editor;

void jumpToLinkedSprite(Editor& ed);

}  // namespace korvel
