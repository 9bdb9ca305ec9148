// The bottom layer of the plan view: the textured fill, or the flat fill of the selected and the
// hovered sectors, and the collection of the sector tag labels drawn later above the walls.
#pragma once

#include <cstdint>

#include "views/PlanFrame.h"

namespace korvel {

// Needs the wall points projected (projectWallPoints) for this frame.
void drawSectorLayer(PlanFrame& pf, int32_t frameNumber);
// Appends a label for every shown sector with tags whose box reaches the view.
void collectSectorTagLabels(PlanFrame& pf, int32_t frameNumber);
// Fills the selected sectors in the blink's on phase and the hovered one when highlighting.
void fillSelectedSectors(PlanFrame& pf, int32_t frameNumber);
// Fills one sector in a flat colour by the even-odd rule over its walls, row by row; a row with
// an odd number of crossings stays empty.
void fillSectorFlat(PlanFrame& pf, int32_t sector, uint8_t colour);

}  // namespace korvel
