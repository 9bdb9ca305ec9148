#include "pages/RecordEditor.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawRecordEditor(Editor&) {}

}  // namespace korvel
