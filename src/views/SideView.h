// The side view: its painter and the section it shows.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

void drawSideView(Editor& ed, int32_t frameNumber);
// Rebuilds what the side view shows for its current subject.
void buildSideViewSlices(Editor& ed);

}  // namespace korvel
