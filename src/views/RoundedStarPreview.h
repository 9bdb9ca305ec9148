// The preview of the rounded star: a star of 2n corners whose corners are rounded in two stages.
#pragma once

namespace korvel {

struct ToolPreviewFrame;

// The stage of the star the placed points have reached, with the mouse as the next point.
void buildRoundedStarPreview(ToolPreviewFrame& f);

}  // namespace korvel
