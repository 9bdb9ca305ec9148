// The side view: the map in elevation along a subject chosen in the plan view (a point's
// column, a sprite's, a wall seen from its front, or a drawn section), its painter and what it
// shows of the map.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;
struct SideFrame;

// The side page's painter: the frame of the editor's stored view, painted, then the help popup.
void drawSideView(Editor& ed, int32_t frameNumber);
// Paints every layer of the side view into the map-view rows. A point subject is always viewed
// at the middle column (its horizontal origin is reset); a section's slice heights are brought
// up to the map's first. frameNumber's parity alternates the dithered pictures.
void paintSideView(SideFrame& sf, int32_t frameNumber);
// Rebuilds what the side view shows for its current subject.
void buildSideViewSlices(Editor& ed);

}  // namespace korvel
