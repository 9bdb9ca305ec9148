#include "pages/ScriptEditor.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawScriptEditor(Editor&) {}

}  // namespace korvel
