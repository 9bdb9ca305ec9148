// The grids of the generator tools (reel, arch, sphere, terrain) and of the profile tools, whose
// quadrilaterals the primary action builds into sectors.
#pragma once

namespace korvel {

struct ToolPreviewFrame;

// The grid of the current generator or profile tool.
void buildGeneratorPreview(ToolPreviewFrame& f);

// The revolved profile: a piece of ring per side and profile segment, four points each.
void buildRingsPreview(ToolPreviewFrame& f);

}  // namespace korvel
