#include "ui/Widgets.h"

namespace korvel {

// The widget tables arrive with their own change; until then the pages have no widgets.
void layoutWidgets(Editor&) {}

}  // namespace korvel
