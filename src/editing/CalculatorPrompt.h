// The calculator: the value prompt opened on an expression, whose x stands for the value of the
// field being edited.
#pragma once

namespace korvel {

struct Editor;

// Opens the calculator prompt with the text "x".
void openCalculator(Editor& ed);
// Whether a value field shown on the current page has the keyboard focus.
bool valueFieldFocused(const Editor& ed);

}  // namespace korvel
