// The image export page: the drawing of the map written as a picture. Its painter is the wall
// lighting page's; the rectangle and the scale live with the view state.
#pragma once

#include <string>

namespace korvel {

struct ImageExportState {
    std::string exportFileName = "1.bmp";
};

}  // namespace korvel
