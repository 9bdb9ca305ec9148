// The script editor page: the list of scripts and the current script's text. The scripts and the
// text with its cursor are the script model's (script/ScriptFiles.h); the page holds them.
#pragma once

namespace korvel {

struct Editor;

// Painter of the page.
void drawScriptEditor(Editor& ed);

}  // namespace korvel
