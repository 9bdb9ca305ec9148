#include "pages/HelpViewer.h"

namespace korvel {

// The page arrives with its own change; until then it shows its background only.
void drawDocumentViewer(Editor&) {}

}  // namespace korvel
