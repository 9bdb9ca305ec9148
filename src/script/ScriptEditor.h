// The script editor page.
#pragma once

namespace korvel {

struct Editor;

// Painter of the script editor page.
void drawScriptEditor(Editor& ed);

}  // namespace korvel
