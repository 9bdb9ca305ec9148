// The image export page: the drawing of the map written as a picture. Its painter is the wall
// lighting page's; the rectangle and the scale live with the view state.
#pragma once

#include <string>

namespace korvel {

struct Editor;

struct ImageExportState {
    std::string exportFileName = "1.bmp";
};

// The menu command and toolbar action that show the page.
void openImageExportPage(Editor& ed);
// The page's Run button, on its release: writes the picture, tells how that went, and goes back.
void runImageExport(Editor& ed);
// Buttons 24001 and 24002: the export box around the selected sprites and vertices, or around
// the whole map.
void setExportBox(Editor& ed, bool wholeMap);

}  // namespace korvel
