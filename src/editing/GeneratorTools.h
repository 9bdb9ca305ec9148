// The generator tools of the primary action: the reel, the arch and the sphere take two points
// (the axis, or the centre and a rim point) and then build their structure through the polygon
// tool, with one undo step for the whole of it.
#pragma once

namespace korvel {

struct Editor;

// One press of the reel, arch or sphere tool at the hit point: the first places P0, the second
// builds.
void pressGeneratorTool(Editor& ed);

// Build from P0 (the first tool point) to the hit point with the setup pages' parameters. Each
// leaves the tool idle and the selection mode in the boolean-target mode with no target.
void buildReel(Editor& ed);
void buildArch(Editor& ed);
void buildSphere(Editor& ed);

}  // namespace korvel
