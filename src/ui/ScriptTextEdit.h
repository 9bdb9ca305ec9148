// The script editor's keyboard half: the frame's keys edit the script text, its cursor and
// selection.
#pragma once

namespace korvel {

struct Editor;

// Once a frame on the script editor page while no value field has the focus.
void editScriptText(Editor& ed);

}  // namespace korvel
