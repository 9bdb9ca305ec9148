// The pages the frame loop draws itself: report list and statistics, display and general
// options, drive list and file browser, tile zoom and tile filter, wall lighting and image
// export, and the 3D view's frame.
#pragma once

namespace korvel {

struct Editor;

void drawReportPage(Editor& ed);            // problem list and statistics
void drawOptionsPage(Editor& ed);           // display and general options
void drawBrowserPage(Editor& ed);           // drive list and file browser
void drawTileViewPage(Editor& ed);          // tile zoom and tile filter
void drawLightingOrExportPage(Editor& ed);  // wall lighting and image export
void draw3DViewPage(Editor& ed);            // the 3D picture, its status line and hover overlay

}  // namespace korvel
