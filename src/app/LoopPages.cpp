#include "app/LoopPages.h"

namespace korvel {

// These pages arrive with their own changes; until then they show their background only.
void drawReportPage(Editor&) {}
void drawOptionsPage(Editor&) {}
void drawBrowserPage(Editor&) {}
void drawTileViewPage(Editor&) {}
void drawLightingOrExportPage(Editor&) {}
void draw3DViewPage(Editor&) {}

}  // namespace korvel
