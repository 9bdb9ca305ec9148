// The primary action for the tools other than the drawing and shape tools, for the pages other
// than the plan view, and the step that ends every press.
#pragma once

namespace korvel {

struct Editor;

// One step of the current plan-view tool (start position, two-pick sector tools, wall curves,
// transforms, generators, lighting and the rest).
void pressOtherTool(Editor& ed);
// The view-bookmark tool ends at the press, before every other state.
void pressViewBookmarksTool(Editor& ed);
// Space on a page other than the plan view.
void pressOnOtherPage(Editor& ed);
// After every press: the calculator opens while a value field has the focus.
void endPrimaryAction(Editor& ed);

}  // namespace korvel
