#include "commands/PageStack.h"

#include "app/Editor.h"

namespace korvel {

// The page stack arrives with its own change. Until then nothing is ever pushed, so leaving a
// page always finds the stack empty and goes to the plan view, as it would with the stack.
void pushPage(Editor&) {}

void popPage(Editor& ed) {
    ed.app.currentPage = Page::PlanView;
    ed.app.redrawAfterModeChange = 1;
    ed.app.redrawRequest = 2;
}

}  // namespace korvel
