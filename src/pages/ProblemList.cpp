#include "pages/ProblemList.h"

namespace korvel {

// The pages arrive with their own change; until then they show their background only.
void drawReportPage(Editor&) {}

}  // namespace korvel
