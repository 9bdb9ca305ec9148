// The toolbar: its 256 buttons with their positions, icons, contexts and enabled and lit states.
#pragma once

namespace korvel {

struct Editor;

// Rebuilds every button for the current page, tool and settings.
void rebuildToolbar(Editor& ed);

}  // namespace korvel
