// The script editor's keyboard half: the frame's key events applied to the script text, its
// cursor and selection, with the system clipboard, a one-step undo copy and scrolling. The text
// keeps CR LF line ends and no position ever rests between a CR and its LF.
#pragma once

namespace korvel {

struct Editor;

// Once per frame on the script editor page while no value field has the focus.
void editScriptText(Editor& ed);

}  // namespace korvel
