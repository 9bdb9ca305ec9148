#include "views/ToolPreview.h"

namespace korvel {

// Arrives with the tool previews; until then no tool shows a preview.
void buildToolPreview(Editor&) {}

}  // namespace korvel
