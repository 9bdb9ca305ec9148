#include "app/PageServices.h"

namespace korvel {

// Each of these arrives with the page or service it belongs to; until then a call does nothing,
// which leaves the background, the problem list, the statistics and the script file as they were.
void drawModePanel(Editor&) {}
void checkMap(Editor&) {}
void computeMapStatistics(Editor&) {}
void drawPieChart(Editor&, int32_t, int32_t, int32_t, int32_t, int32_t, uint8_t, uint8_t) {}
void saveScript(Editor&, int32_t) {}
void runScript(Editor&, const std::string&, int32_t) {}

}  // namespace korvel
