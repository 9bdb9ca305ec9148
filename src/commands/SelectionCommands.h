// Commands on the selection as a whole.
#pragma once

namespace korvel {

struct Editor;

// Converts the selection to the kind the current selection mode works on.
void convertSelection(Editor& ed);

}  // namespace korvel
