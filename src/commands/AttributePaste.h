// Pasting the attribute clipboard onto one wall with the editor's paste rules (the wall texture
// squared when the setting asks). The caller's edit takes the snapshot and marks the map.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

void pasteWallAttributes(Editor& ed, int32_t wall);
void pasteMaskedWallAttributes(Editor& ed, int32_t wall);

}  // namespace korvel
