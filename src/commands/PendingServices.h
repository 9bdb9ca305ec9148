// Services of other parts of the editor that the commands call but that arrive with their own
// changes; until then they change nothing.
#pragma once

namespace korvel {

struct Editor;

// Recomputes which layers the selection occupies, for the plan view's layer display.
void updateSelectionLayerMask(Editor& ed);

}  // namespace korvel
