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
struct Pointer;

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

// The pointer on the text window: a click places the caret at the cell under it (in the left
// margin before the line's first character, right of a line after its last, below the text on
// the last line), with Shift extending the selection; a second click on the caret's place
// within 250 ms selects the word; a drag (hoveredWidget 26020) extends the selection and
// scrolls one line per frame above or below the window. Reads scriptLayout as last laid out.
void scriptTextMouse(ScriptState& s, const Pointer& p, int32_t frameTime, int32_t& hoveredWidget);

// The text as drawn in at most maxWidth pixels of the proportional font: whole when it fits,
// else cut and followed by "...".
std::string cutToWidth(const Fonts& fonts, const std::string& text, int32_t maxWidth);

}  // namespace korvel
