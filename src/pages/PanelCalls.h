// Work of the page mouse that belongs to other parts of the editor and is not written yet: each
// does nothing until its part arrives. Reached through the editor's calls.
#pragma once

namespace korvel {

struct Editor;

// The 3D view's hover and pick from the pick buffer, every frame of the live view.
void update3dPick(Editor& ed);

}  // namespace korvel
