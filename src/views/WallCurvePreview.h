// The previews of bending a wall into an arc, dividing walls, and the curve through selected
// vertices.
#pragma once

namespace korvel {

struct ToolPreviewFrame;

// The curve or division of the tool's wall, or the fillets of the selected vertices.
void buildWallCurvePreview(ToolPreviewFrame& f);

}  // namespace korvel
