// Typed values: the keys of the frame edit the focused value field, or the script text.
#pragma once

namespace korvel {

struct Editor;

// Edits the value of focusedField with the frame's keys; on the script editor with no
// field focused, the script text.
void typeIntoFocusedField(Editor& ed);

}  // namespace korvel
