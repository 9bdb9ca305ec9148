#include "views/HelpPanel.h"

namespace korvel {

// The popup arrives with its own change; until then the views end without it.
void drawHelpPanel(Editor&) {}

}  // namespace korvel
