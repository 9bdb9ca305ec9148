#include "app/DeferredActions.h"

#include "app/Editor.h"

namespace korvel {

// The actions themselves arrive with their own change; until then a request is only cleared.
void runDeferredAction(Editor& ed) {
    ed.app.deferredAction = DeferredAction::None;
}

}  // namespace korvel
