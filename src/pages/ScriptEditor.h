// The script editor page: the list of scripts and the current script's text. The scripts and the
// text with its cursor are the script model's (script/ScriptFiles.h); the page holds them.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

struct Editor;
struct Canvas;
struct Fonts;
struct ScriptState;

// Painter of the page: lays the text out again when the top line was scrolled, then paints.
void drawScriptEditor(Editor& ed);

// Ctrl+W, its toolbar item and menu item: the script editor page.
void openScriptEditorPage(Editor& ed);

// What the page draws onto the screen every frame: unless a demo runs (demoFrameIndex -1 when
// none), the script's name with its caret while field 189 is edited, the pulsing bar of the
// current script and the list of names; then the text caret and the selection over the laid-out
// text.
void paintScriptEditor(const ScriptState& s, int32_t frameTime, int32_t focusedField,
                       int32_t demoFrameIndex, const Fonts& fonts, const Canvas& cv);

// The text as drawn in at most maxWidth pixels of the proportional font: whole when it fits,
// else cut and followed by "...".
std::string cutToWidth(const Fonts& fonts, const std::string& text, int32_t maxWidth);

}  // namespace korvel
