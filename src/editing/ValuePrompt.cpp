#include "editing/ValuePrompt.h"

namespace korvel {

// Arrives with the value prompt; until then an open prompt takes no keys.
void valuePromptKeys(Editor&) {}

}  // namespace korvel
