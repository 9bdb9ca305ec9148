#include "pages/ModePanel.h"

#include "pages/ProblemList.h"

namespace korvel {

void drawModePanel(Editor& ed) {
    requestReportPageData(ed);
}

}  // namespace korvel
