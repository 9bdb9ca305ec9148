#include "ui/HelpText.h"

namespace korvel {

// The help text arrives with its own change; until then no help file is read.
void loadHelpFile(Editor&) {}

}  // namespace korvel
