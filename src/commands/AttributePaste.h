// Pasting the attribute clipboard onto one wall.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

// Not yet carried out: the wall stays as it is.
void pasteWallAttributes(Editor& ed, int32_t wall);
void pasteMaskedWallAttributes(Editor& ed, int32_t wall);

}  // namespace korvel
