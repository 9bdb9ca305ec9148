#include "script/ScriptEditor.h"

namespace korvel {

// The script editor arrives with its own change; until then the page shows its background.
void drawScriptEditor(Editor&) {}

}  // namespace korvel
