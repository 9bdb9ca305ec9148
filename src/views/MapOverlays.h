// The overlays the plan view draws over everything else: tool previews from the overlay lists,
// measurements, guides, the property box and the help popup.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

void drawMapOverlays(Editor& ed, int32_t frameNumber);

}  // namespace korvel
