// The linear cut tool of the plan view: two presses give the segment every shown sector is cut
// along; the tool then waits for the next segment.
#pragma once

namespace korvel {

struct Editor;

// Arms the tool (the menu command and its toolbar item).
void startLinearCutTool(Editor& ed);
// One press of the armed tool at the hit point: the first records the segment's start, the
// second cuts, with Ctrl only inserting the vertices, in one undo step.
void pressLinearCutTool(Editor& ed);

}  // namespace korvel
