// Toolbar buttons that switch what the plan view shows: textured sectors and sprite pictures.
#pragma once

namespace korvel {

struct Editor;

// Toolbar action 34: sprites shown as their pictures, or markers only.
void toggleSpritesFilledButton(Editor& ed);
// Toolbar action 35: sectors filled with their tiles. Without the tiles loaded, the loading
// (which takes a while) is left to the next frame behind the busy cursor, which then turns the
// fill on.
void toggleSectorsFilledButton(Editor& ed);

}  // namespace korvel
