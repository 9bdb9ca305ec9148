// The handles of the transform tools: the reference segments, the warp quads and the affine grid.
#pragma once

namespace korvel {

struct ToolPreviewFrame;

// The handles of the current transform tool.
void buildTransformHandlePreview(ToolPreviewFrame& f);

}  // namespace korvel
