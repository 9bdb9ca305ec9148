// The shape tools of the primary action: regular polygon, ellipse, circle and star, rectangle,
// rounded star and stroke place their first points and then build the outline their preview
// shows by feeding it into the polygon tool; the profile tools build one sloped sector per
// quadrilateral of their preview.
#pragma once

namespace korvel {

struct Editor;

// One press of the current shape tool at the hit point.
void pressShapeTool(Editor& ed);

}  // namespace korvel
