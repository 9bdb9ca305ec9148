// The help popup of the current tool.
#pragma once

namespace korvel {

struct Editor;

// Opens the current tool's help popup afresh (topic tool + 1 for tools 1 to 21, tool + 2 for
// 22 to 35); with no tool the popup closes.
void toolToolbarSlot(Editor& ed);

}  // namespace korvel
