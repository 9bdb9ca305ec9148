#include "ui/ScriptTextEdit.h"

namespace korvel {

// The script text editing arrives with the script editor's keys; until then the text takes none.
void editScriptText(Editor&) {}

}  // namespace korvel
