// The live 3D view's edit keys: each acts on the object aimed at in the 3D picture, or on the
// selection, and refreshes what the picture shows of it.
#pragma once

namespace korvel {

struct Editor;

// Once a frame on the live 3D page, before the other key commands; a key it takes is consumed.
void process3DKeys(Editor& ed);

}  // namespace korvel
