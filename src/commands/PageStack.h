// The page stack behind the Back command: dialogs return to the page they were opened from.
#pragma once

namespace korvel {

struct Editor;

// Pushes the page being left (previousPage). A push onto a full stack is refused.
void pushPage(Editor& ed);
// Returns to the page on top of the stack, or to the plan view when the stack is empty.
void popPage(Editor& ed);
// What a page change does to the stack, with the page left in previousPage: run once per change
// by the page-change handler.
void applyPagePushRule(Editor& ed);

}  // namespace korvel
