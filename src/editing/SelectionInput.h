// Selection by mouse: area selection, clicks by selection mode and the start of drags.
#pragma once

#include <cstdint>
#include <vector>

namespace korvel {

struct Editor;
struct MapStore;

// Selects what lies between the area anchor and the hit point, by selection mode.
void selectByArea(Editor& ed);

// Plan-view clicks by selection mode: vertices, sectors, sprites; each may start a drag of the
// selection.
void clickSelectPoint(Editor& ed);
void clickSelectSector(Editor& ed);
void clickSelectSprite(Editor& ed);
// A press in sprites-and-vertices mode: drags the selection, or the hovered sprite or vertex.
void beginDragHovered(Editor& ed);
// A press in the side view: sprites and sectors.
void clickSelectSideView(Editor& ed);

// The walls that start or end at the vertex at the start of v: v and its twin, then the walls met
// turning forward about the point, then backward, each wall once. A damaged ring ends the turn.
std::vector<int32_t> wallsAtVertex(const MapStore& map, int32_t v);

}  // namespace korvel
