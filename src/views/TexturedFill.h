// The textured fill of the plan view: every sector painted with its floor or ceiling tile.
#pragma once

#include <cstdint>

namespace korvel {

struct PlanFrame;

// Paints the sectors textured, tints selected and hovered ones and collects their tag labels.
void fillSectorsTextured(PlanFrame& pf, int32_t frameNumber);

}  // namespace korvel
