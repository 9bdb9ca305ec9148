// The previews of bending a wall into an arc, dividing walls, and the curve through selected
// vertices.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;
struct ToolPreviewFrame;

// The curve or division of the tool's wall, or the fillets of the selected vertices.
void buildWallCurvePreview(ToolPreviewFrame& f);

// The fillet at the start vertex of wall w with the distance the preview chose: its n + 1 arc
// points and then its centre, appended to the point list alone. Nothing for a straight vertex,
// a vertex beside a zero-length wall, or when no vertex is selected.
void buildCurvedWallControl(ToolPreviewFrame& f, int32_t w);
void buildCurvedWallControl(Editor& ed, int32_t w);

}  // namespace korvel
