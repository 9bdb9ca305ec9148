#include "commands/PageStack.h"

namespace korvel {

// The page stack arrives with its own change; until then Back leaves the page as it is.
void pushPage(Editor&) {}
void popPage(Editor&) {}

}  // namespace korvel
