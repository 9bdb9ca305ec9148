// Whether Space opens the calculator: a value field shown on the current page has the focus.
#pragma once

namespace korvel {

struct Editor;

// Whether a value field shown on the current page has the keyboard focus.
bool valueFieldFocused(const Editor& ed);

}  // namespace korvel
