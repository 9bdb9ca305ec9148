#include "views/WallCurvePreview.h"

#include "views/ToolPreview.h"

namespace korvel {

// Arrives with the wall curves; until then their tools show no preview.
void buildWallCurvePreview(ToolPreviewFrame&) {}

}  // namespace korvel
