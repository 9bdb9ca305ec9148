// The primary action's presses for the tools that reshape the selection or build from points:
// the handle transforms and warps, the mirror line, merging vertices, slope reference loops and
// terrain from a tile; and the array page's run button.
#pragma once

namespace korvel {

struct Editor;

// Applies the transform of the current handle tool to the selection with the reference points
// in the vertex list.
void pressHandleTool(Editor& ed);
// First press places point 0; the second gives every selected sector a reference loop on the
// line through both points.
void pressTriangleLoopsTool(Editor& ed);
// First press places point 0; the second mirrors the selected sectors across the line.
void pressMirrorTool(Editor& ed);
// Merges the selected vertices (else the hovered one) with every vertex within 2 units.
void pressMergeVerticesTool(Editor& ed);
// First press places point 0; the second builds the terrain whose width ends at the hit point.
void pressTerrainTool(Editor& ed);

// The array page's run button: copies of the selected sprites by the page's pattern.
void arrayPasteTool(Editor& ed);
// The terrain page's start button: arms the terrain tool.
void startTerrainTool(Editor& ed);

}  // namespace korvel
