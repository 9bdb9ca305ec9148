// The display options page, which shares its painter with the general options page.
#pragma once

namespace korvel {

struct Editor;

// Painter of the display options and of the general options page.
void drawOptionsPage(Editor& ed);

}  // namespace korvel
