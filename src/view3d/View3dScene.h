// The 3D page's link to the editor: preparing the scene from the map, drawing the page's picture
// when it is stale, and the scene the page keeps.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;
struct Scene3d;

// The page's scene, allocated at its capacity on first use.
Scene3d& scene3d(Editor& ed);

// Fills the 3D cache from the whole map and switches to the 3D page; the map is not changed.
void build3dView(Editor& ed);

// Renders the page's picture into preview3dImage (whatever view3dValid says).
void renderView3d(Editor& ed);

}  // namespace korvel
