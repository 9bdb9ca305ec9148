// The page stack behind the Back command.
#pragma once

namespace korvel {

struct Editor;

// Pushes the page being left.
void pushPage(Editor& ed);
// Returns to the page on top of the stack, or to the plan view.
void popPage(Editor& ed);

}  // namespace korvel
