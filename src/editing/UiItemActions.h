// What the toolbar's and the other UI items' action codes do: the codes that act on the press
// and the release table of the others.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// The press action of the enabled item in slot; false when the item's code acts on the
// release instead (or does nothing). Both look the item's code up in the command table.
bool pressUiItem(Editor& ed, int32_t slot);
// The release action of the item whose slot (1..255) hoveredWidget holds.
void releaseUiItem(Editor& ed);

}  // namespace korvel
